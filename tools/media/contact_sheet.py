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


# ------------------------------------------------------------------ mock screens
# The screens' own layouts, drawn from the sheet and the text table, so the
# panel patches and the texts can be judged together.

def read_texts(media):
    with open(f"{media}/teksty_100.txt", encoding="utf-8") as f:
        return [line.rstrip("\r\n")[4:] for line in f]


class Screen:
    def __init__(self, atlas, w=1024, h=768):
        self.atlas = atlas
        self.img = Image.new("RGBA", (w, h), (34, 30, 27, 255))
        self.d = ImageDraw.Draw(self.img)
        self.fonts = {"b22": ImageFont.truetype(BOLD, 22), "b30": ImageFont.truetype(BOLD, 30),
                      "b40": ImageFont.truetype(BOLD, 40), "r20": ImageFont.truetype(FONT, 20)}

    def scaled(self, src, dst, tint=None):
        x, y, w, h = src
        part = self.atlas.crop((x, y, x + w, y + h)).resize((int(dst[2]), int(dst[3])), Image.NEAREST)
        if tint is not None:
            r, g, b, a = tint
            arr = part.split()
            mult = Image.new("RGBA", part.size, (r, g, b, 255))
            from PIL import ImageChops
            part = ImageChops.multiply(part, mult)
            alpha = arr[3].point(lambda v: v * a // 255)
            part.putalpha(alpha)
        self.img.alpha_composite(part, (int(dst[0]), int(dst[1])))

    def region(self, src, at):
        self.scaled(src, (at[0], at[1], src[2], src[3]))

    def text(self, font, colour, x, y, s, centre=False):
        f = self.fonts[font]
        if centre:
            x -= f.getlength(s) / 2
        self.d.text((x, y), s, font=f, fill=colour, anchor="la")


def tile_box(v):
    return (83 * (v % 10), 83 * (v // 10), 82, 82)


def mock_screens(atlas, ge, texts):
    sc = Screen(atlas)
    # top bar
    sc.text("b22", (222, 222, 22), 60, 2, texts[80].replace("%d", "12", 1).replace("%d", "50", 1))
    sc.region((74, 685, 22, 22), (280, 2))
    sc.text("b22", (200, 200, 22), 300, 2, " 17 ")
    sc.region((0, 600, 265, 20), (660, 4))
    sc.region((88, 621, 88, 20), (748, 5))
    sc.scaled((0, 585, 5, 5), (464, 5, 92, 19))
    sc.text("b22", (9, 200, 9), 490, 2, "1:05")
    # menu
    for src, dst in (((50, 585, 5, 5), (328, 246, 370, 276)), ((30, 585, 5, 5), (331, 249, 364, 270)),
                     ((0, 585, 5, 5), (334, 252, 358, 264)), ((5, 5, 2, 2), (360, 286, 305, 2)),
                     ((50, 585, 5, 5), (360, 298, 306, 204)), ((20, 585, 5, 5), (378, 344, 270, 28))):
        sc.scaled(src, dst)
    sc.text("b22", (100, 222, 222), 515, 256, texts[4], True)
    for k in range(4):
        sc.text("b22", (200, 200, 200) if k == 1 else (150, 150, 150), 512, 306 + 40 * k, texts[5 + k], True)
    sc.text("b22", (188, 22, 22), 512, 466, texts[9], True)
    # reset dialog
    w = sc.fonts["b22"].getlength(texts[77])
    h = int(w) // 2
    e = h + 30
    sc.scaled((50, 585, 5, 5), (512 - e, 555, 2 * e, 115))
    sc.scaled((70, 585, 5, 5), (514 - e, 557, 2 * h + 56, 111))
    sc.scaled((0, 585, 5, 5), (516 - e, 559, 2 * h + 52, 107))
    sc.text("b22", (200, 222, 222), 512, 570, texts[77], True)
    sc.text("b22", (200, 222, 222), 512, 595, texts[83], True)
    sc.text("b22", (255, 2, 2), 430, 630, texts[78], True)
    sc.text("b22", (255, 2, 2), 590, 630, texts[79], True)
    # level grid cells
    for i, (kind, mugs, star) in enumerate((("done", 3, True), ("done", 2, False), ("current", 0, False),
                                             ("lock", 0, False))):
        x, y = 40 + 95 * i, 60
        sc.region((440, 590, 85, 70), (x, y))
        src = {"done": (526, 590, 86, 70), "current": (612, 590, 86, 70), "lock": (698, 590, 86, 76)}[kind]
        sc.region(src, (x, y))
        if kind != "lock":
            sc.region((0, 688, 45, 13), (x + 6, y - 3))
            if mugs:
                sc.region((0, 702, 15 * mugs, 13), (x + 6, y - 3))
        sc.text("b30", (180, 180, 180) if kind != "lock" else (111, 111, 111), x + 40, y + 16, str(7 + i), True)
        if star:
            sc.region((99, 686, 26, 26), (x + 55, y + 48))
    sc.region((340, 590, 92, 76), (40 + 95 - 3, 57))
    return sc.img


def layered_panel(sc, edge, fill, box):
    """Help and about: an edge, the brass rim 3 px in, the fill 5 px in."""
    x, y, w, h = box
    sc.scaled(edge, box)
    sc.scaled((290, 120, 5, 5), (x + 3, y + 3, w - 6, h - 6))
    sc.scaled(fill, (x + 5, y + 5, w - 10, h - 10))


def mock_help(atlas, texts):
    sc = Screen(atlas)
    layered_panel(sc, (120, 60, 3, 3), (5, 585, 5, 5), (209, 47, 606, 686))
    sc.text("b30", (222, 222, 222), 512, 70, texts[46], True)
    entries = [([10], 130, 310, 430), ([12], 195, 310, 415), ([5], 260, 310, 370), ([17, 18], 325, 360, 450),
               ([19], 390, 310, 415), ([54, 55], 455, 365, 430), ([1, 11, 4, 54], 520, 475, 645),
               ([13, 14, 15, 16], 585, 475, 560)]
    for i, (codes, top, nx, dx) in enumerate(entries):
        for j, v in enumerate(codes):
            sc.scaled(tile_box(v), (250 + 55 * j, top, 50, 50))
        n = 47 + 3 * i if i < 3 else 47 + 3 * i - 1
        n = [47, 50, 53, 55, 58, 61, 64, 67][i]
        sc.text("b22", (222, 222, 22), nx, top + 3, texts[n])
        sc.text("r20", (200, 200, 200), dx, top + 5, texts[n + 1])
        if n != 53:
            sc.text("r20", (200, 200, 200), nx, top + 25, texts[n + 2])
    sc.text("r20", (200, 200, 200), 512, 680, texts[5], True)
    return sc.img.crop((200, 40, 824, 740))


def mock_about(atlas, texts):
    sc = Screen(atlas)
    layered_panel(sc, (0, 590, 3, 3), (0, 585, 5, 5), (109, 77, 806, 626))
    sc.text("b30", (22, 222, 222), 512, 90, texts[14], True)
    for i in range(18):
        y = 130 + 25 * i + (15 if i >= 8 else 0) + (15 if i >= 16 else 0)
        colour = (222, 222, 22) if i in (8, 16) else (222, 222, 222)
        left = {8: 23, 16: 31, 17: 32}.get(i, 15 + i if i < 8 else 24 + i - 9)
        sc.text("r20", colour, 150, y, texts[left])
        if 9 <= i <= 15:
            sc.text("r20", colour, 280, y, texts[33 + i - 9])
        if i == 8:
            sc.text("r20", colour, 530, y, texts[40])
        if i == 9:
            sc.text("r20", colour, 530, y, texts[41])
    for i in range(4):
        sc.scaled((40 * i, 660, 39, 22), (530, 397 + 30 * i, 36, 22))
        sc.text("r20", (222, 222, 222), 580, 395 + 30 * i, texts[42 + i])
    sc.scaled((1, 1, 2, 2), (510, 345, 2, 170))
    sc.text("r20", (120, 180, 180), 150, 610, "(the author's credit line)")
    sc.text("r20", (180, 180, 180), 512, 650, texts[5], True)
    return sc.img.crop((100, 70, 924, 710))


def mock_result(atlas, ge, texts, rays):
    sc = Screen(atlas)
    sc.scaled((0, 0, 5, 5), (160, 160, 704, 458), tint=(0, 0, 0, 133))
    sc.d.rectangle([170, 170, 854, 608], outline=(20, 200, 20), width=2)
    header = ge.crop((0, 190, 640, 330)).resize((610, 138), Image.BILINEAR)
    sc.img.alpha_composite(header, (209, 190))
    sc.region((480, 670, 335, 85), (345, 250))
    sc.region((790, 630, 40, 40), (573, 330))
    sc.region((790, 590, 40, 40), (573, 330))
    for angle in (17, -17):
        turned = rays.rotate(angle, center=(200, 80), resample=Image.BICUBIC)
        sc.img.alpha_composite(turned, (593 - 200, 348 - 80))
    sc.text("b40", (200, 200, 200), 513, 193, "37", True)
    icon = atlas.crop((180, 650, 240, 710))
    for (x, y), ang in (((367, 297), 350), ((437, 279), 355), ((507, 271), 0), ((577, 279), 5)):
        rot = icon.rotate(-ang, center=(20, 20), resample=Image.BICUBIC)
        sc.img.alpha_composite(rot, (x - 20, y - 20))
    sc.text("b30", (28, 222, 28), 512, 333, "305", True)
    sc.text("b30", (150, 150, 18), 430, 333, "(305)", True)
    sc.text("b40", (20, 200, 20), 512, 404, texts[10], True)
    sc.text("b30", (188, 188, 188), 512, 490, texts[76].replace("%d", "38"), True)
    sc.scaled((0, 0, 5, 5), (700, 322, 115, 52), tint=(0, 0, 0, 120))
    sc.text("r20", (120, 120, 120), 757, 322, texts[70], True)
    sc.text("r20", (180, 180, 180), 512, 550, texts[13], True)
    return sc.img.crop((150, 150, 874, 628))


def main():
    media, out = sys.argv[1], sys.argv[2]
    atlas = keyed(Image.open(f"{media}/graf1.png"))
    gs = keyed(Image.open(f"{media}/gs.png"))
    ge = Image.open(f"{media}/ge.png").convert("RGBA")
    rays = Image.open(f"{media}/promienie.png").convert("RGBA")
    pijak = Image.open(f"{media}/pijak.jpg").convert("RGBA")

    texts = read_texts(media)
    sheet = Sheet(2060, 4140)
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
    sheet.heading(x0 + 840, y, "Result screen (mock-up)")
    y += 26
    sheet.cell(x0, y, pijak, "")
    sheet.cell(x0 + 840, y, mock_result(atlas, ge, texts, rays), "")
    y += 580
    sheet.heading(x0, y, "Top bar, menu, reset dialog, grid cells (mock-up)")
    sheet.heading(x0 + 1034, y, "Help page (mock-up)")
    y += 26
    sheet.cell(x0, y, mock_screens(atlas, ge, texts), "")
    sheet.cell(x0 + 1034, y, mock_help(atlas, texts), "")
    y += 790
    sheet.heading(x0, y, "About page (mock-up)")
    y += 26
    sheet.cell(x0, y, mock_about(atlas, texts), "")
    sheet.img.convert("RGB").save(out)


if __name__ == "__main__":
    main()
