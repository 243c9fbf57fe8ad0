"""Drawing helpers shared by the picture generators.

Everything is drawn at SS times the final size and box-filtered down, which
gives clean anti-aliased edges without any hand-made pixel work.
"""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

SS = 4
MAGENTA = (255, 0, 255)
FONT_DIR = "/usr/share/fonts/truetype/liberation2"

# The palette: warm cellar browns, amber beer, stone greys, copper and brass.
FLOOR = (124, 110, 92)
FLOOR_LIGHT = (170, 152, 124)
FLOOR_DARK = (84, 72, 60)
GROUT = (52, 44, 38)
BRICK = (134, 68, 48)
MORTAR = (74, 64, 56)
STONE = (118, 114, 106)
WOOD = (146, 96, 52)
WOOD_LIGHT = (190, 134, 78)
WOOD_DARK = (88, 56, 32)
IRON = (92, 96, 104)
IRON_LIGHT = (176, 182, 190)
IRON_DARK = (44, 46, 52)
COPPER = (190, 108, 60)
COPPER_LIGHT = (240, 170, 110)
COPPER_DARK = (112, 58, 32)
BRASS = (176, 132, 56)
GOLD = (226, 176, 60)
GOLD_LIGHT = (255, 236, 150)
GOLD_DARK = (140, 96, 24)
BEER = (236, 150, 30)
BEER_LIGHT = (255, 200, 80)
FOAM = (252, 246, 228)
WATER = (38, 86, 128)
WATER_LIGHT = (120, 190, 222)
DANGER = (210, 40, 30)
OUTLINE = (30, 22, 16)


def font(size, bold=False):
    name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    return ImageFont.truetype(f"{FONT_DIR}/{name}", size)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def shade(c, f):
    return tuple(max(0, min(255, int(round(v * f)))) for v in c[:3])


def rgba(c, a=255):
    return (c[0], c[1], c[2], a)


def noise(w, h, cell, seed, octaves=3):
    """Smooth value noise in [0, 1], shape (h, w)."""
    rng = np.random.default_rng(seed)
    total = np.zeros((h, w), np.float32)
    amp, norm = 1.0, 0.0
    for _ in range(octaves):
        gw, gh = max(2, int(w / cell) + 2), max(2, int(h / cell) + 2)
        grid = (rng.random((gh, gw)) * 255).astype(np.uint8)
        up = Image.fromarray(grid, "L").resize((w, h), Image.BICUBIC)
        total += amp * np.asarray(up, np.float32) / 255.0
        norm += amp
        amp *= 0.5
        cell = max(1.0, cell / 2)
    total /= norm
    lo, hi = total.min(), total.max()
    return (total - lo) / max(1e-6, hi - lo)


class Sprite:
    """An RGBA surface drawn at `scale` times its final size; all coordinates are
    in final pixels (floats welcome). Every operation works on the bounding
    box of what it draws, so large pictures stay quick."""

    def __init__(self, w, h, bg=(0, 0, 0, 0), scale=SS):
        self.w, self.h, self.k = w, h, scale
        self.img = Image.new("RGBA", (w * scale, h * scale), bg)

    # -- plumbing ---------------------------------------------------------
    def _box(self, x0, y0, x1, y1):
        return [x0 * self.k, y0 * self.k, x1 * self.k - 1, y1 * self.k - 1]

    def _draw_clipped(self, bbox, paint):
        """paint(d, ox, oy) draws on a layer covering bbox (in drawing pixels)."""
        W, H = self.img.size
        x0 = max(0, int(math.floor(bbox[0])) - 2)
        y0 = max(0, int(math.floor(bbox[1])) - 2)
        x1 = min(W, int(math.ceil(bbox[2])) + 3)
        y1 = min(H, int(math.ceil(bbox[3])) + 3)
        if x1 <= x0 or y1 <= y0:
            return
        layer = Image.new("RGBA", (x1 - x0, y1 - y0), (0, 0, 0, 0))
        paint(ImageDraw.Draw(layer), x0, y0)
        self.img.alpha_composite(layer, (x0, y0))

    @staticmethod
    def _col(c):
        return rgba(c) if c is not None and len(c) == 3 else c

    def _shape(self, kind, box, fill, outline, width, radius=0):
        fill, outline = self._col(fill), self._col(outline)
        w = int(width * self.k)

        def paint(d, ox, oy):
            b = [box[0] - ox, box[1] - oy, box[2] - ox, box[3] - oy]
            if kind == "rect" and radius:
                d.rounded_rectangle(b, radius * self.k, fill=fill, outline=outline, width=w)
            elif kind == "rect":
                d.rectangle(b, fill=fill, outline=outline, width=w)
            else:
                d.ellipse(b, fill=fill, outline=outline, width=w)
        self._draw_clipped(box, paint)

    # -- plain shapes -----------------------------------------------------
    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1, radius=0):
        self._shape("rect", self._box(x0, y0, x1, y1), fill, outline, width, radius)

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1):
        self._shape("ellipse", self._box(x0, y0, x1, y1), fill, outline, width)

    def circle(self, cx, cy, r, fill=None, outline=None, width=1):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, fill, outline, width)

    def poly(self, pts, fill=None, outline=None, width=1):
        fill, outline = self._col(fill), self._col(outline)
        spts = [(x * self.k, y * self.k) for x, y in pts]
        m = width * self.k
        xs, ys = [p[0] for p in spts], [p[1] for p in spts]

        def paint(d, ox, oy):
            q = [(x - ox, y - oy) for x, y in spts]
            if fill:
                d.polygon(q, fill=fill)
            if outline:
                d.line(q + [q[0]], fill=outline, width=int(width * self.k), joint="curve")
        self._draw_clipped([min(xs) - m, min(ys) - m, max(xs) + m, max(ys) + m], paint)

    def line(self, pts, fill, width=1):
        fill = self._col(fill)
        spts = [(x * self.k, y * self.k) for x, y in pts]
        r = width * self.k / 2
        xs, ys = [p[0] for p in spts], [p[1] for p in spts]

        def paint(d, ox, oy):
            q = [(x - ox, y - oy) for x, y in spts]
            d.line(q, fill=fill, width=max(1, int(width * self.k)), joint="curve")
            for x, y in (q[0], q[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=fill)
        self._draw_clipped([min(xs) - r, min(ys) - r, max(xs) + r, max(ys) + r], paint)

    def text(self, x, y, s, size, fill, bold=True, anchor="mm"):
        fill = self._col(fill)
        f = font(int(round(size * self.k)), bold)
        box = ImageDraw.Draw(self.img).textbbox((x * self.k, y * self.k), s, font=f, anchor=anchor)

        def paint(d, ox, oy):
            d.text((x * self.k - ox, y * self.k - oy), s, font=f, fill=fill, anchor=anchor)
        self._draw_clipped(box, paint)

    # -- masks and textures ----------------------------------------------
    def mask(self, draw):
        """An L mask at self.k scale; draw(d, s) paints it with s = self.k."""
        m = Image.new("L", self.img.size, 0)
        draw(ImageDraw.Draw(m), self.k)
        return m

    def _fill_box(self, mask, make):
        """make(x0, y0, w, h) -> (h, w, 3) colours for the mask's bounding box."""
        box = mask.getbbox()
        if not box:
            return
        x0, y0, x1, y1 = box
        arr = np.clip(make(x0, y0, x1 - x0, y1 - y0), 0, 255).astype(np.uint8)
        layer = Image.fromarray(arr, "RGB").convert("RGBA")
        layer.putalpha(mask.crop(box))
        self.img.alpha_composite(layer, (x0, y0))

    def fill_mask(self, mask, colour_array):
        """Paints a full-size (H, W, 3) array through the mask."""
        self._fill_box(mask, lambda x0, y0, w, h: colour_array[y0:y0 + h, x0:x0 + w])

    def textured(self, mask, base, seed, amount=0.25, cell=12, octaves=3):
        """Fills the mask with a colour varied by noise (cell in final px)."""
        def make(x0, y0, w, h):
            n = noise(w, h, cell * self.k, seed, octaves)
            f = 1.0 + amount * (n - 0.5) * 2
            return np.stack([base[i] * f for i in range(3)], axis=2)
        self._fill_box(mask, make)

    def gradient(self, mask, top, bottom, horizontal=False, span=None):
        """Colours from top to bottom over the picture, or over span (a, b)
        in final pixels along the gradient's axis."""
        H, W = self.img.size[1], self.img.size[0]
        lo, hi = (0, (W if horizontal else H) - 1) if span is None else (span[0] * self.k, span[1] * self.k)

        def make(x0, y0, w, h):
            if horizontal:
                t = ((np.arange(x0, x0 + w, dtype=np.float32) - lo) / max(1, hi - lo))[None, :].repeat(h, 0)
            else:
                t = ((np.arange(y0, y0 + h, dtype=np.float32) - lo) / max(1, hi - lo))[:, None].repeat(w, 1)
            t = np.clip(t, 0, 1)
            return np.stack([top[i] + (bottom[i] - top[i]) * t for i in range(3)], axis=2)
        self._fill_box(mask, make)

    def radial(self, mask, cx, cy, r, inner, outer):
        def make(x0, y0, w, h):
            yy, xx = np.mgrid[y0:y0 + h, x0:x0 + w].astype(np.float32)
            t = np.clip(np.hypot(xx - cx * self.k, yy - cy * self.k) / (r * self.k), 0, 1)
            return np.stack([inner[i] + (outer[i] - inner[i]) * t for i in range(3)], axis=2)
        self._fill_box(mask, make)

    def _soft(self, draw, blur, alpha, colour, dx=0, dy=0):
        m = self.mask(draw)
        box = m.getbbox()
        if not box:
            return
        pad = int(blur * self.k * 3) + 2
        W, H = self.img.size
        x0, y0 = max(0, box[0] - pad), max(0, box[1] - pad)
        x1, y1 = min(W, box[2] + pad), min(H, box[3] + pad)
        part = m.crop((x0, y0, x1, y1)).filter(ImageFilter.GaussianBlur(blur * self.k))
        part = part.point(lambda v: min(255, v * alpha // 255))
        layer = Image.new("RGBA", part.size, rgba(colour))
        layer.putalpha(part)
        ox, oy = x0 + int(dx * self.k), y0 + int(dy * self.k)
        # keep the layer inside the canvas
        cx0, cy0 = max(0, -ox), max(0, -oy)
        cx1, cy1 = min(layer.width, W - ox), min(layer.height, H - oy)
        if cx1 <= cx0 or cy1 <= cy0:
            return
        self.img.alpha_composite(layer.crop((cx0, cy0, cx1, cy1)), (ox + cx0, oy + cy0))

    def shadow(self, draw, dx=2, dy=3, blur=2.5, alpha=110):
        """A soft drop shadow of the shape painted by draw(d, s)."""
        self._soft(draw, blur, alpha, (0, 0, 0), dx, dy)

    def glow(self, draw, colour, blur=4, alpha=200):
        self._soft(draw, blur, alpha, colour)

    def paste(self, other, x=0, y=0):
        """Composites another Sprite (or a final-size RGBA image, upscaled)."""
        src = other.img if isinstance(other, Sprite) else other.resize(
            (other.width * self.k, other.height * self.k), Image.NEAREST)
        ox, oy = int(x * self.k), int(y * self.k)
        W, H = self.img.size
        cx0, cy0 = max(0, -ox), max(0, -oy)
        cx1, cy1 = min(src.width, W - ox), min(src.height, H - oy)
        if cx1 <= cx0 or cy1 <= cy0:
            return
        self.img.alpha_composite(src.crop((cx0, cy0, cx1, cy1)), (ox + cx0, oy + cy0))

    def clip(self, mask):
        """Keeps only what lies inside the mask."""
        a = np.asarray(self.img.getchannel("A"), np.uint16)
        m = np.asarray(mask, np.uint16)
        self.img.putalpha(Image.fromarray((a * m // 255).astype(np.uint8), "L"))

    def final(self):
        small = self.img.convert("RGBa").resize((self.w, self.h), Image.BOX)
        return small.convert("RGBA")


def to_mask_colours(img, bg=MAGENTA, threshold=128):
    """RGBA -> RGB with a hard magenta background (the sheets' transparency)."""
    arr = np.array(img.convert("RGBA"))
    out = arr[:, :, :3].copy()
    out[arr[:, :, 3] < threshold] = bg
    # Keep drawn pixels off the key colour.
    key = np.all(out == np.array(bg, np.uint8), axis=2) & (arr[:, :, 3] >= threshold)
    out[key] = (250, 0, 250)
    return Image.fromarray(out, "RGB")


def over(top, bottom):
    """top composited over bottom (both final-size RGBA images)."""
    out = bottom.copy()
    out.alpha_composite(top)
    return out


def rotate_pts(pts, cx, cy, deg):
    a = math.radians(deg)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in pts]
