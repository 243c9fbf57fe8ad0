"""The built game played as a player plays it, one scenario per run:

    scenarios.py --run-dir DIR --pristine FILE --levels DIR --level-tool EXE [--shots DIR] SCENARIO

Needs an X server of its own (DISPLAY), xdotool, and /usr/bin/python3 with PIL
and numpy. Prints what failed and exits 1 on any failure."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import (BOARD, CLOCK, LEVEL_LINE, Failure, Game, cell_box, count_colour, difference, mean,  # noqa: E402
                     region, write_progress)

FRAME_COLOUR = (120, 140, 140)  # the frame around the smaller field of levels 1 to 20
LEVEL_LINE_COLOUR = (222, 222, 22)
STAR_POINTS_COLOUR = (28, 222, 28)  # the result screen's points once the star is won
MOVES = {"R": ("Right", 1, 0), "L": ("Left", -1, 0), "U": ("Up", 0, -1), "D": ("Down", 0, 1)}

# Pointer positions on the game's screens.
MENU_BUTTON = (878, 13)
HELP_BUTTON = (700, 13)
GRID_BACK = (512, 640)
HELP_BACK = (512, 690)
ABOUT_BACK = (512, 660)


def menu_item(k):
    return (512, 317 + 40 * k)


def grid_cell(n):
    col, row = (n - 1) % 10, (n - 1) // 10
    x, y = 65 + 90 * col, 150 + 90 * row + (20 if n > 20 else 0)
    return (x + 40, y + 35), (x, y, x + 86, y + 76)


class Checks:
    def __init__(self):
        self.failures = []

    def __call__(self, condition, message):
        if not condition:
            print("FAIL:", message, flush=True)
            self.failures.append(message)
        return condition


SCENARIOS = {}


def scenario(f):
    SCENARIOS[f.__name__] = f
    return f


# --- shared steps ---------------------------------------------------------

def solution(levels_dir, n):
    for line in open(os.path.join(levels_dir, f"{n:02d}.txt")):
        if line.startswith("solution:"):
            return line.split(":", 1)[1].strip()
    raise Failure(f"level {n} has no stored solution")


def walk(game, moves, start):
    """Plays moves from cell start; returns the keeper's cell."""
    col, row = start
    for ch in moves:
        key, dc, dr = MOVES[ch]
        col, row = col + dc, row + dr
        game.step(key, (col, row))
    return col, row


def play_screen(game):
    """Waits until play shows a level with the keeper; returns the picture."""
    game.wait_until(lambda: game.player() is not None, 60, "the keeper on the board")
    return game.wait_settled()


def level_line(img):
    return region(img, *LEVEL_LINE)


def same_level_line(a, b):
    """The level lines differ in a digit or two: count the pixels that changed."""
    changed = np.abs(level_line(a) - level_line(b)).max(axis=2) > 60
    return int(changed.sum()) < 15


def shows_level_line(img):
    return count_colour(level_line(img), LEVEL_LINE_COLOUR, 10) > 40


def framed(img):
    """Levels 1 to 20 stand in a frame of 20 pixels around the smaller field."""
    band = region(img, 38, 100, 56, 700)
    return count_colour(band, FRAME_COLOUR, 4) > 0.9 * band.shape[0] * band.shape[1]


def board_changed(game, before, threshold=12):
    """True once the board area differs strongly from before (a screen opened)."""
    return difference(region(game.grab(), *BOARD), region(before, *BOARD)) > threshold


def back_at(game, before, threshold=3):
    """True once the play picture is again the one from before (the clock aside)."""
    return difference(region(game.grab(), *BOARD), region(before, *BOARD)) < threshold


def open_screen(game, play, how, what):
    game.act_until(how, lambda: board_changed(game, play), what)
    return game.wait_settled()


def back_to_play(game, play, how, what):
    """how() leaves a screen; waits until the level is shown again, fade-in over."""
    game.act_until(how, lambda: back_at(game, play), what)
    game.wait_until(lambda: back_at(game, game.wait_settled(), 0.5) and back_at(game, play), 30, what)


def quit_and_read(game, check):
    status = game.quit()
    check(status == 0, f"exit status {status}: {game.errors()}")
    check(not game.has_file("dataXX.txt"), "the plain level file is left behind")
    return game.progress()


# --- scenarios ------------------------------------------------------------

@scenario
def first_start(game, check, args):
    game.start()
    print(f"first frame {game.first_frame_after:.2f} s after start")
    check(game.has_file("dataXX.txt"), "no plain level file while the game runs")
    img = play_screen(game)
    game.shot("level1", img)
    check(shows_level_line(img), "the top bar shows no level line")
    check(framed(img), "level 1 is not framed")
    buttons = region(img, 660, 4, 925, 24)
    check(buttons.std() > 20, "the top bar's buttons are missing")
    check(game.player(img) is not None and tuple(map(int, game.player(img))) == (2, 2),
          f"the keeper stands at {game.player(img)}, not on cell (2, 2)")
    p = quit_and_read(game, check)
    check(p.unlocked == 1 and p.best_mugs == [0] * 50 and p.stars == [0] * 50,
          f"a first start that only quits saved {p}")


@scenario
def level_one(game, check, args):
    game.start()
    first = play_screen(game)
    end = walk(game, solution(args.levels, 1)[:-1], (2, 2))
    last = solution(args.levels, 1)[-1]
    game.hold(MOVES[last][0], 0.2)  # into the door: the keeper is hidden by its frame
    play_mean = mean(region(first, *BOARD))
    game.wait_until(lambda: mean(region(game.grab(), *BOARD)) < 0.5 * play_mean, 60,
                    f"the level-end fade after walking from {end}")
    # The points count up for a few thousand frames; they turn green with the star.
    points = (440, 325, 590, 372)
    game.wait_until(lambda: count_colour(region(game.grab(), *points), STAR_POINTS_COLOUR, 8) > 30, 240,
                    "the points to reach the star")
    game.shot("result-star")
    game.hold("Return", 0.2)
    level2 = play_screen(game)
    game.shot("level2", level2)
    check(not same_level_line(level2, first), "the top bar still names level 1")
    check(difference(region(level2, *BOARD), region(first, *BOARD)) > 5, "the board is still level 1's")
    check(framed(level2), "level 2 is not framed")
    p = quit_and_read(game, check)
    check(p.unlocked == 2, f"unlocked level {p.unlocked}, not 2")
    check(p.best_mugs[0] == 3 and p.best_mugs[1:] == [0] * 49, f"best mugs {p.best_mugs}")
    check(p.stars[0] == 1 and p.stars[1:] == [0] * 49, f"stars {p.stars}")
    check(p.seconds > 0, "no play time saved")


def scratch_levels(args, number, rows):
    """A stored level file with level number replaced by a picture of rows."""
    src = tempfile.mkdtemp(prefix="e2e-levels-")
    for f in os.listdir(args.levels):
        shutil.copy(os.path.join(args.levels, f), src)
    with open(os.path.join(src, f"{number:02d}.txt"), "w") as f:
        f.write("title: Scratch\nidea: a test board\nsolution: R\n")
        f.write("".join(" ".join(f"{v:3d}" for v in row) + "\n" for row in rows))
    out = os.path.join(src, "data.txt")
    subprocess.run([args.level_tool, "build", src, out], check=True, timeout=60)
    return out


# A mug right of the keeper and a pit right of the mug.
DEATH_LEVEL = [
    [21] * 13,
    [21] + [24] * 11 + [21],
    [21, 24, 69, 10, 1, 0, 0, 0, 0, 0, 0, 24, 21],
    [21, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 21],
    [21, 24, 0, 10, 0, 0, 0, 0, 0, 0, 0, 8, 21],
    [21, 24, 0, 0, 0, 0, 0, 0, 10, 0, 0, 24, 21],
    [21, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 21],
    [21, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 21],
    [21] + [24] * 11 + [21],
    [21] * 13,
]


@scenario
def death(game, check, args):
    shutil.copy(scratch_levels(args, 1, DEATH_LEVEL), os.path.join(game.media, "data.txt"))
    game.start()
    first = play_screen(game)
    mug = cell_box(3, 2)
    walk(game, "R", (2, 2))
    taken = game.wait_settled()
    check(difference(region(taken, *cell_box(4, 2)), region(first, *cell_box(4, 2))) < 3,
          "the cell beyond the mug changed")
    game.hold("Right", 0.2)  # into the pit
    play_mean = mean(region(first, *BOARD))
    game.wait_until(lambda: mean(region(game.grab(), *BOARD)) < 0.6 * play_mean, 60, "the screen to darken")
    game.shot("dying")
    again = play_screen(game)
    game.shot("restarted", again)
    check(tuple(map(int, game.player(again))) == (2, 2), f"after the death the keeper is at {game.player(again)}")
    check(difference(region(again, *mug), region(first, *mug)) < 2, "the mug did not come back")
    check(same_level_line(again, first), "the top bar names another level")
    p = quit_and_read(game, check)
    check(p.unlocked == 1 and p.best_mugs[0] == 0, f"a death was recorded as a result: {p}")


@scenario
def menu_and_grid(game, check, args):
    write_progress(game.media, unlocked=3, best_mugs=[3, 1], stars=[1])
    game.start()
    level3 = play_screen(game)
    menu = open_screen(game, level3, lambda: game.hold("m"), "the main menu after M")
    game.shot("menu", menu)
    back_to_play(game, level3, lambda: game.hold("Return"), "play after Enter in the menu")
    open_screen(game, level3, lambda: game.click(*MENU_BUTTON), "the main menu after its button")
    open_grid(game)
    grid = game.wait_settled()
    game.shot("grid", grid)
    cell = {n: region(grid, *grid_cell(n)[1]) for n in (1, 2, 3, 4, 5)}
    check(difference(cell[4], cell[5]) < 8, "two locked cells look different")
    check(difference(cell[2], cell[5]) > 8, "an open cell looks like a locked one")
    check(difference(cell[3], cell[2]) > 3, "the level reached looks like a finished one")
    check(has_star(cell[1]) and not has_star(cell[2]), "the grid does not show level 1's star alone")

    game.click(*grid_cell(5)[0])  # locked
    time.sleep(1.0)
    still = game.grab()
    check(difference(region(still, 40, 80, 981, 690), region(grid, 40, 80, 981, 690)) < 3,
          "a click on a locked cell changed the grid")

    game.act_until(lambda: game.click(*grid_cell(2)[0]), lambda: game.player() is not None,
                   "level 2 after its cell was clicked")
    level2 = game.wait_settled()
    game.shot("level2-from-grid", level2)
    check(not same_level_line(level2, level3), "the top bar still names level 3")
    check(difference(region(level2, *BOARD), region(level3, *BOARD)) > 5, "the board is still level 3's")

    open_screen(game, level2, lambda: game.hold("m"), "the main menu")
    open_grid(game)
    back_to_play(game, level2, lambda: game.click(*GRID_BACK), "play after the grid's back label")
    p = quit_and_read(game, check)
    check(p.unlocked == 3, f"choosing an earlier level changed the unlocked level to {p.unlocked}")


def has_star(cell):
    """The star icon in the corner of a grid cell: golden pixels."""
    icon = region(cell, 57, 50, 77, 70)  # inside the highlight border
    gold = (icon[..., 0] > 200) & (icon[..., 1] > 160) & (icon[..., 2] < 100)
    return int(gold.sum()) > 40


def shows_grid(img):
    """The grid's dark panel between its second and third rows of cells, where
    the menu shows the level beside its own panel."""
    return mean(region(img, 200, 320, 960, 345)) < 40


def open_grid(game):
    # Not judged by a change from the menu's picture: the item's highlight,
    # or a fade caught in that picture, changes it too, and a click made
    # during the fade is never seen.
    game.act_until(lambda: game.click(*menu_item(1)), lambda: shows_grid(game.grab()), "the level grid")


def shows_reset_dialog(img):
    """The dialog's red "yes"."""
    yes = region(img, 395, 410, 470, 436)
    return int(((yes[..., 0] > 180) & (yes[..., 1] < 80) & (yes[..., 2] < 80)).sum()) > 100


def open_reset_dialog(game, play):
    open_screen(game, play, lambda: game.hold("m"), "the main menu")
    game.act_until(lambda: game.click(*menu_item(2)), lambda: shows_reset_dialog(game.grab()), "the reset dialog")
    return game.wait_settled()


@scenario
def reset_dialog(game, check, args):
    saved = dict(unlocked=3, best_mugs=[3, 2], stars=[1, 1], seconds=3725)
    write_progress(game.media, **saved)
    game.start()
    level3 = play_screen(game)
    game.shot("dialog", open_reset_dialog(game, level3))
    back_to_play(game, level3, lambda: game.hold("n"), "play after N")
    open_reset_dialog(game, level3)
    # Escape leaves the dialog unchanged, and the game then ends like Escape in play.
    status = game.quit()
    check(status == 0, f"exit status {status}")
    p = game.progress()
    check(p.unlocked == 3 and p.best_mugs[:3] == [3, 2, 0] and p.stars[:3] == [1, 1, 0] and p.seconds >= 3725,
          f"N and Escape changed the progress: {p}")

    game.start()
    level3 = play_screen(game)
    open_reset_dialog(game, level3)
    game.act_until(lambda: game.hold("t"), lambda: game.player() is not None, "play after T")
    level1 = play_screen(game)
    game.shot("after-reset", level1)
    check(tuple(map(int, game.player(level1))) == (2, 2), "the keeper is not at level 1's start")
    check(not same_level_line(level1, level3), "the top bar still names level 3")
    open_screen(game, level1, lambda: game.hold("m"), "the main menu")
    open_grid(game)
    game.wait_settled()

    def cells():
        grid = game.grab()
        return grid, {n: region(grid, *grid_cell(n)[1]) for n in (1, 2, 4)}

    # A frame of a transition can look still on a loaded machine: wait for the
    # end state rather than judge one picture.
    if not game.wait_until(lambda: difference(cells()[1][2], cells()[1][4]) < 8, 10, "", quiet=True):
        check(False, "level 2 is still open after the reset")
    grid, shown = cells()
    game.shot("grid-after-reset", grid)
    check(not has_star(shown[1]), "level 1 still shows its star")
    game.act_until(lambda: game.hold("Return"), lambda: game.player() is not None, "play after Enter in the grid")
    p = quit_and_read(game, check)
    check(p.unlocked == 1 and p.best_mugs == [0] * 50 and p.stars == [0] * 50 and p.star_spare == 0,
          f"the reset left progress behind: {p}")
    check(p.seconds < 600, f"the reset kept the play time: {p.seconds} s")


@scenario
def help_and_about(game, check, args):
    game.start()
    play = play_screen(game)
    page = open_screen(game, play, lambda: game.hold("i"), "the help page after I")
    game.shot("help", page)
    back_to_play(game, play, lambda: game.hold("Return"), "play after Enter on the help page")
    open_screen(game, play, lambda: game.click(*HELP_BUTTON), "the help page after its button")
    # The page is see-through, and what shines through depends on the picture before.
    area = (220, 60, 800, 720)
    near_page = difference(region(play, *area), region(page, *area)) / 3
    # A busy machine can make a fade look still for a moment: judge the end state.
    same_page = game.wait_until(lambda: difference(region(game.grab(), *area), region(page, *area)) < near_page, 10,
                                "", quiet=True)
    if not same_page:
        game.shot("help-by-button")
    check(same_page, "the button opens another page than I")
    back_to_play(game, play, lambda: game.click(*HELP_BACK), "play after the help page's back label")

    open_screen(game, play, lambda: game.hold("m"), "the main menu")
    menu = game.wait_settled()
    area = (120, 530, 900, 690)  # below the menu, above the about page's foot
    game.act_until(lambda: game.click(*menu_item(3)),
                   lambda: difference(region(game.grab(), *area), region(menu, *area)) > 10, "the about page")
    about = game.wait_settled()
    game.shot("about", about)
    check(difference(region(about, 120, 90, 900, 690), region(play, 120, 90, 900, 690)) > 10,
          "the about page does not cover the level")
    back_to_play(game, play, lambda: game.click(*ABOUT_BACK), "play after the about page's back label")
    menu = open_screen(game, play, lambda: game.hold("m"), "the main menu")
    game.act_until(lambda: game.click(*menu_item(3)),
                   lambda: difference(region(game.grab(), *area), region(menu, *area)) > 10, "the about page")
    game.wait_settled()
    back_to_play(game, play, lambda: game.hold("Return"), "play after Enter on the about page")
    status = game.quit()
    check(status == 0, f"exit status {status}")


@scenario
def full_screen(game, check, args):
    game.start()
    play_screen(game)
    screen = game.x.screen_size()
    game.find_window_again(lambda: game.hold("F11", 0.3))
    (x, y), size = game.x.geometry(game.window)
    print(f"screen {screen[0]}x{screen[1]}: after F11 the window is {size[0]}x{size[1]} at {x},{y}")
    if screen == (1024, 768):
        check(size == (1024, 768) and (x, y) == (0, 0), f"full screen window is {size} at {(x, y)}")
    after = play_screen(game)
    game.shot(f"full-screen-{screen[0]}x{screen[1]}", after)
    check(shows_level_line(after) and framed(after), "the level is not shown in full screen")
    walk(game, "RD", (2, 2))
    game.hold("F11", 0.3)  # a second F11 changes nothing
    time.sleep(1)
    check(game.running() and game.window in game.x.windows(), "a second F11 made the display anew")
    status = game.quit()
    check(status == 0, f"exit status {status}: {game.errors()}")


@scenario
def close_and_resume(game, check, args):
    # Level 3 has no water, trap or beam, so its board comes to rest.
    write_progress(game.media, unlocked=3, best_mugs=[3, 2], stars=[1], seconds=3725)
    game.start()
    level3 = play_screen(game)
    game.shot("before-close", level3)
    walk(game, solution(args.levels, 3)[:1], (6, 6))
    time.sleep(1.5)
    status = game.close()
    check(status == 0, f"the close button ended the game with status {status}: {game.errors()}")
    check(not game.has_file("dataXX.txt"), "the plain level file is left behind")
    p = game.progress()
    check(p.unlocked == 3 and p.best_mugs[:3] == [3, 2, 0] and p.stars[:2] == [1, 0],
          f"the close button lost progress: {p}")
    check(p.seconds > 3725, f"the close button did not save the play time: {p.seconds}")
    saved = p.seconds

    started = time.monotonic()
    game.start()
    resumed = play_screen(game)
    game.shot("resumed", resumed)
    check(same_level_line(resumed, level3), "the second start names another level")
    check(difference(region(resumed, *BOARD), region(level3, *BOARD)) < 3, "the second start shows another board")
    # One digit of the clock may change only a few dozen pixels: count them.
    clock_moved = np.abs(region(resumed, *CLOCK) - region(level3, *CLOCK)).max(axis=2) > 60
    check(int(clock_moved.sum()) > 5, "the clock did not go on from the save")
    p = quit_and_read(game, check)
    ran = time.monotonic() - started
    check(saved <= p.seconds <= saved + ran + 1, f"the clock went from {saved} to {p.seconds} in {ran:.0f} s")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--run-dir", required=True)
    parser.add_argument("--pristine", required=True)
    parser.add_argument("--levels", required=True)
    parser.add_argument("--level-tool", required=True)
    parser.add_argument("--shots")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    args = parser.parse_args()
    check = Checks()
    game = Game(args.run_dir, args.pristine, args.shots, args.scenario)
    started = time.monotonic()
    try:
        SCENARIOS[args.scenario](game, check, args)
    except Failure as e:
        check(False, str(e))
    except Exception:
        traceback.print_exc()
        check(False, "the scenario broke")
    finally:
        game.cleanup()
    print(f"{args.scenario}: {len(check.failures)} failures, {time.monotonic() - started:.0f} s")
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
