"""Pictures of the things on the board, shared by the tile sheet and the
object sheet: mugs, keys, crates, the rolling barrel, beams and stars."""
import math
import random

import numpy as np
from PIL import Image

from art import (BEER, BEER_LIGHT, BRASS, COPPER, COPPER_DARK, COPPER_LIGHT, FOAM, GOLD, GOLD_DARK,
                 GOLD_LIGHT, IRON, IRON_DARK, IRON_LIGHT, OUTLINE, WOOD, WOOD_DARK, WOOD_LIGHT, Sprite,
                 mix, rgba, rotate_pts, shade)


def mug(sp, x, y, size, tilt=0.0):
    """A foaming beer mug in the box (x, y, size, size)."""
    s = size / 60.0

    def P(px, py):
        return x + px * s, y + py * s

    # handle
    hx0, hy0 = P(38, 18)
    hx1, hy1 = P(58, 46)
    sp.ellipse(hx0, hy0, hx1, hy1, outline=OUTLINE, width=9 * s)
    sp.ellipse(hx0 + 1.2 * s, hy0 + 1.2 * s, hx1 - 1.2 * s, hy1 - 1.2 * s, outline=(238, 214, 170), width=6 * s)
    # body: glass full of beer
    bx0, by0 = P(8, 14)
    bx1, by1 = P(46, 56)
    m = sp.mask(lambda d, k: d.rounded_rectangle([bx0 * k, by0 * k, bx1 * k - 1, by1 * k - 1], 4 * s * k, fill=255))
    sp.gradient(m, BEER_LIGHT, shade(BEER, 0.72), horizontal=False)
    sp.rect(bx0, by0, bx1, by1, outline=OUTLINE, width=1.6 * s, radius=4 * s)
    # dimples of a tavern mug
    for row in range(3):
        for col in range(3):
            cx, cy = P(15 + col * 11, 24 + row * 10)
            sp.ellipse(cx - 3 * s, cy - 3.5 * s, cx + 3 * s, cy + 3.5 * s, fill=(255, 214, 120, 110))
    # glass highlights and the thick base
    sp.rect(*P(11, 18), *P(14, 52), fill=(255, 250, 230, 150), radius=1.5 * s)
    sp.rect(*P(40, 18), *P(42.5, 52), fill=(255, 240, 200, 90), radius=1 * s)
    sp.rect(*P(8.8, 50), *P(45.2, 55.2), fill=(250, 220, 160, 170), radius=2 * s)
    # foam
    for cx, cy, r in ((12, 14, 7), (21, 10, 8), (31, 11, 8), (40, 14, 7), (26, 15, 7), (16, 17, 5), (36, 17, 5)):
        px, py = P(cx, cy)
        sp.circle(px, py, r * s + 1.2 * s, fill=OUTLINE)
    for cx, cy, r in ((12, 14, 7), (21, 10, 8), (31, 11, 8), (40, 14, 7), (26, 15, 7), (16, 17, 5), (36, 17, 5)):
        px, py = P(cx, cy)
        sp.circle(px, py, r * s, fill=FOAM)
    for cx, cy, r in ((20, 8, 3), (30, 9, 3), (11, 12, 2.2)):
        px, py = P(cx, cy)
        sp.circle(px, py, r * s, fill=(255, 255, 255))
    # a drip of foam down the side
    sp.rect(*P(39, 16), *P(43, 26), fill=FOAM, radius=2 * s)


def key(sp, cx, cy, size, kind="gold", angle=-35):
    """A big key lying on the floor, centred on (cx, cy)."""
    s = size / 60.0
    if kind == "gold":
        body, light, dark = GOLD, GOLD_LIGHT, GOLD_DARK
    else:
        body, light, dark = (150, 170, 196), (228, 238, 252), (62, 72, 92)

    def R(pts):
        return rotate_pts([(cx + px * s, cy + py * s) for px, py in pts], cx, cy, angle)

    shaft = R([(-6, -3.4), (27, -3.4), (27, 3.4), (-6, 3.4)])
    bit1 = R([(14, 3), (19, 3), (19, 13), (14, 13)])
    bit2 = R([(22, 3), (27, 3), (27, 16), (22, 16)])
    for pts in (shaft, bit1, bit2):
        sp.poly(pts, fill=dark, outline=OUTLINE, width=2.6 * s)
    for pts in (shaft, bit1, bit2):
        sp.poly(pts, fill=body)
    sp.line(R([(-4, -1.5), (25, -1.5)]), light, width=1.4 * s)
    bx, by = R([(-16, 0)])[0]
    if kind == "gold":
        sp.circle(bx, by, 13 * s, fill=OUTLINE)
        sp.circle(bx, by, 11.6 * s, fill=body)
        sp.circle(bx - 2 * s, by - 2 * s, 8 * s, fill=light)
        sp.circle(bx, by, 8 * s, fill=body)
        # a clover-shaped hole in the bow
        for ox, oy in ((0, -3), (-3, 2), (3, 2)):
            hx, hy = R([(-16 + ox, oy)])[0]
            sp.circle(hx, hy, 2.8 * s, fill=dark)
    else:
        bow = R([(-28, -11), (-6, -11), (-6, 11), (-28, 11)])
        sp.poly(bow, fill=OUTLINE, outline=OUTLINE, width=3 * s)
        sp.poly(R([(-27, -10), (-7, -10), (-7, 10), (-27, 10)]), fill=body)
        sp.poly(R([(-23, -6), (-11, -6), (-11, 6), (-23, 6)]), fill=dark)
        for ox in (-19, -15):
            sp.line(R([(ox, -6), (ox, 6)]), body, width=1.6 * s)
        sp.line(R([(-26, -9), (-8, -9)]), light, width=1.2 * s)
        # a red tassel so it never reads as the gold one
        tx, ty = R([(-30, 0)])[0]
        sp.line([(tx, ty), (tx - 6 * s, ty + 10 * s)], (120, 20, 20), width=4 * s)
        sp.line([(tx, ty), (tx - 6 * s, ty + 10 * s)], (210, 40, 40), width=2.4 * s)


def _box_faces(sp, x0, y0, size, depth, top_draw, side, front):
    """A block seen from above with its right and front faces showing."""
    x1, y1 = x0 + size, y0 + size
    sp.shadow(lambda d, k: d.rectangle([(x0 + 4) * k, (y0 + 4) * k, (x1 + depth) * k, (y1 + depth) * k], fill=255),
              dx=2, dy=2, blur=2.5, alpha=120)
    sp.poly([(x1, y0), (x1 + depth, y0 + depth), (x1 + depth, y1 + depth), (x1, y1)], fill=side, outline=OUTLINE,
            width=1.2)
    sp.poly([(x0, y1), (x1, y1), (x1 + depth, y1 + depth), (x0 + depth, y1 + depth)], fill=front, outline=OUTLINE,
            width=1.2)
    top_draw(x0, y0, x1, y1)
    sp.rect(x0, y0, x1, y1, outline=OUTLINE, width=1.4)


def crate(sp, x0=2, y0=2, size=78, depth=9):
    """The wooden crate the player pushes."""

    def top(ax, ay, bx, by):
        m = sp.mask(lambda d, k: d.rectangle([ax * k, ay * k, bx * k - 1, by * k - 1], fill=255))
        sp.textured(m, WOOD, seed=17, amount=0.18, cell=6)
        # planks
        n = 4
        for i in range(1, n):
            yy = ay + (by - ay) * i / n
            sp.line([(ax + 1, yy), (bx - 1, yy)], WOOD_DARK, width=1.2)
        # frame and diagonal brace
        sp.rect(ax, ay, bx, by, outline=shade(WOOD_LIGHT, 0.95), width=7)
        sp.rect(ax + 7, ay + 7, bx - 7, by - 7, outline=WOOD_DARK, width=1.2)
        sp.line([(ax + 8, by - 8), (bx - 8, ay + 8)], WOOD_DARK, width=9)
        sp.line([(ax + 8, by - 8), (bx - 8, ay + 8)], WOOD_LIGHT, width=7)
        sp.line([(ax + 9, by - 10), (bx - 10, ay + 9)], shade(WOOD_LIGHT, 1.12), width=1.5)
        sp.line([(ax + 1.5, ay + 1.5), (bx - 1.5, ay + 1.5)], (235, 190, 130), width=1.2)
        for nx, ny in ((ax + 3.5, ay + 3.5), (bx - 3.5, ay + 3.5), (ax + 3.5, by - 3.5), (bx - 3.5, by - 3.5)):
            sp.circle(nx, ny, 1.4, fill=IRON_DARK)

    _box_faces(sp, x0, y0, size, depth, top, shade(WOOD, 0.62), shade(WOOD, 0.48))


def bottle_crate(sp, x0=2, y0=2, size=78, depth=9):
    """A red crate of bottles: the prize a cage keeps locked."""
    red, red_dark = (178, 52, 40), (110, 28, 22)

    def top(ax, ay, bx, by):
        m = sp.mask(lambda d, k: d.rectangle([ax * k, ay * k, bx * k - 1, by * k - 1], fill=255))
        sp.textured(m, red, seed=18, amount=0.12, cell=6)
        sp.rect(ax + 5, ay + 5, bx - 5, by - 5, fill=(60, 20, 16))
        cell = (bx - ax - 10) / 3
        for r in range(3):
            for c in range(3):
                cx = ax + 5 + cell * (c + 0.5)
                cy = ay + 5 + cell * (r + 0.5)
                sp.circle(cx, cy, cell * 0.42, fill=(40, 96, 44), outline=OUTLINE, width=1)
                sp.circle(cx, cy, cell * 0.24, fill=GOLD, outline=GOLD_DARK, width=1)
                sp.circle(cx - 1.5, cy - 1.5, cell * 0.09, fill=GOLD_LIGHT)
        for i in (1, 2):
            xx = ax + 5 + cell * i
            yy = ay + 5 + cell * i
            sp.line([(xx, ay + 5), (xx, by - 5)], red_dark, width=2)
            sp.line([(ax + 5, yy), (bx - 5, yy)], red_dark, width=2)
        sp.rect(ax, ay, bx, by, outline=shade(red, 1.2), width=4)
        sp.line([(ax + 1.5, ay + 1.5), (bx - 1.5, ay + 1.5)], (240, 130, 110), width=1.2)

    _box_faces(sp, x0, y0, size, depth, top, shade(red, 0.65), shade(red, 0.5))


def barrel(sp, x0=2, y0=6, w=80, h=70, depth=8):
    """A barrel lying on its side: the slider that rolls until it hits something."""
    x1, y1 = x0 + w, y0 + h
    sp.shadow(lambda d, k: d.ellipse([(x0 + 4) * k, (y0 + 10) * k, (x1 + depth) * k, (y1 + depth) * k], fill=255),
              dx=1, dy=2, blur=3, alpha=120)
    # the body, bulging in the middle: a rounded shape built from an ellipse and a box
    body = sp.mask(lambda d, k: (d.rounded_rectangle([(x0 + 6) * k, y0 * k, (x1 - 6) * k, y1 * k], 14 * k, fill=255),
                                 d.ellipse([(x0 + 14) * k, (y0 - 3) * k, (x1 - 14) * k, (y1 + 3) * k], fill=255)))
    sp.textured(body, WOOD, seed=19, amount=0.14, cell=5)
    # cylinder shading: darker towards the underside
    t = np.clip((np.arange(sp.img.height, dtype=np.float32) / sp.k - y0) / h, 0, 1)
    dark = np.clip(0.75 * t ** 1.3 - 0.25, 0, 0.65)
    alpha = (dark[:, None] * np.asarray(body, np.float32)).astype(np.uint8)
    layer = Image.new("RGBA", sp.img.size, (0, 0, 0, 255))
    layer.putalpha(Image.fromarray(alpha, "L"))
    sp.img.alpha_composite(layer)
    # staves
    for i in range(1, 6):
        yy2 = y0 + h * i / 6
        sp.line([(x0 + 9, yy2), (x1 - 9, yy2)], shade(WOOD_DARK, 0.9), width=1)
    # end caps (the barrel's heads)
    for ex in (x0 + 4, x1 - 4):
        sp.ellipse(ex - 5, y0 + 4, ex + 5, y1 - 4, fill=shade(WOOD, 0.7), outline=OUTLINE, width=1.2)
    # iron hoops
    for hx in (x0 + 15, x0 + 26, x1 - 26, x1 - 15):
        sp.line([(hx, y0 + 1), (hx + 1.5, y0 + h / 2), (hx, y1 - 1)], IRON_DARK, width=4)
        sp.line([(hx - 0.6, y0 + 3), (hx + 0.6, y0 + h * 0.35)], IRON_LIGHT, width=1.4)
    # outline and a brass tap hole
    sp.rect(x0 + 6, y0, x1 - 6, y1, outline=OUTLINE, width=1.4, radius=14)
    cx = (x0 + x1) / 2
    sp.circle(cx, y0 + h * 0.32, 4.5, fill=BRASS, outline=OUTLINE, width=1.2)
    sp.circle(cx - 1.2, y0 + h * 0.32 - 1.2, 1.6, fill=GOLD_LIGHT)
    sp.line([(x0 + 12, y0 + 6), (x1 - 12, y0 + 6)], (230, 180, 120, 160), width=2)


def star(sp, cx, cy, r, fill=GOLD, light=GOLD_LIGHT, outline=OUTLINE, width=1.5, inner=0.45):
    pts = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        rr = r if i % 2 == 0 else r * inner
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    sp.poly(pts, fill=outline, outline=outline, width=width * 2)
    sp.poly(pts, fill=fill)
    if light:
        hl = [(cx + (x - cx) * 0.55 - r * 0.08, cy + (y - cy) * 0.55 - r * 0.1) for x, y in pts]
        sp.poly(hl, fill=light)


def beam(frame, vertical=False):
    """One frame of an electric beam across a cell (82 x 82, binary alpha):
    every frame covers the same band, so copying one over another is exact."""
    sp = Sprite(82, 82)
    rng = random.Random(100 + frame * 7)
    y0, y1 = 31, 51
    sp.rect(0, y0, 82, y1, fill=(22, 50, 120))
    sp.rect(0, y0 + 1.5, 82, y1 - 1.5, fill=(44, 110, 210) if frame % 2 == 0 else (36, 96, 196))
    sp.rect(0, y0 + 5, 82, y1 - 5, fill=(110, 200, 255) if frame % 2 == 0 else (96, 186, 250))
    # the crackling bolt
    pts = [(-2, 41)]
    x = -2
    while x < 84:
        x += rng.uniform(5, 10)
        pts.append((x, 41 + rng.uniform(-6.5, 6.5)))
    pts[-1] = (84, 41)
    sp.line(pts, (200, 240, 255), width=3.2)
    sp.line(pts, (255, 255, 255), width=1.6)
    for _ in range(5):
        sx, sy = rng.uniform(3, 79), rng.uniform(y0 + 3, y1 - 3)
        sp.circle(sx, sy, 1.2, fill=(255, 255, 255))
    img = sp.final()
    if vertical:
        img = img.transpose(5)  # TRANSPOSE: the horizontal band becomes vertical
    return img


def sparkle(size=82):
    """A soft white-gold sparkle: grows and fades over a collected thing."""
    n = size * 4
    yy, xx = np.mgrid[0:n, 0:n].astype(np.float32)
    c = n / 2
    dx, dy = (xx - c) / c, (yy - c) / c
    r = np.hypot(dx, dy)
    glow = np.clip(1 - r, 0, 1) ** 2.2
    rays = np.clip(1 - np.abs(dx) * 14, 0, 1) * np.clip(1 - np.abs(dy), 0, 1) ** 1.5
    rays += np.clip(1 - np.abs(dy) * 14, 0, 1) * np.clip(1 - np.abs(dx), 0, 1) ** 1.5
    d1, d2 = (dx + dy) / 1.414, (dx - dy) / 1.414
    rays += 0.55 * np.clip(1 - np.abs(d1) * 18, 0, 1) * np.clip(1 - np.abs(d2) * 1.5, 0, 1) ** 2
    rays += 0.55 * np.clip(1 - np.abs(d2) * 18, 0, 1) * np.clip(1 - np.abs(d1) * 1.5, 0, 1) ** 2
    a = np.clip(glow * 0.9 + rays, 0, 1)
    core = np.clip(1 - r * 3, 0, 1)
    out = np.zeros((n, n, 4), np.float32)
    out[:, :, 0] = 255
    out[:, :, 1] = 232 + 23 * core
    out[:, :, 2] = 150 + 105 * core
    out[:, :, 3] = a * 255
    img = Image.fromarray(out.astype(np.uint8), "RGBA")
    return img.convert("RGBa").resize((size, size), Image.BOX).convert("RGBA")


def burst(size=82):
    """A ring of amber and white bubbles flying apart."""
    sp = Sprite(size, size)
    rng = random.Random(5)
    c = size / 2
    for i in range(18):
        a = i * 2 * math.pi / 18 + rng.uniform(-0.1, 0.1)
        d = rng.uniform(0.55, 0.9) * c * 0.95
        r = rng.uniform(2.5, 5.5)
        col = [FOAM, BEER_LIGHT, (255, 255, 255), GOLD][i % 4]
        x, y = c + d * math.cos(a), c + d * math.sin(a)
        sp.circle(x, y, r + 0.8, fill=(120, 70, 10, 120))
        sp.circle(x, y, r, fill=col)
        sp.circle(x - r * 0.3, y - r * 0.3, r * 0.35, fill=(255, 255, 255, 220))
    for i in range(12):
        a = i * 2 * math.pi / 12 + 0.26
        sp.line([(c + 0.25 * c * math.cos(a), c + 0.25 * c * math.sin(a)),
                 (c + 0.45 * c * math.cos(a), c + 0.45 * c * math.sin(a))], (255, 240, 190, 200), width=2)
    return sp.final()
