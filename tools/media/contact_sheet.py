#!/usr/bin/python3
"""Renders every tile, thing, player pose and interface picture of a built
media/ directory into one labelled PNG, plus a small board made of them.

Usage: contact_sheet.py MEDIA_DIR OUT.png
"""
import sys

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
BOLD = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"
BG = (58, 58, 64)

TILE_NAMES = {
    0: "floor", 1: "pit", 2: "filled water", 3: "trap safe", 4: "water", 5: "exit key", 6: "door open up",
    7: "door open down", 8: "door open right", 9: "door open left", 10: "mug", 11: "trap deadly",
    12: "cage key", 13: "pad right", 14: "pad left", 15: "pad up", 16: "pad down", 17: "box (help)",
    18: "caged box (help)", 19: "slider (help)", 20: "low blocker", 44: "cage", 46: "door shut up",
    47: "door shut down", 48: "door shut right", 49: "door shut left", 50: "emitter right", 51: "emitter down",
    52: "emitter left", 53: "emitter up", 54: "beam horiz.", 55: "beam vert.", 56: "frame 46", 57: "frame 47",
    58: "frame 48", 59: "frame 49", 60: "water 0", 61: "water 1", 62: "water 2", 63: "water 3",
    64: "beam A / cross", 65: "beam B", 66: "beam v B", 67: "beam v A",
}
WALL_CODES = list(range(21, 44)) + [45]

# Interface regions of the sheet: (label, x, y, w, h).
REGIONS = [
    ("buttons", 0, 600, 265, 20), ("button hi 1", 0, 621, 88, 20), ("button hi 2", 88, 621, 88, 20),
    ("button hi 3", 176, 621, 88, 20), ("star 22", 74, 685, 22, 22), ("star 26", 99, 686, 26, 26),
    ("star lit", 790, 590, 40, 40), ("star unlit", 790, 630, 40, 40), ("mug icon", 180, 650, 60, 60),
    ("mugs empty", 0, 688, 75, 13), ("mugs won", 0, 702, 75, 13), ("grid cell", 440, 590, 85, 70),
    ("grid done", 526, 590, 86, 70), ("grid current", 612, 590, 86, 70), ("grid lock", 698, 590, 86, 76),
    ("grid hover", 340, 590, 92, 76), ("slots 5", 480, 670, 335, 85), ("slots 3", 545, 670, 205, 85),
    ("legend 0", 0, 660, 39, 22), ("legend 1", 40, 660, 39, 22), ("legend 2", 80, 660, 39, 22),
    ("legend 3", 120, 660, 39, 22), ("pit inner", 89, 6, 70, 70), ("trap inner", 89, 89, 70, 70),
    ("beam piece h", 332, 421, 82, 70), ("beam piece v", 421, 415, 70, 82),
    ("emit strip A", 0, 913, 249, 82), ("emit strip B", 332, 913, 249, 82), ("leaf v", 664, 913, 82, 82),
    ("leaf h", 747, 913, 82, 82),
]
PATCHES = [("(0,0)", 0, 0, 5, 5), ("(1,1)", 1, 1, 2, 2), ("(5,5)", 5, 5, 2, 2), ("(120,60)", 120, 60, 8, 8),
           ("(290,120)", 290, 120, 5, 5), ("(0,585)", 0, 585, 5, 5), ("(5,585)", 5, 585, 5, 5),
           ("(20,585)", 20, 585, 5, 5), ("(30,585)", 30, 585, 5, 5), ("(50,585)", 50, 585, 5, 5),
           ("(70,585)", 70, 585, 5, 5), ("(0,590)", 0, 590, 3, 3)]


def keyed(img):
    """Sheet pictures: magenta becomes transparent."""
    img = img.convert("RGBA")
    px = img.load()
    for y in range(img.height):
        for x in range(img.width):
            r, g, b, _ = px[x, y]
            if r == 255 and g == 0 and b == 255:
                px[x, y] = (0, 0, 0, 0)
    return img


def checker(w, h, size=6):
    img = Image.new("RGBA", (w, h), (90, 90, 96, 255))
    d = ImageDraw.Draw(img)
    for y in range(0, h, size):
        for x in range(0, w, size):
            if (x // size + y // size) % 2:
                d.rectangle([x, y, x + size - 1, y + size - 1], fill=(110, 110, 118, 255))
    return img


class Sheet:
    def __init__(self, w, h):
        self.img = Image.new("RGBA", (w, h), BG + (255,))
        self.d = ImageDraw.Draw(self.img)
        self.small = ImageFont.truetype(FONT, 11)
        self.head = ImageFont.truetype(BOLD, 18)

    def heading(self, x, y, text):
        self.d.text((x, y), text, font=self.head, fill=(255, 230, 160))

    def cell(self, x, y, pic, label, scale=1):
        if scale != 1:
            pic = pic.resize((pic.width * scale, pic.height * scale), Image.NEAREST)
        back = checker(pic.width, pic.height)
        back.alpha_composite(pic)
        self.img.alpha_composite(back, (x, y))
        self.d.text((x, y + pic.height + 1), label, font=self.small, fill=(230, 230, 230))
        return pic.width


def board(atlas, ge, gs):
    """A small level made of the real pictures, at play size."""
    rows = [
        "21 21 21 21 21 21 21 21 21 21",
        "50  0  0 10  0  1  0 13  0 48",
        "21  0  3  0  4  0 11  0 12 23",
        "24  0  0  5  0  0 44  0 14 25",
        "30  0 15  0 16  2  0 20  0 32",
        "31 33 34 35 36 37 38 39 40 41",
    ]
    objects = {(3, 2): 17, (6, 3): 18, (7, 4): 19, (2, 1): 3, (4, 1): 3, (6, 1): 3}
    codes = [[int(v) for v in r.split()] for r in rows]
    w, h = len(codes[0]) * 82, len(codes) * 82
    img = Image.new("RGBA", (w, h), (0, 0, 0, 255))

    def tile(v):
        return atlas.crop((83 * (v % 10), 83 * (v // 10), 83 * (v % 10) + 82, 83 * (v // 10) + 82))

    for r, row in enumerate(codes):
        for c, v in enumerate(row):
            img.alpha_composite(tile(v), (c * 82, r * 82))
    for r, row in enumerate(codes):
        for c, v in enumerate(row):
            o = objects.get((c, r), 0)
            if o:
                img.alpha_composite(ge.crop((95 * (o % 10), 0, 95 * (o % 10) + 92, 92)), (c * 82, r * 82))
            if v == 44:
                img.alpha_composite(tile(44), (c * 82, r * 82))
    img.alpha_composite(gs.crop((0, 0, 82, 82)), (82, 3 * 82))
    img.alpha_composite(gs.crop((83 * 4, 332, 83 * 4 + 82, 332 + 82)), (2 * 82, 2 * 82))
    img.alpha_composite(tile(58), (9 * 82, 82))
    return img


def main():
    media, out = sys.argv[1], sys.argv[2]
    atlas = keyed(Image.open(f"{media}/graf1.png"))
    gs = keyed(Image.open(f"{media}/gs.png"))
    ge = Image.open(f"{media}/ge.png").convert("RGBA")
    rays = Image.open(f"{media}/promienie.png").convert("RGBA")
    pijak = Image.open(f"{media}/pijak.jpg").convert("RGBA")

    sheet = Sheet(2060, 2330)
    x0, y = 10, 8
    sheet.heading(x0, y, "Tiles (graf1.png)")
    y += 26
    codes = [v for v in range(70) if v in TILE_NAMES] + WALL_CODES
    codes.sort()
    for i, v in enumerate(codes):
        col, row = i % 20, i // 20
        tx, ty = 83 * (v % 10), 83 * (v // 10)
        name = TILE_NAMES.get(v, "wall")
        sheet.cell(x0 + col * 101, y + row * 100, atlas.crop((tx, ty, tx + 82, ty + 82)), f"{v} {name}")
    y += ((len(codes) + 19) // 20) * 100 + 10

    sheet.heading(x0, y, "Things (ge.png)")
    y += 26
    x = x0
    for label, box in (("beam 3", (285, 0, 377, 92)), ("beam 4", (380, 0, 472, 92)), ("box 17", (665, 0, 757, 92)),
                       ("caged box 18", (760, 0, 852, 92)), ("slider 19", (855, 0, 947, 92)),
                       ("collect 1", (83, 0, 165, 82)), ("collect 2", (166, 0, 248, 82))):
        x += sheet.cell(x, y, ge.crop(box), label) + 14
    sheet.cell(x, y, ge.crop((0, 190, 640, 330)), "result header band")
    x += 654
    sheet.cell(x, y, rays, "promienie.png")
    y += 160

    sheet.heading(x0, y, "Player (gs.png): walk R L U D, push R L U D")
    y += 26
    sheet.cell(x0, y, gs.crop((0, 0, 996, 664)), "")
    bx = x0 + 1010
    sheet.heading(bx, y - 26, "A board at play size")
    b = board(atlas, ge, gs)
    sheet.cell(bx, y, b, "")
    y += max(664, b.height) + 16

    sheet.heading(x0, y, "Interface regions (x2)")
    y += 26
    x, rowh = x0, 0
    for label, rx, ry, rw, rh in REGIONS:
        pic = atlas.crop((rx, ry, rx + rw, ry + rh))
        scale = 2 if rw < 300 else 1
        if x + rw * scale > 2050:
            x, y = x0, y + rowh + 18
            rowh = 0
        sheet.cell(x, y, pic, f"{label} ({rx},{ry},{rw},{rh})", scale)
        x += max(rw * scale, 110) + 12
        rowh = max(rowh, rh * scale)
    y += rowh + 22
    x = x0
    for label, rx, ry, rw, rh in PATCHES:
        pic = atlas.crop((rx, ry, rx + rw, ry + rh)).resize((40, 40), Image.NEAREST)
        sheet.cell(x, y, pic, label)
        x += 70
    y += 60
    sheet.heading(x0, y, "pijak.jpg")
    y += 26
    sheet.cell(x0, y, pijak, "")
    sheet.img.convert("RGB").save(out)


if __name__ == "__main__":
    main()
