"""ge.png (movable things, collect effects, result header), promienie.png
(the won star's rays) and pijak.jpg (the all-stars ending)."""
import math
import random

import numpy as np
from PIL import Image, ImageFilter

import things
from art import (BEER, BEER_LIGHT, BRASS, FOAM, GOLD, GOLD_DARK, GOLD_LIGHT, OUTLINE, WOOD, WOOD_DARK,
                 WOOD_LIGHT, Sprite, mix, rgba, shade)

GE_W, GE_H = 950, 330


def crate_img():
    sp = Sprite(92, 92)
    things.crate(sp)
    return sp.final()


def bottle_crate_img():
    sp = Sprite(92, 92)
    things.bottle_crate(sp)
    return sp.final()


def barrel_img():
    sp = Sprite(92, 92)
    things.barrel(sp)
    return sp.final()


def header_band():
    """The result screen's signboard (640 x 140): a hanging board with a
    medallion at the top middle for the level number."""
    W, H = 640, 140
    sp = Sprite(W, H)
    # ropes
    for x in (70, 570):
        sp.line([(x, 0), (x + (10 if x < 320 else -10), 26)], (120, 96, 60), width=4)
        sp.line([(x, 0), (x + (10 if x < 320 else -10), 26)], (190, 160, 110), width=1.5)
    sp.shadow(lambda d, k: d.rounded_rectangle([20 * k, 24 * k, 620 * k, 132 * k], 18 * k, fill=255), 4, 5, 5, 150)
    sp.rect(18, 22, 622, 132, fill=OUTLINE, radius=18)
    m = sp.mask(lambda d, k: d.rounded_rectangle([21 * k, 25 * k, 619 * k, 129 * k], 15 * k, fill=255))
    sp.textured(m, WOOD, seed=90, amount=0.2, cell=8)
    for y in (51, 77, 103):
        sp.line([(24, y), (616, y)], WOOD_DARK, width=1.5)
    sp.rect(28, 32, 612, 122, outline=GOLD_DARK, width=2.5, radius=11)
    sp.rect(30, 34, 610, 120, outline=rgba(GOLD_LIGHT, 120), width=1, radius=10)
    # hops garlands along the lower edge
    rng = random.Random(4)
    for x in range(40, 610, 22):
        y = 124 + 5 * math.sin(x / 30)
        sp.circle(x, y, 6.5, fill=OUTLINE)
        sp.circle(x, y, 5.5, fill=(110, 160, 60))
        sp.circle(x - 1.5, y - 1.5, 2, fill=(170, 210, 100))
        if rng.random() < 0.5:
            sp.poly([(x + 4, y - 3), (x + 14, y - 9), (x + 9, y + 1)], fill=(70, 130, 50), outline=OUTLINE, width=1)
    # two mugs clinking at the ends
    things.mug(sp, 44, 36, 66)
    things.mug(sp, 530, 36, 66)
    for a in range(-60, 61, 30):
        r = math.radians(a - 90)
        for cx in (78, 562):
            sp.line([(cx + 40 * math.cos(r), 36 + 30 * math.sin(r) + 10),
                     (cx + 50 * math.cos(r), 36 + 38 * math.sin(r) + 10)], (255, 230, 140, 200), width=2)
    # medallion behind the level number (drawn at the top middle)
    sp.shadow(lambda d, k: d.ellipse([(320 - 42) * k, 0, (320 + 42) * k, 62 * k], fill=255), 2, 3, 3, 150)
    sp.ellipse(320 - 42, 0, 320 + 42, 60, fill=OUTLINE)
    mm = sp.mask(lambda d, k: d.ellipse([(320 - 39) * k, 3 * k, (320 + 39) * k, 57 * k], fill=255))
    sp.radial(mm, 305, 16, 60, (120, 84, 44), (52, 34, 20))
    sp.ellipse(320 - 36, 6, 320 + 36, 54, outline=GOLD, width=2)
    # laurel sprigs either side of the medallion
    for side in (-1, 1):
        for i in range(5):
            x = 320 + side * (52 + i * 12)
            y = 22 + i * 3
            sp.ellipse(x - 6, y - 3, x + 6, y + 3, fill=(190, 150, 50), outline=OUTLINE, width=1)
    return sp.final()


def build_ge(atlas_sheet):
    ge = Image.new("RGBA", (GE_W, GE_H), (0, 0, 0, 0))
    ge.alpha_composite(things.sparkle(), (83, 0))
    ge.alpha_composite(things.burst(), (166, 0))
    # beams start as the sheet's first frames (the game swaps them while it runs)
    for x, src in ((285, (332, 498)), (380, (581, 498))):
        crop = atlas_sheet.crop((src[0], src[1], src[0] + 82, src[1] + 82)).convert("RGBA")
        arr = np.array(crop)
        key = (arr[:, :, 0] == 255) & (arr[:, :, 1] == 0) & (arr[:, :, 2] == 255)
        arr[key] = (0, 0, 0, 0)
        ge.alpha_composite(Image.fromarray(arr, "RGBA"), (x, 0))
    ge.alpha_composite(crate_img(), (665, 0))
    ge.alpha_composite(bottle_crate_img(), (760, 0))
    ge.alpha_composite(barrel_img(), (855, 0))
    ge.alpha_composite(header_band(), (0, 190))
    return ge


def rays():
    """Soft golden rays round (200, 80), inside a circle so they turn evenly."""
    W, H = 400, 160
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    dx, dy = xx - 200, yy - 80
    r = np.hypot(dx, dy)
    a = np.arctan2(dy, dx)
    spokes = 0.5 + 0.5 * np.cos(a * 12)
    spokes = spokes ** 3 + 0.35 * (0.5 + 0.5 * np.cos(a * 12 + math.pi)) ** 6
    fade = np.clip((r - 18) / 10, 0, 1) * np.clip((78 - r) / 40, 0, 1)
    alpha = np.clip(spokes * fade * 1.1, 0, 1) * 200
    out = np.zeros((H, W, 4), np.uint8)
    out[:, :, 0] = 255
    out[:, :, 1] = (226 + 20 * (1 - r / 80).clip(0, 1)).astype(np.uint8)
    out[:, :, 2] = (120 + 80 * (1 - r / 80).clip(0, 1)).astype(np.uint8)
    out[:, :, 3] = alpha.astype(np.uint8)
    return Image.fromarray(out, "RGBA")


def pijak(character):
    """The all-stars ending: the cellar hero toasting at a table full of mugs
    under a garland of stars."""
    W, H = 820, 560
    sp = Sprite(W, H)
    bg = sp.mask(lambda d, k: d.rectangle([0, 0, W * k, H * k], fill=255))
    sp.gradient(bg, (92, 58, 34), (40, 26, 18))
    # back wall: big barrels
    from atlas import barrel_ends, brick_wall
    for i in range(5):
        cx = 90 + i * 160
        sp.circle(cx, 170, 78, fill=(30, 20, 14))
    barrel_ends(sp, [(90 + i * 160, 165) for i in range(5)], 72, tap=True)
    # warm lamp light
    sp.glow(lambda d, k: d.ellipse([260 * k, -40 * k, 560 * k, 260 * k], fill=255), (255, 200, 110), 60, 150)
    # garland of stars
    pts = [(x, 30 + 26 * math.sin(x / 820 * math.pi * 3) ** 2) for x in range(0, 821, 20)]
    sp.line(pts, (60, 100, 40), width=5)
    for i, x in enumerate(range(40, 820, 70)):
        y = 30 + 26 * math.sin(x / 820 * math.pi * 3) ** 2 + 18
        things.star(sp, x, y, 18 if i % 2 else 14, width=2)
    # flagstone floor
    fl = sp.mask(lambda d, k: d.rectangle([0, 392 * k, W * k, H * k], fill=255))
    sp.gradient(fl, (96, 84, 70), (60, 52, 44), span=(392, 560))
    for i in range(0, 12):
        x = i * 80 - 20
        sp.line([(x, 400), (x - 60, 560)], (46, 38, 32), width=2)
    for y in (440, 500):
        sp.line([(0, y), (W, y)], (46, 38, 32), width=2)
    # table: top and front board
    sp.shadow(lambda d, k: d.rectangle([30 * k, 380 * k, 800 * k, 470 * k], fill=255), 0, 10, 12, 170)
    sp.rect(20, 372, 800, 400, fill=OUTLINE, radius=6)
    tm = sp.mask(lambda d, k: d.rounded_rectangle([23 * k, 375 * k, 797 * k, 397 * k], 5 * k, fill=255))
    sp.textured(tm, WOOD_LIGHT, seed=91, amount=0.2, cell=10)
    sp.rect(36, 398, 784, 452, fill=OUTLINE)
    fm = sp.mask(lambda d, k: d.rectangle([38 * k, 399 * k, 782 * k, 450 * k], fill=255))
    sp.textured(fm, WOOD, seed=92, amount=0.2, cell=8)
    for x in range(60, 780, 60):
        sp.line([(x, 400), (x, 450)], WOOD_DARK, width=1.5)
    sp.rect(44, 450, 72, 540, fill=WOOD_DARK, outline=OUTLINE, width=2)
    sp.rect(748, 450, 776, 540, fill=WOOD_DARK, outline=OUTLINE, width=2)
    # mugs on the table
    for i, x in enumerate((40, 120, 200, 560, 640, 720)):
        things.mug(sp, x, 300 + (i % 2) * 6, 74)
    # the hero behind the middle of the table, cheering, a big mug raised
    sp.glow(lambda d, k: d.ellipse([250 * k, 90 * k, 570 * k, 420 * k], fill=255), (255, 210, 120), 30, 110)
    sp.paste(character, 410 - character.width / 2, 392 - character.height + 30)
    sp.glow(lambda d, k: d.ellipse([440 * k, 140 * k, 560 * k, 260 * k], fill=255), (255, 220, 120), 14, 90)
    things.mug(sp, 454, 162, 80)
    # sparkles
    rng = random.Random(12)
    for _ in range(26):
        x, y = rng.uniform(20, 800), rng.uniform(60, 360)
        r = rng.uniform(2, 5)
        sp.line([(x - r * 2, y), (x + r * 2, y)], (255, 240, 180, 200), width=1.5)
        sp.line([(x, y - r * 2), (x, y + r * 2)], (255, 240, 180, 200), width=1.5)
    img = sp.final().convert("RGB")
    return img
