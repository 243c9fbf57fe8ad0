"""graf1.png: the tile pictures, animation frames and interface pictures."""
import math
import random

import numpy as np
from PIL import Image

import things
from art import (BEER, BEER_LIGHT, BRASS, BRICK, COPPER, COPPER_DARK, COPPER_LIGHT, DANGER, FLOOR,
                 FLOOR_DARK, FLOOR_LIGHT, FOAM, GOLD, GOLD_DARK, GOLD_LIGHT, GROUT, IRON, IRON_DARK,
                 IRON_LIGHT, MAGENTA, MORTAR, OUTLINE, STONE, WATER, WATER_LIGHT, WOOD, WOOD_DARK,
                 WOOD_LIGHT, Sprite, mix, over, rgba, rotate_pts, shade, to_mask_colours)

SHEET_W, SHEET_H = 830, 995
T = 82

# Pixels that panels stretch: their colours are the panels' colours.
RULE_LIGHT = (178, 158, 126)     # floor (1, 1): the about page's rule
RULE_BODY = (128, 112, 94)       # floor (5, 5): the menu's rule under its title
PIT_DEEP = (16, 11, 9)           # pit (120, 60): fades and the help panel's edge
PANEL_BRASS = (176, 132, 56)     # jump pad (290, 120): the middle frame of help and about
PANEL_FILL = (32, 25, 21)        # (0, 585): inner fill of most panels and the clock box
HELP_FILL = (36, 28, 22)         # (5, 585): the help page
MENU_HOVER = (104, 70, 26)       # (20, 585): the menu's highlight bar
MENU_RIM = (176, 132, 56)        # (30, 585): the menu's middle frame
MENU_PANEL = (54, 41, 31)        # (50, 585): menu outer frame, item panel, dialog edge
DIALOG_RIM = (176, 84, 46)       # (70, 585): the reset dialog's middle frame
ABOUT_EDGE = (16, 11, 9)         # (0, 590): the about page's outer edge


def tile_pos(v):
    return 83 * (v % 10), 83 * (v // 10)


# ---------------------------------------------------------------- floors --

def floor_sprite(seed=0):
    """A raised flagstone: lit top-left bevel, shaded bottom-right."""
    sp = Sprite(T, T, rgba(FLOOR))
    m = sp.mask(lambda d, k: d.rectangle([0, 0, T * k, T * k], fill=255))
    sp.textured(m, FLOOR, seed=1 + seed, amount=0.10, cell=14)
    rng = random.Random(seed + 3)
    for _ in range(7):
        x, y = rng.uniform(10, 72), rng.uniform(10, 72)
        sp.circle(x, y, rng.uniform(0.8, 1.8), fill=rgba(shade(FLOOR, 0.8), 140))
    sp.line([(20, 60), (26, 55), (31, 57)], rgba(shade(FLOOR, 0.72), 150), width=1)
    sp.poly([(0, 0), (T, 0), (T - 3, 3), (3, 3)], fill=RULE_LIGHT)
    sp.poly([(0, 0), (3, 3), (3, T - 3), (0, T)], fill=RULE_LIGHT)
    sp.poly([(T, 0), (T, T), (T - 3, T - 3), (T - 3, 3)], fill=FLOOR_DARK)
    sp.poly([(0, T), (T, T), (T - 3, T - 3), (3, T - 3)], fill=FLOOR_DARK)
    return sp


def fix_floor_corner(img):
    """Makes the stretched patches of the floor tile exactly uniform."""
    px = img.load()
    for y in range(8):
        for x in range(8):
            if x < 3 or y < 3:
                px[x, y] = rgba(RULE_LIGHT)
            else:
                px[x, y] = rgba(RULE_BODY)
    return img


def on_floor(draw, seed=0):
    sp = floor_sprite(seed)
    draw(sp)
    return sp.final()


def tile_floor():
    return fix_floor_corner(floor_sprite().final())


def basin_mask(sp, inset=6, r=9):
    return sp.mask(lambda d, k: d.rounded_rectangle([inset * k, inset * k, (T - inset) * k, (T - inset) * k],
                                                    r * k, fill=255))


def tile_pit():
    sp = floor_sprite(1)
    pts = [(7, 12), (16, 6), (34, 8), (50, 5), (66, 8), (76, 16), (75, 34), (77, 52), (74, 68), (64, 76),
           (44, 74), (26, 77), (12, 73), (6, 60), (8, 40), (5, 26)]
    sp.poly(pts, fill=OUTLINE, outline=shade(FLOOR, 0.55), width=2.5)
    m = sp.mask(lambda d, k: d.polygon([(x * k, y * k) for x, y in pts], fill=255))
    sp.gradient(m, (84, 66, 50), PIT_DEEP, span=(6, 46))
    # far wall of the hole: stone courses that fall into the dark
    for y, a in ((15, 140), (24, 100), (33, 60)):
        sp.line([(9, y), (74, y + 1)], rgba((30, 22, 16), a), width=1.2)
    for x, y in ((20, 12), (46, 20), (62, 11), (30, 29)):
        sp.line([(x, y), (x, y + 8)], rgba((30, 22, 16), 90), width=1)
    sp.line(pts + [pts[0]], shade(FLOOR_LIGHT, 0.9), width=1)
    img = sp.final()
    px = img.load()
    for y in range(56, 72):
        for x in range(34, 50):
            px[x, y] = rgba(PIT_DEEP)
    return img


def tile_filled_water():
    def draw(sp):
        sp.rect(6, 6, T - 6, T - 6, fill=(70, 62, 54), radius=9)
        m = basin_mask(sp, 8, 8)
        sp.textured(m, (92, 80, 66), seed=22, amount=0.2, cell=5)
        # the sunk barrel's head, flush with the floor
        sp.circle(41, 41, 27, fill=OUTLINE)
        m2 = sp.mask(lambda d, k: d.ellipse([15 * k, 15 * k, 67 * k, 67 * k], fill=255))
        sp.textured(m2, shade(WOOD, 0.85), seed=23, amount=0.15, cell=4)
        for x in (26, 34, 41, 48, 56):
            sp.line([(x, 16 + abs(41 - x) * 0.25), (x, 66 - abs(41 - x) * 0.25)], WOOD_DARK, width=1)
        sp.circle(41, 41, 26, outline=IRON_DARK, width=3)
        sp.circle(41, 41, 24.5, outline=(120, 120, 124), width=0.8)
        for a in range(0, 360, 45):
            x, y = 41 + 30 * math.cos(math.radians(a)), 41 + 30 * math.sin(math.radians(a))
            sp.circle(x, y, 1.6, fill=rgba((60, 90, 110), 160))
    return on_floor(draw, 2)


def water_frame(phase):
    """Water in a stone basin; phase 0..3 moves the ripples."""
    sp = floor_sprite(4)
    sp.rect(5, 5, T - 5, T - 5, fill=(48, 44, 40), radius=10)
    m = basin_mask(sp, 7, 9)
    sp.gradient(m, (54, 118, 160), (24, 62, 104))
    t = phase / 4.0
    for i in range(6):
        y = 14 + i * 11 + 3 * math.sin(2 * math.pi * (t + i * 0.3))
        pts = []
        for j in range(15):
            x = 8 + j * 4.7
            pts.append((x, y + 2.2 * math.sin(2 * math.pi * (j / 7.0 + t + i * 0.17))))
        sp.line(pts, (120, 190, 225, 150), width=1.6)
    for i in range(4):
        a = 2 * math.pi * (t + i / 4)
        x, y = 41 + 20 * math.cos(a + i), 41 + 18 * math.sin(a * 1.3 + i)
        sp.ellipse(x - 4, y - 1.5, x + 4, y + 1.5, fill=(220, 245, 255, 200))
    sp.rect(7, 7, T - 7, 11, fill=(16, 40, 70, 120), radius=4)
    img_sp = sp
    img_sp.rect(5, 5, T - 5, T - 5, outline=(40, 36, 32), width=2, radius=10)
    return img_sp.final()


def trap_plate(sp, hot):
    plate = (104, 98, 94) if not hot else (120, 70, 56)
    sp.rect(6, 6, T - 6, T - 6, fill=OUTLINE, radius=4)
    m = sp.mask(lambda d, k: d.rounded_rectangle([7 * k, 7 * k, (T - 7) * k, (T - 7) * k], 3 * k, fill=255))
    sp.textured(m, plate, seed=30, amount=0.12, cell=6)
    # hazard stripes round the edge
    stripe = (228, 180, 40) if not hot else (236, 60, 30)
    band = sp.mask(lambda d, k: (d.rounded_rectangle([7 * k, 7 * k, (T - 7) * k, (T - 7) * k], 3 * k, fill=255),
                                 d.rectangle([13 * k, 13 * k, (T - 13) * k, (T - 13) * k], fill=0)))
    layer = Sprite(T, T)
    for i in range(-10, 20):
        x = i * 9
        layer.poly([(x, 0), (x + 4.5, 0), (x + 4.5 + T, T), (x + T, T)], fill=stripe)
        layer.poly([(x + 4.5, 0), (x + 9, 0), (x + 9 + T, T), (x + 4.5 + T, T)], fill=(30, 26, 22))
    layer.clip(band)
    sp.paste(layer)
    sp.rect(13, 13, T - 13, T - 13, outline=OUTLINE, width=1.2)


def tile_trap(hot):
    sp = floor_sprite(5)
    trap_plate(sp, hot)
    holes = [(22 + 19 * c, 22 + 19 * r) for r in range(3) for c in range(3)]
    if not hot:
        for x, y in holes:
            sp.circle(x, y, 4.2, fill=(34, 30, 28), outline=(150, 146, 140), width=0.8)
            sp.circle(x, y - 0.8, 1.5, fill=(90, 88, 86))
        sp.circle(41, 41, 3.5, fill=(60, 200, 80), outline=OUTLINE, width=1)
    else:
        sp.glow(lambda d, k: d.rectangle([14 * k, 14 * k, (T - 14) * k, (T - 14) * k], fill=255), (255, 60, 20),
                blur=5, alpha=150)
        for x, y in holes:
            sp.circle(x, y + 3, 6, fill=(60, 10, 6, 160))
            sp.poly([(x - 6, y + 5), (x, y - 10), (x + 6, y + 5)], fill=(70, 74, 82), outline=OUTLINE, width=1)
            sp.poly([(x - 1.5, y + 4), (x, y - 9), (x + 5, y + 4)], fill=(214, 220, 228))
            sp.circle(x, y - 9, 1.3, fill=(255, 120, 90))
    return sp.final()


def tile_collectible(kind):
    def draw(sp):
        if kind == "mug":
            sp.shadow(lambda d, k: d.ellipse([16 * k, 56 * k, 70 * k, 74 * k], fill=255), 0, 0, 3, 140)
            sp.glow(lambda d, k: d.ellipse([14 * k, 12 * k, 68 * k, 70 * k], fill=255), (255, 200, 80), 6, 90)
            things.mug(sp, 13, 12, 58)
        else:
            sp.glow(lambda d, k: d.ellipse([12 * k, 16 * k, 70 * k, 66 * k], fill=255),
                    (255, 220, 90) if kind == "gold" else (150, 200, 255), 7, 120)
            things.key(sp, 44, 42, 64, kind)
    return on_floor(draw, 6)


# -------------------------------------------------------------- jump pads --

def tile_pad(direction):
    """A spring plate; chevrons show where it throws the player."""
    angle = {"right": 0, "down": 90, "left": 180, "up": 270}[direction]
    sp = floor_sprite(7)
    sp.shadow(lambda d, k: d.rounded_rectangle([8 * k, 8 * k, 76 * k, 76 * k], 8 * k, fill=255), 1, 2, 2, 120)
    sp.rect(8, 8, 74, 74, fill=OUTLINE, radius=8)
    m = sp.mask(lambda d, k: d.rounded_rectangle([9.5 * k, 9.5 * k, 72.5 * k, 72.5 * k], 7 * k, fill=255))
    sp.gradient(m, (94, 70, 52), (62, 44, 32))
    # spring coils under the plate
    for i in range(4):
        sp.ellipse(21 + i * 0, 17 + i * 13, 61, 25 + i * 13, outline=rgba((40, 30, 22), 150), width=1.5)
    cx = cy = 41.5
    for j, dist in enumerate((9, 19, 29)):
        tip = dist + 6
        pts = [(cx + dist - 4, cy - 10), (cx + tip, cy), (cx + dist - 4, cy + 10),
               (cx + dist - 9, cy + 10), (cx + tip - 5, cy), (cx + dist - 9, cy - 10)]
        pts = rotate_pts(pts, cx, cy, angle)
        col = mix(GOLD, (255, 240, 160), j / 2)
        sp.poly(pts, fill=col, outline=OUTLINE, width=1.2)
    # tail marks behind the cap
    tail = rotate_pts([(cx - 26, cy - 5), (cx - 14, cy - 5), (cx - 14, cy + 5), (cx - 26, cy + 5)], cx, cy, angle)
    sp.poly(tail, fill=rgba(GOLD_DARK, 180))
    sp.circle(cx, cy, 10, fill=OUTLINE)
    sp.circle(cx, cy, 8.6, fill=PANEL_BRASS)
    img = sp.final()
    if direction == "right":
        px = img.load()
        for y in range(36, 43):
            for x in range(40, 47):
                px[x, y] = rgba(PANEL_BRASS)
    return img


# ------------------------------------------------------------------ doors --

DOOR_AXIS = {6: "v", 7: "v", 8: "h", 9: "h"}


def door_open(v):
    """The open doorway: warm light from the tavern beyond."""
    sp = Sprite(T, T, rgba((60, 44, 30)))
    m = sp.mask(lambda d, k: d.rectangle([0, 0, T * k, T * k], fill=255))
    sp.textured(m, (118, 80, 46), seed=40, amount=0.15, cell=6)
    horizontal_planks = DOOR_AXIS[v] == "v"
    for i in range(1, 6):
        p = i * T / 6
        if horizontal_planks:
            sp.line([(0, p), (T, p)], WOOD_DARK, width=1.2)
        else:
            sp.line([(p, 0), (p, T)], WOOD_DARK, width=1.2)
    sp.glow(lambda d, k: d.ellipse([14 * k, 14 * k, 68 * k, 68 * k], fill=255), (255, 200, 110), blur=10, alpha=170)
    # a small arrow on the floor: which way the door went
    ang = {6: 270, 7: 90, 8: 0, 9: 180}[v]
    pts = rotate_pts([(30, 36), (44, 36), (44, 30), (56, 41), (44, 52), (44, 46), (30, 46)], 41, 41, ang)
    sp.poly(pts, fill=rgba((255, 236, 190), 150))
    img = sp.final()
    return over(door_frame(v), img)


def door_frame(v):
    """Rails the leaf runs in; drawn in front of the player in the doorway."""
    sp = Sprite(T, T)
    rails = [(0, 0, 8, T), (T - 8, 0, T, T)] if DOOR_AXIS[v] == "v" else [(0, 0, T, 8), (0, T - 8, T, T)]
    for x0, y0, x1, y1 in rails:
        sp.rect(x0, y0, x1, y1, fill=OUTLINE)
        m = sp.mask(lambda d, k, b=(x0, y0, x1, y1): d.rectangle(
            [(b[0] + 1) * k, (b[1] + 1) * k, (b[2] - 1) * k - 1, (b[3] - 1) * k - 1], fill=255))
        sp.gradient(m, STONE, shade(STONE, 0.6), horizontal=DOOR_AXIS[v] == "v")
        for i in range(5):
            p = 8 + i * 16.5
            if DOOR_AXIS[v] == "v":
                sp.circle((x0 + x1) / 2, p, 1.5, fill=IRON_DARK)
            else:
                sp.circle(p, (y0 + y1) / 2, 1.5, fill=IRON_DARK)
    return sp.final()


def door_leaf(axis):
    """The wooden leaf; its painted arrow points the way it slides open.
    The vertical leaf points up (flipped for down), the other right."""
    sp = Sprite(T, T, rgba(WOOD_DARK))
    m = sp.mask(lambda d, k: d.rectangle([0, 0, T * k, T * k], fill=255))
    sp.textured(m, (128, 80, 40), seed=41, amount=0.18, cell=5)
    for i in range(1, 5):
        p = i * T / 5
        if axis == "v":
            sp.line([(p, 0), (p, T)], WOOD_DARK, width=1.6)
        else:
            sp.line([(0, p), (T, p)], WOOD_DARK, width=1.6)
    for p in (14, 68):
        if axis == "v":
            sp.rect(0, p - 4, T, p + 4, fill=IRON_DARK)
            sp.rect(0, p - 3, T, p - 1.5, fill=IRON)
            for x in range(10, 80, 15):
                sp.circle(x, p, 1.6, fill=IRON_LIGHT)
        else:
            sp.rect(p - 4, 0, p + 4, T, fill=IRON_DARK)
            sp.rect(p - 3, 0, p - 1.5, T, fill=IRON)
            for y in range(10, 80, 15):
                sp.circle(p, y, 1.6, fill=IRON_LIGHT)
    ang = 270 if axis == "v" else 0
    pts = rotate_pts([(22, 35), (42, 35), (42, 25), (62, 41), (42, 57), (42, 47), (22, 47)], 41, 41, ang)
    sp.poly(pts, fill=GOLD, outline=OUTLINE, width=1.5)
    sp.rect(0, 0, T, T, outline=OUTLINE, width=2)
    return sp.final()


def door_closed(v):
    leaf = door_leaf(DOOR_AXIS[v])
    if v == 7:
        leaf = leaf.transpose(Image.FLIP_TOP_BOTTOM)
    if v == 9:
        leaf = leaf.transpose(Image.ROTATE_180)
    return over(door_frame(v), leaf)


# ------------------------------------------------------------------ walls --

def add_moss(sp, seed, amount):
    """Moss creeping up from the foot of a wall."""
    from art import noise
    g = noise(T * 4, T * 4, 40, seed + 9, 3)
    yy = np.linspace(0, 1, T * 4)[:, None]
    arr = np.zeros((T * 4, T * 4, 4), np.uint8)
    arr[:, :, 0], arr[:, :, 1], arr[:, :, 2] = 72, 112, 46
    arr[:, :, 3] = (np.clip((g + yy * 0.6 - 1.05 + amount) * 3, 0, 1) * 196).astype(np.uint8)
    sp.img.alpha_composite(Image.fromarray(arr, "RGBA"))


def brick_wall(seed, base=BRICK, mortar=MORTAR, rows=4, per_row=2, soot=0.0, moss=0.0, cracks=0):
    sp = Sprite(T, T, rgba(mortar))
    m = sp.mask(lambda d, k: d.rectangle([0, 0, T * k, T * k], fill=255))
    sp.textured(m, mortar, seed=seed, amount=0.2, cell=4)
    rng = random.Random(seed)
    h = T / rows
    w = T / per_row
    for r in range(rows):
        off = (w / 2) if r % 2 else 0
        for c in range(-1, per_row + 1):
            x0 = c * w + off + 1.2
            x1 = x0 + w - 2.4
            y0 = r * h + 1.2
            y1 = y0 + h - 2.4
            if x1 < 0 or x0 > T:
                continue
            col = shade(base, rng.uniform(0.82, 1.12))
            if soot:
                col = mix(col, (40, 34, 30), soot * rng.uniform(0.4, 1.0))
            mm = sp.mask(lambda d, k, b=(x0, y0, x1, y1): d.rounded_rectangle(
                [b[0] * k, b[1] * k, b[2] * k, b[3] * k], 1.5 * k, fill=255))
            sp.textured(mm, col, seed=seed * 31 + r * 7 + c, amount=0.16, cell=4)
            sp.line([(x0 + 1, y0 + 0.8), (x1 - 1, y0 + 0.8)], rgba(shade(col, 1.3), 160), width=1)
            sp.line([(x0 + 1, y1 - 0.8), (x1 - 1, y1 - 0.8)], rgba(shade(col, 0.6), 160), width=1)
    for _ in range(cracks):
        x, y = rng.uniform(15, 65), rng.uniform(10, 40)
        pts = [(x, y)]
        for _ in range(5):
            x += rng.uniform(-5, 5)
            y += rng.uniform(4, 8)
            pts.append((x, y))
        sp.line(pts, rgba((30, 20, 16), 200), width=1.2)
    if moss:
        add_moss(sp, seed, moss)
    return sp


def stone_wall(seed, base=STONE, moss=0.0, rough=False):
    sp = Sprite(T, T, rgba((58, 54, 50)))
    rng = random.Random(seed)
    if rough:
        cells = []
        for r in range(3):
            for c in range(3):
                cells.append((c * 27.3 + rng.uniform(-3, 3), r * 27.3 + rng.uniform(-3, 3)))
        for i, (x, y) in enumerate(cells):
            pts = []
            for j in range(8):
                a = j * math.pi / 4 + rng.uniform(-0.2, 0.2)
                rr = rng.uniform(13, 17)
                pts.append((x + 13.6 + rr * math.cos(a), y + 13.6 + rr * 0.9 * math.sin(a)))
            col = shade(base, rng.uniform(0.75, 1.1))
            mm = sp.mask(lambda d, k, p=pts: d.polygon([(a * k, b * k) for a, b in p], fill=255))
            sp.textured(mm, col, seed=seed + i, amount=0.22, cell=4)
            sp.poly(pts, outline=rgba((40, 36, 32), 220), width=1.4)
            sp.line(pts[4:7], rgba(shade(col, 1.35), 150), width=1.2)
    else:
        blocks = [(0, 0, 46, 27), (46, 0, 82, 27), (0, 27, 30, 55), (30, 27, 82, 55), (0, 55, 52, 82), (52, 55, 82, 82)]
        for i, (x0, y0, x1, y1) in enumerate(blocks):
            col = shade(base, rng.uniform(0.85, 1.1))
            mm = sp.mask(lambda d, k, b=(x0, y0, x1, y1): d.rounded_rectangle(
                [(b[0] + 1.5) * k, (b[1] + 1.5) * k, (b[2] - 1.5) * k, (b[3] - 1.5) * k], 2 * k, fill=255))
            sp.textured(mm, col, seed=seed * 5 + i, amount=0.2, cell=5)
            sp.line([(x0 + 2.5, y0 + 2.2), (x1 - 2.5, y0 + 2.2)], rgba(shade(col, 1.35), 170), width=1.2)
            sp.line([(x0 + 2.5, y1 - 2.2), (x1 - 2.5, y1 - 2.2)], rgba(shade(col, 0.6), 170), width=1.2)
    if moss:
        add_moss(sp, seed, moss)
    return sp


def plank_wall(seed, bands=False):
    sp = Sprite(T, T, rgba(WOOD_DARK))
    rng = random.Random(seed)
    for i in range(5):
        x0, x1 = i * 16.4, (i + 1) * 16.4
        col = shade(WOOD, rng.uniform(0.75, 1.05))
        mm = sp.mask(lambda d, k, a=x0, b=x1: d.rectangle([(a + 0.8) * k, 0, (b - 0.8) * k, T * k], fill=255))
        sp.textured(mm, col, seed=seed + i, amount=0.2, cell=3)
        for j in range(3):
            yy = rng.uniform(5, 77)
            sp.ellipse(x0 + 6, yy - 2, x0 + 10, yy + 2, outline=rgba(WOOD_DARK, 160), width=0.8)
        sp.line([(x0 + 1.5, 0), (x0 + 1.5, T)], rgba(WOOD_LIGHT, 140), width=1)
    if bands:
        for y in (16, 66):
            sp.rect(0, y - 4, T, y + 4, fill=IRON_DARK)
            sp.rect(0, y - 3, T, y - 1.5, fill=IRON)
            for x in range(8, 82, 16):
                sp.circle(x, y, 1.7, fill=IRON_LIGHT)
    return sp


def barrel_ends(sp, spots, r, tap=False):
    for cx, cy in spots:
        sp.circle(cx + 1, cy + 2, r + 1.5, fill=(20, 14, 10, 200))
        sp.circle(cx, cy, r, fill=OUTLINE)
        mm = sp.mask(lambda d, k, c=(cx, cy): d.ellipse(
            [(c[0] - r + 1.5) * k, (c[1] - r + 1.5) * k, (c[0] + r - 1.5) * k, (c[1] + r - 1.5) * k], fill=255))
        sp.textured(mm, WOOD, seed=int(cx * 3 + cy), amount=0.18, cell=3)
        for dx in range(-2, 3):
            x = cx + dx * r * 0.36
            hh = math.sqrt(max(0, (r - 2) ** 2 - (x - cx) ** 2))
            sp.line([(x, cy - hh), (x, cy + hh)], rgba(WOOD_DARK, 200), width=0.9)
        sp.circle(cx, cy, r - 1.5, outline=IRON_DARK, width=2.2)
        sp.circle(cx, cy, r - 2.6, outline=rgba(IRON_LIGHT, 120), width=0.6)
        if tap:
            sp.rect(cx - 3, cy + r * 0.3, cx + 3, cy + r * 0.3 + 6, fill=BRASS, outline=OUTLINE, width=1)
            sp.rect(cx - 1.5, cy + r * 0.3 + 6, cx + 1.5, cy + r * 0.3 + 12, fill=BRASS, outline=OUTLINE, width=1)
            sp.circle(cx, cy + r * 0.3 - 1, 3.5, fill=GOLD, outline=OUTLINE, width=1)


def shelf(sp, items, seed):
    rng = random.Random(seed)
    sp.rect(0, 0, T, T, fill=(54, 38, 26))
    for y in (26, 54, 80):
        sp.rect(0, y, T, y + 3.5, fill=WOOD, outline=OUTLINE, width=0.8)
    sp.rect(0, 0, 4, T, fill=WOOD_DARK)
    sp.rect(T - 4, 0, T, T, fill=WOOD_DARK)
    for row, base in enumerate((26, 54, 80)):
        x = 6
        while x < T - 14:
            kind = items[rng.randrange(len(items))]
            if kind == "bottle":
                col = rng.choice([(40, 110, 50), (110, 60, 20), (60, 80, 40), (140, 30, 40)])
                hgt = rng.uniform(16, 21)
                sp.rect(x, base - hgt + 6, x + 8, base, fill=col, outline=OUTLINE, width=0.9, radius=2)
                sp.rect(x + 2.5, base - hgt, x + 5.5, base - hgt + 7, fill=col, outline=OUTLINE, width=0.8)
                sp.rect(x + 2.5, base - hgt - 1, x + 5.5, base - hgt + 1.5, fill=GOLD)
                sp.line([(x + 2, base - hgt + 8), (x + 2, base - 3)], rgba((255, 255, 255), 110), width=1)
                sp.rect(x + 1, base - 11, x + 7, base - 6, fill=(230, 220, 190))
                x += 11
            elif kind == "jar":
                sp.rect(x, base - 13, x + 12, base, fill=(190, 170, 120), outline=OUTLINE, width=0.9, radius=3)
                sp.rect(x + 1, base - 16, x + 11, base - 12, fill=(160, 60, 40), outline=OUTLINE, width=0.8)
                x += 15
            elif kind == "cheese":
                sp.ellipse(x, base - 12, x + 18, base, fill=(236, 196, 70), outline=OUTLINE, width=0.9)
                sp.poly([(x + 9, base - 6), (x + 18, base - 9), (x + 18, base - 3)], fill=(250, 226, 130))
                x += 20
            else:  # a little mug
                sp.rect(x, base - 12, x + 9, base, fill=(210, 200, 180), outline=OUTLINE, width=0.9, radius=1.5)
                sp.ellipse(x + 7, base - 10, x + 13, base - 3, outline=OUTLINE, width=1.2)
                x += 15


def wall_tile(v):
    """The family of cellar walls: each code its own look, all one style."""
    spec = WALLS[v]
    kind = spec[0]
    if kind == "brick":
        sp = brick_wall(v, **spec[1])
    elif kind == "stone":
        sp = stone_wall(v, **spec[1])
    elif kind == "planks":
        sp = plank_wall(v, **spec[1])
    elif kind == "barrels":
        sp = brick_wall(v, base=shade(BRICK, 0.7), soot=0.3)
        barrel_ends(sp, spec[1]["spots"], spec[1]["r"], spec[1].get("tap", False))
    elif kind == "shelf":
        sp = Sprite(T, T)
        shelf(sp, spec[1]["items"], v)
    elif kind == "rack":
        sp = Sprite(T, T, rgba((40, 28, 20)))
        for i in range(-4, 6):
            sp.line([(i * 18, 0), (i * 18 + T, T)], WOOD, width=4)
            sp.line([(i * 18 + T, 0), (i * 18, T)], WOOD, width=4)
        for r in range(5):
            for c in range(5):
                if (r + c) % 2:
                    continue
                cx, cy = 2 + c * 19.5, 2 + r * 19.5
                col = [(40, 100, 46), (120, 30, 40), (90, 60, 20)][(r * 3 + c) % 3]
                sp.circle(cx, cy, 6.2, fill=OUTLINE)
                sp.circle(cx, cy, 5, fill=col)
                sp.circle(cx, cy, 2.2, fill=(20, 16, 14))
                sp.circle(cx - 1.8, cy - 1.8, 1, fill=(255, 255, 255, 180))
        sp.rect(0, 0, T, T, outline=WOOD_DARK, width=3)
    elif kind == "pillar":
        sp = floor_sprite(v)
        sp.shadow(lambda d, k: d.ellipse([10 * k, 12 * k, 76 * k, 78 * k], fill=255), 3, 4, 3, 150)
        sp.circle(41, 41, 34, fill=OUTLINE)
        mm = sp.mask(lambda d, k: d.ellipse([8.5 * k, 8.5 * k, 73.5 * k, 73.5 * k], fill=255))
        sp.radial(mm, 34, 32, 40, shade(STONE, 1.3), shade(STONE, 0.65))
        sp.circle(41, 41, 24, outline=rgba((50, 46, 42), 170), width=1.5)
        sp.circle(41, 41, 12, outline=rgba((50, 46, 42), 120), width=1.2)
    elif kind == "logs":
        sp = Sprite(T, T, rgba((50, 34, 22)))
        rng = random.Random(v)
        for r in range(4):
            for c in range(4):
                cx = 11 + c * 20 + (10 if r % 2 else 0) - (5 if r % 2 else 0)
                cy = 11 + r * 20
                rr = rng.uniform(8.5, 10.5)
                sp.circle(cx, cy, rr, fill=(70, 46, 26), outline=OUTLINE, width=1)
                sp.circle(cx, cy, rr - 2, fill=(196, 150, 96))
                sp.circle(cx, cy, rr * 0.55, outline=rgba((150, 104, 60), 200), width=0.8)
                sp.circle(cx, cy, rr * 0.2, fill=(150, 104, 60))
    elif kind == "cave":
        sp = stone_wall(v, base=(84, 78, 74), rough=True)
    else:
        raise ValueError(kind)
    for deco in spec[2] if len(spec) > 2 else ():
        DECOR[deco](sp)
    return sp.final()


def deco_torch(sp):
    sp.glow(lambda d, k: d.ellipse([18 * k, 4 * k, 64 * k, 50 * k], fill=255), (255, 170, 60), blur=8, alpha=180)
    sp.rect(37, 34, 45, 60, fill=IRON_DARK, outline=OUTLINE, width=1)
    sp.rect(33, 30, 49, 36, fill=IRON, outline=OUTLINE, width=1)
    sp.poly([(41, 6), (50, 22), (47, 31), (35, 31), (32, 22)], fill=(240, 110, 30))
    sp.poly([(41, 13), (46, 24), (44, 30), (38, 30), (36, 24)], fill=(255, 220, 90))


def deco_ring(sp):
    sp.rect(36, 20, 46, 30, fill=IRON_DARK, outline=OUTLINE, width=1)
    sp.circle(41, 42, 12, outline=OUTLINE, width=4.5)
    sp.circle(41, 42, 12, outline=IRON, width=2.5)
    sp.ellipse(32, 31, 40, 38, outline=IRON_LIGHT, width=1)


def deco_vent(sp):
    sp.rect(20, 26, 62, 56, fill=(20, 16, 14), outline=OUTLINE, width=2)
    for x in range(25, 60, 7):
        sp.rect(x, 27, x + 3, 55, fill=IRON)
        sp.line([(x + 0.6, 28), (x + 0.6, 54)], IRON_LIGHT, width=0.7)
    sp.rect(20, 26, 62, 56, outline=IRON_DARK, width=2)


def deco_web(sp):
    cx, cy = 2, 2
    for a in range(0, 91, 18):
        r = math.radians(a)
        sp.line([(cx, cy), (cx + 44 * math.cos(r), cy + 44 * math.sin(r))], (230, 230, 230, 170), width=0.7)
    for rr in (10, 19, 28, 37):
        pts = [(cx + rr * math.cos(math.radians(a)), cy + rr * math.sin(math.radians(a))) for a in range(0, 91, 18)]
        sp.line(pts, (230, 230, 230, 150), width=0.6)
    sp.circle(24, 22, 2.5, fill=(20, 16, 14))


def deco_sign(sp):
    sp.rect(12, 18, 70, 64, fill=WOOD_DARK, outline=OUTLINE, width=1.5, radius=3)
    sp.rect(15, 21, 67, 61, fill=WOOD, radius=2)
    things.mug(sp, 25, 23, 36)


def deco_arch(sp):
    sp.rect(22, 24, 60, 82, fill=(30, 22, 18))
    sp.ellipse(22, 10, 60, 40, fill=(30, 22, 18))
    sp.rect(28, 60, 54, 64, fill=WOOD)
    for i, col in enumerate([(40, 110, 50), (120, 40, 30), (110, 70, 20)]):
        x = 30 + i * 8
        sp.rect(x, 44, x + 6, 60, fill=col, outline=OUTLINE, width=0.8, radius=1.5)
        sp.rect(x + 2, 38, x + 4, 45, fill=col)


def deco_stains(sp):
    for x, y, r in ((30, 50, 9), (52, 60, 6), (44, 34, 4)):
        sp.circle(x, y, r, fill=(110, 20, 40, 110))


DECOR = {"torch": deco_torch, "ring": deco_ring, "vent": deco_vent, "web": deco_web, "sign": deco_sign,
         "arch": deco_arch, "stains": deco_stains}

WALLS = {
    21: ("brick", {}),
    22: ("brick", {"cracks": 2}),
    23: ("brick", {}, ["arch"]),
    24: ("stone", {}),
    25: ("stone", {"moss": 0.45}),
    26: ("cave", {}),
    27: ("brick", {"soot": 0.55}),
    28: ("planks", {}),
    29: ("planks", {"bands": True}),
    30: ("barrels", {"spots": [(21, 21), (61, 21), (21, 61), (61, 61)], "r": 18}),
    31: ("barrels", {"spots": [(41, 40)], "r": 33, "tap": True}),
    32: ("shelf", {"items": ["bottle"]}),
    33: ("shelf", {"items": ["jar", "cheese", "mug"]}),
    34: ("rack", {}),
    35: ("pillar", {}),
    36: ("brick", {}, ["torch"]),
    37: ("stone", {}, ["ring"]),
    38: ("logs", {}),
    39: ("brick", {"moss": 0.5, "base": (136, 84, 62)}),
    40: ("brick", {}, ["vent"]),
    41: ("stone", {"base": (104, 100, 96)}, ["web"]),
    42: ("barrels", {"spots": [(41, 41)], "r": 30}, ["stains"]),
    43: ("brick", {"base": (160, 96, 58)}, ["sign"]),
    45: ("stone", {"base": (96, 92, 88), "rough": True}, ["web"]),
}


def tile_blocker():
    """Code 20: a low heap of sacks, plainly not a wall."""
    sp = floor_sprite(20)
    sack = (186, 160, 112)
    for x0, y0, x1, y1, s in ((6, 30, 46, 74, 1.0), (36, 28, 78, 72, 0.92), (20, 8, 62, 48, 1.08)):
        sp.shadow(lambda d, k, b=(x0, y0, x1, y1): d.ellipse([b[0] * k, b[1] * k, b[2] * k, b[3] * k], fill=255),
                  2, 3, 2.5, 130)
        sp.ellipse(x0, y0, x1, y1, fill=OUTLINE)
        mm = sp.mask(lambda d, k, b=(x0, y0, x1, y1): d.ellipse(
            [(b[0] + 1.3) * k, (b[1] + 1.3) * k, (b[2] - 1.3) * k, (b[3] - 1.3) * k], fill=255))
        sp.radial(mm, x0 + (x1 - x0) * 0.4, y0 + (y1 - y0) * 0.35, (x1 - x0) * 0.7, shade(sack, 1.12 * s),
                  shade(sack, 0.62 * s))
        cx = (x0 + x1) / 2
        sp.line([(cx - 6, y0 + 5), (cx, y0 + 9), (cx + 6, y0 + 5)], (110, 80, 50), width=1.6)
        sp.ellipse(cx - 7, (y0 + y1) / 2, cx + 7, (y0 + y1) / 2 + 9, outline=rgba((120, 60, 30), 190), width=1.2)
    return sp.final()


def tile_cage(box_alpha):
    """Iron bars. Where the caged crate covers the cell the picture is open,
    so drawing the cage again over the crate leaves the crate showing."""
    floor = floor_sprite(44).final()
    arr = np.array(floor)
    arr[:, :, 3] = np.where(box_alpha[:T, :T] >= 128, 0, 255).astype(np.uint8)
    base = Image.fromarray(arr, "RGBA")
    sp = Sprite(T, T)
    for x in range(6, 82, 12):
        sp.rect(x - 2, 0, x + 2, T, fill=OUTLINE)
        sp.rect(x - 1.2, 0, x + 1.2, T, fill=IRON)
        sp.line([(x - 0.6, 1), (x - 0.6, T - 1)], IRON_LIGHT, width=0.6)
    for y in (3, 41, 78):
        sp.rect(0, y - 3, T, y + 3, fill=OUTLINE)
        sp.rect(0, y - 2, T, y + 2, fill=IRON_DARK)
        sp.line([(0, y - 1), (T, y - 1)], IRON, width=1)
        for x in range(6, 82, 12):
            sp.circle(x, y, 1.6, fill=IRON_LIGHT)
    return over(sp.final(), base)


# --------------------------------------------------------------- emitters --

def emitter(direction, lit):
    """A copper coil in the wall that fires its bolt the way the nozzle points."""
    angle = {"right": 0, "down": 90, "left": 180, "up": 270}[direction]
    sp = stone_wall(50, base=(100, 96, 92))
    c = 41

    def R(pts):
        return rotate_pts(pts, c, c, angle)

    sp.shadow(lambda d, k: d.ellipse([12 * k, 12 * k, 72 * k, 72 * k], fill=255), 2, 3, 3, 150)
    sp.circle(c, c, 27, fill=OUTLINE)
    mm = sp.mask(lambda d, k: d.ellipse([15.5 * k, 15.5 * k, 66.5 * k, 66.5 * k], fill=255))
    sp.radial(mm, 33, 33, 36, (120, 110, 100), (50, 44, 40))
    # coil windings across the firing axis
    for i in range(-3, 4):
        x = c - 4 + i * 5
        hh = math.sqrt(max(0, 20 ** 2 - (i * 5) ** 2))
        sp.poly(R([(x - 1.8, c - hh), (x + 1.8, c - hh), (x + 1.8, c + hh), (x - 1.8, c + hh)]),
                fill=COPPER_LIGHT if (lit and i % 2 == 0) else COPPER, outline=COPPER_DARK, width=0.8)
    # the nozzle
    sp.poly(R([(c + 16, c - 9), (c + 38, c - 5), (c + 38, c + 5), (c + 16, c + 9)]), fill=BRASS, outline=OUTLINE,
            width=1.4)
    sp.poly(R([(c + 18, c - 6), (c + 36, c - 3.5), (c + 36, c - 1.5), (c + 18, c - 3)]), fill=GOLD_LIGHT)
    tip = R([(c + 38, c)])[0]
    glow_col = (140, 220, 255) if lit else (60, 110, 200)
    sp.glow(lambda d, k: d.ellipse([(tip[0] - 9) * k, (tip[1] - 9) * k, (tip[0] + 9) * k, (tip[1] + 9) * k],
                                   fill=255), glow_col, blur=3, alpha=230 if lit else 150)
    sp.circle(tip[0], tip[1], 4.5 if lit else 3.2, fill=(255, 255, 255) if lit else (150, 190, 240))
    # a warning mark on the coil's back
    sp.circle(*R([(c - 16, c)])[0], 5.5, fill=(230, 190, 40), outline=OUTLINE, width=1)
    bolt = R([(c - 16.5, c - 4), (c - 14.5, c - 0.5), (c - 17.5, c + 0.5), (c - 15.5, c + 4)])
    sp.line(bolt, OUTLINE, width=1.1)
    if lit:
        rng = random.Random(7 + angle)
        for _ in range(3):
            a = rng.uniform(0, 2 * math.pi)
            p0 = (tip[0] + 4 * math.cos(a), tip[1] + 4 * math.sin(a))
            p1 = (tip[0] + 10 * math.cos(a + 0.3), tip[1] + 10 * math.sin(a + 0.3))
            sp.line([p0, p1], (220, 245, 255), width=1)
    return sp.final()


# ------------------------------------------------------------- interface --

def panel_patches(img):
    px = img.load()

    def fill(x0, y0, w, h, col):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                px[x, y] = col

    fill(0, 585, 5, 5, PANEL_FILL)
    fill(5, 585, 5, 5, HELP_FILL)
    fill(20, 585, 5, 5, MENU_HOVER)
    fill(30, 585, 5, 5, MENU_RIM)
    fill(50, 585, 5, 5, MENU_PANEL)
    fill(70, 585, 5, 5, DIALOG_RIM)
    fill(0, 590, 3, 3, ABOUT_EDGE)


def button(label, hot):
    sp = Sprite(88, 20)
    sp.rect(0.5, 0.5, 87.5, 19.5, fill=OUTLINE, radius=5)
    m = sp.mask(lambda d, k: d.rounded_rectangle([1.5 * k, 1.5 * k, 86.5 * k, 18.5 * k], 4 * k, fill=255))
    if hot:
        sp.gradient(m, (150, 104, 44), (96, 60, 24))
    else:
        sp.gradient(m, (92, 64, 40), (54, 36, 24))
    sp.rect(1.5, 1.5, 86.5, 18.5, outline=GOLD if hot else BRASS, width=1.2, radius=4)
    sp.text(44, 10.5, label, 12.5, (255, 240, 190) if hot else (226, 206, 160))
    return sp.final()


def grid_cell():
    """The level grid's plaque (85 x 70); the level number sits in its middle."""
    sp = Sprite(85, 70)
    sp.rect(2, 2, 84, 69, fill=OUTLINE, radius=6)
    m = sp.mask(lambda d, k: d.rounded_rectangle([3 * k, 3 * k, 83 * k, 68 * k], 5 * k, fill=255))
    sp.textured(m, (84, 58, 38), seed=60, amount=0.16, cell=4)
    sp.rect(7, 9, 79, 63, fill=(46, 32, 24), radius=4)
    sp.line([(8, 10), (78, 10)], (30, 20, 14), width=1.2)
    sp.line([(5, 4.5), (81, 4.5)], (150, 110, 70), width=1)
    for x, y in ((7, 6.5), (78, 6.5), (7, 65.5), (78, 65.5)):
        sp.circle(x, y, 1.3, fill=BRASS)
    return sp.final()


def grid_overlay(kind):
    if kind == "lock":
        sp = Sprite(86, 76)
        for x in range(12, 80, 12):
            sp.rect(x - 1.6, 4, x + 1.6, 68, fill=OUTLINE)
            sp.rect(x - 0.8, 4, x + 0.8, 68, fill=(96, 100, 108))
        sp.rect(3, 3, 83, 7, fill=IRON_DARK, outline=OUTLINE, width=1)
        sp.rect(3, 64, 83, 68, fill=IRON_DARK, outline=OUTLINE, width=1)
        # padlock at the bottom
        sp.circle(43, 56, 7, outline=OUTLINE, width=4)
        sp.circle(43, 56, 7, outline=IRON_LIGHT, width=2)
        sp.rect(34, 58, 52, 74, fill=GOLD_DARK, outline=OUTLINE, width=1.3, radius=2)
        sp.rect(36, 60, 50, 63, fill=GOLD)
        sp.circle(43, 67, 1.8, fill=OUTLINE)
        return sp.final()
    sp = Sprite(86, 70)
    col = {"done": (70, 170, 70), "current": (255, 196, 60)}[kind]
    sp.rect(1, 1, 85, 69, outline=OUTLINE, width=4, radius=7)
    sp.rect(2, 2, 84, 68, outline=col, width=2.2, radius=6)
    if kind == "current":
        sp.poly([(3, 30), (11, 35), (3, 40)], fill=col, outline=OUTLINE, width=1)
        sp.poly([(83, 30), (75, 35), (83, 40)], fill=col, outline=OUTLINE, width=1)
    else:
        sp.line([(8, 57), (12, 61), (19, 52)], OUTLINE, width=3.5)
        sp.line([(8, 57), (12, 61), (19, 52)], col, width=2)
    return sp.final()


def grid_highlight():
    sp = Sprite(92, 76)
    sp.rect(0.5, 0.5, 91.5, 75.5, outline=OUTLINE, width=4.5, radius=9)
    sp.rect(1.2, 1.2, 90.8, 74.8, outline=(255, 226, 120), width=2.5, radius=8)
    return sp.final()


def mug_strip(filled):
    sp = Sprite(75, 13)
    for i in range(5):
        x = i * 15
        if filled:
            sp.rect(x + 2, 2, x + 10, 12.5, fill=OUTLINE, radius=1.5)
            sp.rect(x + 2.8, 4.5, x + 9.2, 11.8, fill=BEER, radius=1)
            sp.rect(x + 2.8, 2.6, x + 9.2, 5, fill=FOAM)
            sp.ellipse(x + 8.5, 4.5, x + 13.5, 10, outline=OUTLINE, width=1.6)
        else:
            sp.rect(x + 2, 2, x + 10, 12.5, fill=OUTLINE, radius=1.5)
            sp.rect(x + 2.9, 2.9, x + 9.1, 11.6, fill=(70, 62, 54), radius=1)
            sp.rect(x + 3.8, 4, x + 5, 10.5, fill=(150, 140, 124))
            sp.ellipse(x + 8.5, 4.5, x + 13.5, 10, outline=(150, 140, 124), width=1.4)
    return sp.final()


def star_icon(size, lit=True):
    sp = Sprite(size, size)
    c = size / 2
    if lit:
        things.star(sp, c, c + size * 0.03, size * 0.47, width=max(1.0, size / 22))
    else:
        things.star(sp, c, c + size * 0.03, size * 0.47, fill=(70, 64, 58), light=(96, 90, 82),
                    width=max(1.0, size / 22))
    return sp.final()


def mug_icon():
    sp = Sprite(60, 60)
    sp.glow(lambda d, k: d.ellipse([6 * k, 6 * k, 54 * k, 54 * k], fill=255), (255, 210, 100), 4, 120)
    things.mug(sp, 6, 4, 50)
    return sp.final()


def mug_slots():
    """The arc of five hollows the result screen fills with mugs; the
    middle three (x 65..269) are the picture of a three-mug level."""
    sp = Sprite(335, 85)
    centres = [(32, 57), (102, 39), (172, 31), (242, 39), (312, 57)]
    sp.line(centres, (40, 28, 20), width=5)
    sp.line(centres, BRASS, width=2.5)
    for cx, cy in centres:
        sp.circle(cx, cy, 25, fill=OUTLINE)
        sp.circle(cx, cy, 23.5, fill=(120, 90, 50))
        mm = sp.mask(lambda d, k, c=(cx, cy): d.ellipse(
            [(c[0] - 21) * k, (c[1] - 21) * k, (c[0] + 21) * k, (c[1] + 21) * k], fill=255))
        sp.radial(mm, cx + 4, cy + 5, 24, (54, 40, 30), (22, 16, 12))
        sp.circle(cx, cy, 21, outline=GOLD_DARK, width=1)
    img = sp.final()
    # clip to the picture
    return img


def legend(i):
    """The about page's legend pictures: a won mug, the star, a lock, the
    current level's marker (39 x 22)."""
    sp = Sprite(39, 22)
    if i == 0:
        sp.paste(mug_strip(True).crop((0, 0, 30, 13)).resize((30, 13)), 4, 5)
    elif i == 1:
        sp.paste(star_icon(22), 8, 0)
    elif i == 2:
        sp.rect(4, 2, 35, 20, fill=(46, 32, 24), outline=OUTLINE, width=1, radius=2)
        for x in (10, 16, 22, 28):
            sp.rect(x - 1, 2, x + 1, 20, fill=(110, 114, 120))
        sp.circle(19.5, 11, 3.5, outline=IRON_LIGHT, width=1.5)
        sp.rect(15, 12, 24, 20, fill=GOLD, outline=OUTLINE, width=1)
    else:
        sp.rect(4, 2, 35, 20, fill=(46, 32, 24), outline=(255, 196, 60), width=2, radius=3)
        sp.poly([(5, 8), (10, 11), (5, 14)], fill=(255, 196, 60))
        sp.poly([(34, 8), (29, 11), (34, 14)], fill=(255, 196, 60))
    return sp.final()


# ------------------------------------------------------------------ sheet --

def build(ge_box_alpha, crate_img, bottle_img, barrel_img):
    sheet = Image.new("RGBA", (SHEET_W, SHEET_H), rgba(MAGENTA, 0))

    def put(img, x, y):
        sheet.alpha_composite(img, (x, y))

    def put_tile(v, img):
        put(img, *tile_pos(v))

    put_tile(0, tile_floor())
    put_tile(1, tile_pit())
    put_tile(2, tile_filled_water())
    put_tile(3, tile_trap(False))
    put_tile(4, water_frame(0))
    put_tile(5, tile_collectible("gold"))
    for v in (6, 7, 8, 9):
        put_tile(v, door_open(v))
        put_tile(v + 40, door_closed(v))
        put_tile(v + 50, door_frame(v))
    put_tile(10, tile_collectible("mug"))
    put_tile(11, tile_trap(True))
    put_tile(12, tile_collectible("steel"))
    for v, d in ((13, "right"), (14, "left"), (15, "up"), (16, "down")):
        put_tile(v, tile_pad(d))
    floor = tile_floor()
    for v, img in ((17, crate_img), (18, bottle_img), (19, barrel_img)):
        t = floor.copy()
        t.alpha_composite(img.crop((0, 0, T, T)))
        if v == 18:
            t = over(tile_cage(ge_box_alpha), t)
        put_tile(v, t)
    put_tile(20, tile_blocker())
    for v in WALLS:
        put_tile(v, wall_tile(v))
    put_tile(44, tile_cage(ge_box_alpha))
    for v, d in ((50, "right"), (51, "down"), (52, "left"), (53, "up")):
        put_tile(v, emitter(d, False))
        if v < 53:
            put(emitter(d, True), 83 * (v - 50), 913)
            put(emitter(d, False), 332 + 83 * (v - 50), 913)
    put_tile(54, things.beam(0))
    put_tile(55, things.beam(0, vertical=True))
    for f in range(4):
        put_tile(60 + f, water_frame(f))
    put_tile(64, things.beam(0))
    put_tile(65, things.beam(1))
    put_tile(66, things.beam(1, vertical=True))
    put_tile(67, things.beam(0, vertical=True))
    put(door_leaf("v"), 664, 913)
    put(door_leaf("h"), 747, 913)

    # interface
    for i, label in enumerate(("Pomoc  I", "Od nowa  R", "Menu  M")):
        put(button(label, False), 88 * i, 600)
        put(button(label, True), 88 * i, 621)
    for i in range(4):
        put(legend(i), 40 * i, 660)
    put(mug_strip(False), 0, 688)
    put(mug_strip(True), 0, 702)
    put(star_icon(22).crop((1, 0, 22, 22)), 75, 685)
    put(star_icon(26), 99, 686)
    put(mug_icon(), 180, 650)
    put(grid_highlight(), 340, 590)
    put(grid_cell(), 440, 590)
    put(grid_overlay("done"), 526, 590)
    put(grid_overlay("current"), 612, 590)
    put(grid_overlay("lock"), 698, 590)
    put(star_icon(40, True), 790, 590)
    put(star_icon(40, False), 790, 630)
    put(mug_slots(), 480, 670)

    out = to_mask_colours(sheet)
    panel_patches(out)
    return out
