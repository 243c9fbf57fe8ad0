"""Drives the built game as a player does: real X key presses and clicks,
screenshots of its window, and the files it saves.

Runs under /usr/bin/python3 (PIL and numpy from Debian). Talks to the X server
through ctypes (libX11, libXtst) so that a key is held for exactly as long as
asked, with no process start-up in between. Every wait is bounded."""

import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import tempfile
import time

import numpy as np
from PIL import Image, ImageGrab

WINDOW_NAME = "Mug Cellar"
CELL = 82
STEP_FRAMES = 82
FRAME_SLEEP = 0.005  # the sleeps of one frame inside a step: 4 ms + 1 ms


class Failure(Exception):
    pass


# --- X server -------------------------------------------------------------

class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("client", _ClientMessage), ("pad", ctypes.c_long * 24)]


class XServer:
    """The display named by DISPLAY: input, window lookup, screenshots."""

    def __init__(self):
        self.name = os.environ["DISPLAY"]
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XStringToKeysym.restype = ctypes.c_ulong
        self.x.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XInternAtom.restype = ctypes.c_ulong
        self.x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                      ctypes.POINTER(_Event)]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.dpy = self.x.XOpenDisplay(self.name.encode())
        if not self.dpy:
            raise Failure(f"cannot open display {self.name}")

    def key(self, name, down):
        code = self.x.XKeysymToKeycode(self.dpy, self.x.XStringToKeysym(name.encode()))
        if not code:
            raise Failure(f"no key code for {name}")
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 1 if down else 0, 0)
        self.x.XSync(self.dpy, 0)

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)
        self.x.XSync(self.dpy, 0)

    def button(self, down):
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 1 if down else 0, 0)
        self.x.XSync(self.dpy, 0)

    def close_window(self, window):
        """What a window manager sends when the close button is clicked."""
        event = _Event()
        event.client.type = 33  # ClientMessage
        event.client.window = window
        event.client.message_type = self.x.XInternAtom(self.dpy, b"WM_PROTOCOLS", 0)
        event.client.format = 32
        event.client.l[0] = self.x.XInternAtom(self.dpy, b"WM_DELETE_WINDOW", 0)
        self.x.XSendEvent(self.dpy, window, 0, 0, ctypes.byref(event))
        self.x.XSync(self.dpy, 0)

    def windows(self):
        """Ids of the game's mapped windows (xdotool walks the tree)."""
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", WINDOW_NAME],
                             capture_output=True, text=True, timeout=10).stdout
        return [int(w) for w in out.split()]

    def geometry(self, window):
        out = subprocess.run(["xdotool", "getwindowgeometry", str(window)],
                             capture_output=True, text=True, timeout=10).stdout
        pos = size = None
        for line in out.splitlines():
            line = line.strip()
            if line.startswith("Position:"):
                x, y = line.split()[1].split(",")
                pos = (int(x), int(y))
            elif line.startswith("Geometry:"):
                w, h = line.split()[1].split("x")
                size = (int(w), int(h))
        if not pos or not size:
            raise Failure(f"no geometry for window {window}: {out!r}")
        return pos, size

    def grab(self):
        return np.asarray(ImageGrab.grab(xdisplay=self.name).convert("RGB"), dtype=np.int16)

    def screen_size(self):
        img = ImageGrab.grab(xdisplay=self.name)
        return img.size


# --- files the game keeps -------------------------------------------------

def decode_lines(raw):
    """The stored level file's lines: every byte but the CR LF ends is shifted by 11."""
    return [bytes((b - 11) % 256 for b in line) for line in raw.split(b"\r\n")]


def encode_lines(lines):
    return b"\r\n".join(bytes((b + 11) % 256 for b in line) for line in lines)


def read_numbers(path):
    """The 51 integers of a progress file; fails unless each is followed by one space."""
    text = open(path, "rb").read().decode("ascii")
    values = text.split(" ")
    if values[-1] != "" or len(values) != 52 or not all(v.lstrip("-").isdigit() for v in values[:-1]):
        raise Failure(f"{os.path.basename(path)} is not 51 integers each followed by a space: {text!r}")
    return [int(v) for v in values[:-1]]


class Progress:
    """What the files in media/ say: unlocked level, best mugs, seconds, stars."""

    def __init__(self, media):
        self.unlocked = int(decode_lines(open(os.path.join(media, "data.txt"), "rb").read())[0])
        b = read_numbers(os.path.join(media, "dataB.txt"))
        c = read_numbers(os.path.join(media, "dataC.txt"))
        self.best_mugs = b[:50]
        self.seconds = b[50]
        self.stars = c[:50]
        self.star_spare = c[50]

    def __repr__(self):
        return (f"Progress(unlocked={self.unlocked}, best={self.best_mugs[:5]}..., seconds={self.seconds}, "
                f"stars={self.stars[:5]}...)")


def write_progress(media, unlocked=None, best_mugs=(), seconds=0, stars=()):
    """Puts a saved game in place before the game starts."""
    if unlocked is not None:
        path = os.path.join(media, "data.txt")
        lines = decode_lines(open(path, "rb").read())
        lines[0] = b" %d" % unlocked
        open(path, "wb").write(encode_lines(lines))
    best = list(best_mugs) + [0] * (50 - len(best_mugs))
    star = list(stars) + [0] * (51 - len(stars))
    with open(os.path.join(media, "dataB.txt"), "w") as f:
        f.write("".join(f"{v} " for v in best + [seconds]))
    with open(os.path.join(media, "dataC.txt"), "w") as f:
        f.write("".join(f"{v} " for v in star))


# --- pictures -------------------------------------------------------------

def region(img, x0, y0, x1, y1):
    return img[y0:y1, x0:x1]


def mean(img):
    return float(img.mean())


def difference(a, b):
    """Mean absolute difference per channel, 0 for equal pictures."""
    return float(np.abs(a - b).mean())


def count_colour(img, rgb, tolerance=0):
    return int((np.abs(img - np.array(rgb)).max(axis=2) <= tolerance).sum())


# Picture areas of the play screen.
TOP_BAR = (0, 0, 1024, 28)
LEVEL_LINE = (55, 0, 275, 28)
CLOCK = (464, 0, 560, 28)
BOARD = (0, 30, 1024, 768)


# Colours found only in the keeper's pictures: cap, skin, shirt, trousers.
PLAYER_COLOURS = [(58, 124, 64), (246, 198, 152), (238, 228, 204), (64, 68, 98)]
PLAYER_PACKED = [(r << 16) | (g << 8) | b for r, g, b in PLAYER_COLOURS]


def cell_box(col, row):
    x, y = CELL * col - 20, CELL * row - 20
    return (x, y, x + CELL, y + CELL)


# --- the game -------------------------------------------------------------

class Game:
    """One copy of the game's run directory, started and driven like a player."""

    def __init__(self, run_dir, pristine_levels, shots_dir, name):
        self.scratch = tempfile.mkdtemp(prefix="e2e-")
        self.run = os.path.join(self.scratch, "run")
        shutil.copytree(run_dir, self.run)
        self.media = os.path.join(self.run, "media")
        for f in ("dataB.txt", "dataC.txt", "dataXX.txt"):
            if os.path.exists(os.path.join(self.media, f)):
                os.remove(os.path.join(self.media, f))
        shutil.copy(pristine_levels, os.path.join(self.media, "data.txt"))
        self.shots_dir = shots_dir
        self.name = name
        self.x = XServer()
        self.proc = None
        self.window = None
        self.started_at = None
        self.first_frame_after = None
        self._origin = None

    # life cycle

    def start(self, timeout=40):
        self.stderr = open(os.path.join(self.scratch, "stderr"), "w+")
        self._origin = None
        self.started_at = time.monotonic()
        self.proc = subprocess.Popen([os.path.join(self.run, "mugcellar")], cwd="/", stderr=self.stderr,
                                     stdout=subprocess.DEVNULL, start_new_session=True)
        self.window = self.wait_for_window(timeout)
        self.wait_until(lambda: self.colours(self.grab()) > 16, timeout, "the first frame")
        self.first_frame_after = time.monotonic() - self.started_at
        return self

    def other_window(self, old=None):
        """A window of the game's other than old, or None."""
        if self._reap(0) is not None:
            raise Failure(f"the game ended with status {self.proc.returncode}: {self.errors()}")
        wins = [w for w in self.x.windows() if w != old]
        return wins[0] if wins else None

    def wait_for_window(self, timeout):
        return self.wait_until(self.other_window, timeout, "the game's window")

    def running(self):
        return self.proc is not None and self._reap(0) is None

    def _reap(self, timeout):
        """The exit status, or None after timeout; keeps the peak memory (KiB)."""
        deadline = time.monotonic() + timeout
        while self.proc.returncode is None:
            pid, status, usage = os.wait4(self.proc.pid, os.WNOHANG)
            if pid:
                self.proc.returncode = os.waitstatus_to_exitcode(status)
                self.peak_rss_kib = usage.ru_maxrss
                break
            if time.monotonic() > deadline:
                return None
            time.sleep(0.05)
        return self.proc.returncode

    def wait_exit(self, timeout=30):
        status = self._reap(timeout)
        if status is None:
            raise Failure(f"the game did not end within {timeout} s")
        return status

    def quit(self):
        """Escape, as often as needed on a loaded machine; returns the exit status."""
        for _ in range(5):
            self.hold("Escape", 0.3)
            status = self._reap(10)
            if status is not None:
                return status
        raise Failure("Escape did not end the game")

    def close(self):
        """The window's close button."""
        self.x.close_window(self.window)
        return self.wait_exit()

    def kill(self):
        if self.running():
            os.killpg(self.proc.pid, signal.SIGKILL)
            self._reap(10)

    def cleanup(self):
        self.kill()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def errors(self):
        self.stderr.seek(0)
        return self.stderr.read().strip()

    # waiting

    def wait_until(self, predicate, timeout, what, interval=0.05, quiet=False):
        """predicate's first true value; quiet: None on time-out instead of failing."""
        deadline = time.monotonic() + timeout
        while True:
            value = predicate()
            if value:
                return value
            if time.monotonic() > deadline:
                if quiet:
                    return None
                self.shot("timeout")
                raise Failure(f"gave up waiting for {what} after {timeout} s")
            if self.proc is not None and self._reap(0) is not None:
                raise Failure(f"the game ended (status {self.proc.returncode}) while waiting for {what}")
            time.sleep(interval)

    def wait_settled(self, box=BOARD, timeout=20, quiet=0.25):
        """Waits until nothing changes in box for quiet seconds; returns the picture."""
        last = region(self.grab(), *box)
        still_since = time.monotonic()
        deadline = still_since + timeout
        while time.monotonic() < deadline:
            time.sleep(0.04)
            now = region(self.grab(), *box)
            if not np.array_equal(now, last):
                last, still_since = now, time.monotonic()
            elif time.monotonic() - still_since >= quiet:
                return self.grab()
        self.shot("unsettled")
        raise Failure(f"the picture did not settle within {timeout} s")

    # input

    def hold(self, key, seconds=0.2):
        self.x.key(key, True)
        time.sleep(seconds)
        self.x.key(key, False)

    def hold_until(self, key, predicate, shortest, longest):
        """Holds key for shortest seconds, then on until predicate is true or
        longest seconds have passed: a game slowed down by a busy machine may
        poll too rarely to see a short press."""
        self.x.key(key, True)
        start = time.monotonic()
        time.sleep(shortest)
        while time.monotonic() < start + longest and not predicate():
            time.sleep(0.01)
        self.x.key(key, False)

    def act_until(self, action, predicate, what, tries=3, wait=15):
        """action(), repeated while predicate stays false: a loaded machine may
        run a frame longer than a press lasts. Returns predicate's value."""
        for _ in range(tries - 1):
            action()
            value = self.wait_until(predicate, wait, what, quiet=True)
            if value:
                return value
        action()
        return self.wait_until(predicate, wait, what)

    def click(self, x, y, settle=0.15, seconds=0.3):
        """Pointer over (x, y) of the game's window, then the primary button held and released."""
        ox, oy = self.origin()
        self.x.move(ox + x, oy + y)
        time.sleep(settle)  # the game tests the pointer of the poll before the last
        self.x.button(True)
        time.sleep(seconds)
        self.x.button(False)

    def step(self, key, to, timeout=30):
        """One step with an arrow key, then waits until the keeper stands on
        cell to. A step takes at least 82 frames of 5 ms; the key is released
        as soon as the keeper is seen moving, which makes exactly one. On a
        busy machine the key's press and release can reach the game together,
        so that it never sees the key down: the hold then lasts until the
        keeper moves (at most 1.5 s), and the key is pressed again while the
        keeper still stands where it was."""
        start = self.player()
        if start is None:
            raise Failure("the keeper is not to be seen before the step")
        around = (CELL * to[0] - 102, max(30, CELL * to[1] - 102), CELL * to[0] + 144, CELL * to[1] + 144)

        def near(p, col, row, tolerance):
            # The keeper's colours sit differently in each pose: a quarter cell is close enough.
            return p is not None and abs(p[0] - col - 0.5) < tolerance and abs(p[1] - row - 0.5) < tolerance

        def arrived():
            try:
                img = self.wait_settled(around, timeout=5, quiet=0.3)
            except Failure:
                return False
            return near(self.player(img), *to, 0.25)

        def moving():
            p = self.player()
            return p is not None and abs(p[0] - start[0]) + abs(p[1] - start[1]) > 0.1

        deadline = time.monotonic() + timeout
        for _ in range(5):
            self.hold_until(key, moving, 0.3, 1.5)
            if self.wait_until(arrived, max(1, min(6, deadline - time.monotonic())), "", quiet=True):
                return
            # Still standing where it was: the press went unseen; anywhere else is a fault.
            p = self.player(self.wait_settled(quiet=0.3))
            if not near(p, start[0] - 0.5, start[1] - 0.5, 0.1):
                break
        self.wait_until(arrived, max(1, deadline - time.monotonic()), f"the keeper on cell {to} after {key}")

    # pictures

    def origin(self):
        if self._origin is None:
            self._origin = self.x.geometry(self.window)[0]
        return self._origin

    def find_window_again(self, press):
        """press() makes the display anew (full screen): the window is another
        one. Pressed again while none shows, as a busy machine may miss a press."""
        old = self.window
        self.window = self.act_until(press, lambda: self.other_window(old), "the game's window after the switch")
        self._origin = None
        return self.window

    def player(self, img=None):
        """The player's cell, found by the colours of the keeper's cap, skin,
        shirt and trousers; None when the keeper is not to be seen."""
        img = self.grab() if img is None else img
        board = img[30:].astype(np.int32)
        packed = (board[..., 0] << 16) | (board[..., 1] << 8) | board[..., 2]
        ys, xs = np.nonzero(np.isin(packed, PLAYER_PACKED))
        if len(xs) < 60:
            return None
        # The cap's top stands 10 pixels below the cell's top in every pose; the
        # middle of the colours moves with the pose (from behind no face shows).
        cx, cy = float(np.median(xs)), float(np.percentile(ys, 1)) + 30 + 31
        return ((cx + 20) / CELL, (cy + 20) / CELL)

    def grab(self):
        """The window's 1024 x 768 picture."""
        ox, oy = self.origin()
        return self.x.grab()[oy:oy + 768, ox:ox + 1024]

    @staticmethod
    def colours(img):
        flat = img.reshape(-1, 3)
        return len(np.unique(flat[:: 97], axis=0))

    def shot(self, label, img=None):
        if not self.shots_dir:
            return None
        os.makedirs(self.shots_dir, exist_ok=True)
        path = os.path.join(self.shots_dir, f"{self.name}-{label}.png")
        img = self.grab() if img is None else img
        Image.fromarray(img.astype(np.uint8)).save(path)
        return path

    # files

    def progress(self):
        return Progress(self.media)

    def has_file(self, name):
        return os.path.exists(os.path.join(self.media, name))
