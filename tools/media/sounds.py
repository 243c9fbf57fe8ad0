"""The sound effects and the ending's tune, synthesised from scratch."""
import os
import subprocess
import wave

import numpy as np

RATE = 44100
PEAK_LIMIT = 0.89          # -1 dBFS: nothing clips, even resampled
TARGET_RMS = 0.16          # about -16 dBFS over the sounding part


def t_axis(dur):
    return np.arange(int(dur * RATE)) / RATE


def env(n, attack=0.005, release=0.05, hold=None):
    """Linear attack, exponential-ish decay to silence: no clicks at the ends."""
    e = np.ones(n)
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    e[:a] = np.linspace(0, 1, a)
    if hold is None:
        e[a:] = np.exp(-np.linspace(0, 5, n - a))
    else:
        h = int(hold * RATE)
        tail = n - a - h
        if tail > 0:
            e[a + h:] = np.exp(-np.linspace(0, 6, tail))
    e[-r:] *= np.linspace(1, 0, r)
    return e


def tone(freq, dur, partials=((1, 1.0),), decay=4.0, attack=0.004, vibrato=0.0, bend=None):
    t = t_axis(dur)
    f = np.full_like(t, freq) if bend is None else freq * bend(t / dur)
    if vibrato:
        f = f * (1 + vibrato * np.sin(2 * np.pi * 5.5 * t))
    phase = 2 * np.pi * np.cumsum(f) / RATE
    out = np.zeros_like(t)
    for mult, amp in partials:
        out += amp * np.sin(mult * phase)
    e = np.exp(-decay * t)
    a = max(1, int(attack * RATE))
    e[:a] *= np.linspace(0, 1, a)
    r = min(len(t), int(0.01 * RATE))
    e[-r:] *= np.linspace(1, 0, r)
    return out * e


def noise(dur, seed=1):
    return np.random.default_rng(seed).standard_normal(int(dur * RATE))


def band(x, lo, hi):
    """Band-pass by FFT masking with soft edges."""
    spec = np.fft.rfft(x)
    freqs = np.fft.rfftfreq(len(x), 1 / RATE)
    w = 1 / (1 + (lo / np.maximum(freqs, 1)) ** 4) / (1 + (freqs / hi) ** 4)
    return np.fft.irfft(spec * w, len(x))


def place(buf, x, at):
    i = int(at * RATE)
    end = min(len(buf), i + len(x))
    buf[i:end] += x[:end - i]


def normalise(x):
    """Same loudness for every effect, peaks kept below the limit."""
    x = x - np.mean(x)
    loud = np.abs(x) > 0.05 * np.max(np.abs(x))
    rms = np.sqrt(np.mean(x[loud] ** 2)) if np.any(loud) else 1.0
    gain = min(TARGET_RMS / rms, PEAK_LIMIT / np.max(np.abs(x)))
    x = x * gain
    fade = min(len(x), int(0.004 * RATE))
    x[:fade] *= np.linspace(0, 1, fade)
    x[-fade:] *= np.linspace(1, 0, fade)
    return x


def midi(n):
    return 440.0 * 2 ** ((n - 69) / 12)


# ----------------------------------------------------------------- effects --

def brass(freq, dur, amp=1.0):
    partials = [(k, 1.0 / k ** 0.9) for k in range(1, 9)]
    t = t_axis(dur)
    x = tone(freq, dur, partials, decay=0.6, attack=0.03, vibrato=0.004)
    swell = np.minimum(1, t / 0.06)
    return amp * x * swell * env(len(t), 0.02, 0.08, hold=dur * 0.6)


def fanfare():
    buf = np.zeros(int(1.7 * RATE))
    notes = [(67, 0.0, 0.16), (72, 0.15, 0.16), (76, 0.30, 0.16), (79, 0.45, 0.5)]
    for n, at, d in notes:
        place(buf, brass(midi(n), d + 0.08), at)
    for n in (72, 76, 79, 84):
        place(buf, brass(midi(n), 0.8, 0.55), 0.8)
    return buf


def slide():
    """A barrel rolling off: rumble with the knock of its staves."""
    dur = 0.75
    t = t_axis(dur)
    rumble = band(noise(dur, 2), 60, 420)
    knock = 0.6 + 0.2 * np.tanh(4 * np.sin(2 * np.pi * 11 * t))  # smooth: no clicks
    x = rumble * knock + 0.5 * tone(70, dur, ((1, 1), (2, 0.4)), decay=2.5)
    return x * env(len(t), 0.03, 0.15, hold=0.35)


def step():
    dur = 0.09
    t = t_axis(dur)
    thud = band(noise(dur, 3), 80, 900) * np.exp(-t * 60)
    return thud + 0.6 * tone(110, dur, ((1, 1),), decay=45)


def push_step():
    dur = 0.22
    t = t_axis(dur)
    scrape = band(noise(dur, 4), 200, 2400) * np.exp(-t * 14) * (0.7 + 0.3 * np.sin(2 * np.pi * 33 * t))
    creak = 0.35 * tone(150, dur, ((1, 1), (2, 0.6), (3, 0.3)), decay=10,
                        bend=lambda u: 1 + 0.15 * u)
    return scrape + creak + 0.4 * tone(80, dur, decay=30)


def death():
    """A sad whistle sliding down, then a soft bump."""
    dur = 0.95
    whistle = tone(900, dur, ((1, 1), (2, 0.15)), decay=1.0, attack=0.01, vibrato=0.01,
                   bend=lambda u: 1 - 0.72 * u ** 0.8)
    buf = np.zeros(int(1.1 * RATE))
    place(buf, whistle * env(len(whistle), 0.01, 0.1, hold=0.7), 0)
    place(buf, 0.9 * tone(70, 0.25, ((1, 1), (2, 0.3)), decay=14), 0.85)
    return buf


def bell(freq, dur, amp=1.0):
    partials = ((1, 1.0), (2.01, 0.45), (3.02, 0.2), (4.16, 0.12), (5.43, 0.06))
    return amp * tone(freq, dur, partials, decay=5.5, attack=0.002)


def chime_high():
    buf = np.zeros(int(0.8 * RATE))
    place(buf, bell(midi(84), 0.6), 0)
    place(buf, bell(midi(91), 0.6, 0.8), 0.08)
    return buf


def chime_low():
    buf = np.zeros(int(0.9 * RATE))
    place(buf, 0.8 * tone(180, 0.2, ((1, 1), (2.7, 0.4)), decay=30), 0)
    place(buf, bell(midi(79), 0.8), 0.03)
    place(buf, bell(midi(86), 0.7, 0.6), 0.03)
    return buf


def clink():
    """Two glasses touching, with a bright sparkle."""
    buf = np.zeros(int(0.6 * RATE))
    place(buf, tone(2350, 0.5, ((1, 1), (2.32, 0.5), (3.7, 0.25)), decay=9, attack=0.001), 0)
    place(buf, 0.7 * tone(3130, 0.4, ((1, 1), (2.1, 0.3)), decay=11, attack=0.001), 0.05)
    place(buf, 0.5 * bell(midi(96), 0.4), 0.1)
    return buf


def splash():
    dur = 0.8
    t = t_axis(dur)
    wash = band(noise(dur, 5), 300, 5000) * np.exp(-t * 6) * np.minimum(1, t / 0.01)
    buf = wash.copy()
    rng = np.random.default_rng(6)
    for i in range(7):
        f = rng.uniform(500, 1100)
        place(buf, 0.35 * tone(f, 0.08, decay=30, bend=lambda u: 1 + 0.8 * u), 0.08 + i * 0.07)
    place(buf, 0.6 * tone(90, 0.3, decay=12), 0)
    return buf


def level_end():
    buf = np.zeros(int(1.3 * RATE))
    for i, n in enumerate((72, 76, 79)):
        place(buf, bell(midi(n), 0.5, 0.8), i * 0.12)
        place(buf, 0.5 * brass(midi(n - 12), 0.2), i * 0.12)
    for n in (72, 76, 79, 84):
        place(buf, bell(midi(n), 0.9, 0.55), 0.4)
    return buf


def trap_on():
    """Spikes shooting up: a metal schwing."""
    dur = 0.4
    t = t_axis(dur)
    hiss = band(noise(dur, 7), 2500, 9000) * np.exp(-t * 18)
    ring = tone(1480, dur, ((1, 1), (1.47, 0.6), (2.09, 0.4), (2.93, 0.3)), decay=10,
                bend=lambda u: 1 + 0.05 * u)
    return 0.7 * hiss + ring


def trap_off():
    """Spikes sliding back down: a clunk (played at half speed)."""
    dur = 0.3
    t = t_axis(dur)
    click = band(noise(dur, 8), 300, 3000) * np.exp(-t * 40)
    ring = 0.6 * tone(620, dur, ((1, 1), (1.53, 0.5), (2.3, 0.3)), decay=16,
                      bend=lambda u: 1 - 0.1 * u)
    return click + ring + 0.5 * tone(120, dur, decay=25)


def jump():
    """A spring: boing."""
    dur = 0.55
    x = tone(180, dur, ((1, 1), (2, 0.35), (3, 0.12)), decay=3.5, attack=0.003,
             bend=lambda u: 1 + 1.6 * np.sqrt(u) + 0.08 * np.sin(2 * np.pi * 14 * u))
    t = t_axis(dur)
    return x * (0.75 + 0.25 * np.cos(2 * np.pi * 16 * t)) + 0.4 * band(noise(0.55, 9), 100, 800) * np.exp(-t * 50)


EFFECTS = {0: fanfare, 1: slide, 2: step, 3: push_step, 4: death, 5: chime_high, 6: chime_low, 7: splash, 8: clink,
           9: level_end, 11: trap_on, 12: trap_off, 13: jump}


def write_wav(path, x, rate=RATE):
    pcm = np.clip(np.round(x * 32767), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(pcm.tobytes())


def measure(x):
    loud = np.abs(x) > 0.05 * np.max(np.abs(x))
    peak = np.max(np.abs(x))
    rms = np.sqrt(np.mean(x[loud] ** 2))
    return 20 * np.log10(peak), 20 * np.log10(rms)


# ------------------------------------------------------------------ music --

TEMPO = 126
EIGHTH = 60.0 / TEMPO / 2
BAR = 4 * EIGHTH

# Melody per bar in eighths: (midi note or 0 for rest, length in eighths).
A = [[(67, 1), (71, 1), (74, 1), (71, 1)], [(72, 1), (69, 1), (66, 1), (69, 1)],
     [(67, 1), (71, 1), (74, 1), (79, 1)], [(78, 1), (76, 1), (74, 2)],
     [(72, 1), (76, 1), (79, 1), (76, 1)], [(74, 1), (71, 1), (67, 1), (71, 1)],
     [(69, 1), (72, 1), (78, 1), (76, 1)], [(79, 2), (67, 2)]]
A2 = A[:6] + [[(69, 1), (72, 1), (66, 1), (69, 1)], [(67, 2), (0, 2)]]
B = [[(76, 1), (76, 1), (74, 1), (72, 1)], [(71, 1), (72, 1), (74, 2)],
     [(74, 1), (74, 1), (72, 1), (71, 1)], [(69, 2), (66, 2)],
     [(76, 1), (79, 1), (76, 1), (72, 1)], [(71, 1), (74, 1), (79, 1), (74, 1)],
     [(72, 1), (69, 1), (66, 1), (69, 1)], [(67, 2), (0, 2)]]
CHORDS_A = ["G", "D7", "G", "D", "C", "G", "D7", "G"]
CHORDS_B = ["C", "G", "D7", "D7", "C", "G", "D7", "G"]
CHORD_NOTES = {"G": (43, [55, 59, 62]), "D": (38, [54, 57, 62]), "D7": (38, [54, 57, 60]),
               "C": (36, [55, 60, 64])}


def accordion(freq, dur, amp):
    t = t_axis(dur)
    reed = np.zeros_like(t)
    for det in (1.0, 1.004):
        ph = 2 * np.pi * freq * det * t
        for k in range(1, 7):
            reed += np.sin(k * ph) / k ** 1.3
    e = np.minimum(1, t / 0.015) * np.minimum(1, (dur - t) / 0.03).clip(0, 1)
    return amp * reed * e * (1 + 0.08 * np.sin(2 * np.pi * 6 * t))


def tuba(freq, dur, amp):
    t = t_axis(dur)
    ph = 2 * np.pi * freq * t
    x = np.sin(ph) + 0.5 * np.sin(2 * ph) + 0.2 * np.sin(3 * ph)
    e = np.minimum(1, t / 0.01) * np.exp(-t * 4) * np.minimum(1, (dur - t) / 0.02).clip(0, 1)
    return amp * x * e


def clarinet(freq, dur, amp):
    t = t_axis(dur)
    ph = 2 * np.pi * freq * t * (1 + 0.003 * np.sin(2 * np.pi * 5 * t))
    x = np.sin(ph) + 0.4 * np.sin(3 * ph) + 0.2 * np.sin(5 * ph)
    e = np.minimum(1, t / 0.03) * np.minimum(1, (dur - t) / 0.04).clip(0, 1)
    return amp * x * e


def brush(dur, amp, seed):
    t = t_axis(dur)
    return amp * band(noise(dur, seed), 3000, 10000) * np.exp(-t * 40)


def music():
    sections = [("intro", None)] + [("A", A), ("A", A2), ("B", B), ("A", A2), ("A+", A), ("B+", B), ("A+", A2),
                                     ("end", None)]
    bars = sum(2 if name in ("intro", "end") else 8 for name, _ in sections)
    buf = np.zeros(int((bars * BAR + 2.0) * RATE))
    at = 0.0
    seed = 100
    for name, melody in sections:
        chords = CHORDS_B if name.startswith("B") else CHORDS_A
        nbars = 2 if name in ("intro", "end") else 8
        for b in range(nbars):
            chord = "G" if name in ("intro", "end") else chords[b]
            bass, triad = CHORD_NOTES[chord]
            if name == "end" and b == 1:
                place(buf, tuba(midi(bass), BAR * 1.5, 0.55), at)
                for n in triad + [67, 71, 74, 79]:
                    place(buf, accordion(midi(n), BAR * 1.5, 0.12), at)
                at += BAR
                continue
            # oom-pah: bass on the beats, chord on the off-beats
            place(buf, tuba(midi(bass), EIGHTH * 1.6, 0.5), at)
            place(buf, tuba(midi(bass + 7), EIGHTH * 1.6, 0.42), at + 2 * EIGHTH)
            for off in (1, 3):
                for n in triad:
                    place(buf, accordion(midi(n), EIGHTH * 0.7, 0.07), at + off * EIGHTH)
                seed += 1
                place(buf, brush(0.08, 0.06, seed), at + off * EIGHTH)
            if melody is not None:
                pos = at
                lift = 12 if name.endswith("+") else 0
                for note, length in melody[b]:
                    if note:
                        d = length * EIGHTH * 0.92
                        place(buf, accordion(midi(note + lift), d, 0.2 if not lift else 0.14), pos)
                        if name.endswith("+"):
                            place(buf, clarinet(midi(note - 5 if note > 70 else note - 3), d, 0.1), pos)
                    pos += length * EIGHTH
            at += BAR
    x = buf[:int((at + 1.2) * RATE)]
    x = x / np.max(np.abs(x)) * 0.85
    fade = int(0.8 * RATE)
    x[-fade:] *= np.linspace(1, 0, fade)
    return x


def build(out_dir, report=True):
    samp = os.path.join(out_dir, "samp")
    os.makedirs(samp, exist_ok=True)
    lines = []
    for n, make in EFFECTS.items():
        x = normalise(make())
        write_wav(os.path.join(samp, f"s{n}.wav"), x)
        peak, rms = measure(x)
        lines.append(f"s{n}.wav  {len(x) / RATE:5.2f} s  peak {peak:6.1f} dBFS  rms {rms:6.1f} dBFS")
    tune = music()
    # The game decodes the whole tune while it starts: half the rate halves
    # that wait, and the tune has nothing above 10 kHz worth keeping.
    tune = band(tune, 20, 10000)[::2]
    tmp = os.path.join(samp, "tune.tmp.wav")
    write_wav(tmp, tune, RATE // 2)
    subprocess.run(["oggenc", "-Q", "-q", "4", "-o", os.path.join(samp, "Jeszcze po kropelce.ogg"), tmp], check=True)
    os.remove(tmp)
    peak, rms = measure(tune)
    lines.append(f"music      {2 * len(tune) / RATE:5.1f} s  peak {peak:6.1f} dBFS  rms {rms:6.1f} dBFS")
    if report:
        print("\n".join(lines))
