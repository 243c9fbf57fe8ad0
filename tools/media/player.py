"""gs.png: the cellar lad. 12 frames a row; walk right, left, up, down, then
push right, left, up, down. Frame 0 of every row is the standing pose."""
import math

from PIL import Image

from art import OUTLINE, Sprite, rotate_pts, shade, to_mask_colours

FRAMES, PITCH = 12, 83

SKIN = (246, 198, 152)
CHEEK = (236, 130, 110)
HAIR = (178, 92, 38)
CAP = (58, 124, 64)
CAP_DARK = (34, 82, 40)
SHIRT = (238, 228, 204)
SHIRT_DARK = (196, 184, 160)
APRON = (132, 78, 40)
APRON_DARK = (96, 54, 28)
TROUSERS = (64, 68, 98)
BOOT = (74, 46, 28)
BOOT_LIGHT = (120, 80, 50)


def limb(sp, pts, col, w):
    sp.line(pts, OUTLINE, w + 2.4)
    sp.line(pts, col, w)


def boot(sp, x, y, facing, lift=0.0):
    """A boot whose sole is at y; facing +1 right, -1 left, 0 towards us."""
    if facing == 0:
        sp.ellipse(x - 5.5, y - 6 - lift, x + 5.5, y + 1 - lift, fill=OUTLINE)
        sp.ellipse(x - 4.4, y - 5 - lift, x + 4.4, y - lift, fill=BOOT)
        sp.ellipse(x - 2.5, y - 4.5 - lift, x + 1, y - 2.5 - lift, fill=BOOT_LIGHT)
    else:
        x0, x1 = (x - 4, x + 8) if facing > 0 else (x - 8, x + 4)
        sp.rect(x0 - 1.2, y - 6.2 - lift, x1 + 1.2, y + 1 - lift, fill=OUTLINE, radius=3)
        sp.rect(x0, y - 5 - lift, x1, y - lift, fill=BOOT, radius=2.5)
        sp.rect(x0 + 1, y - 4.4 - lift, x1 - 3, y - 3 - lift, fill=BOOT_LIGHT, radius=1)


def leg_points(hip, swing, bend, length=10.5):
    """Hip, knee and ankle of a leg swung by swing (radians, + forward)."""
    hx, hy = hip
    kx, ky = hx + length * math.sin(swing), hy + length * math.cos(swing)
    sw2 = swing - bend
    ax, ay = kx + length * math.sin(sw2), ky + length * math.cos(sw2)
    return (hx, hy), (kx, ky), (ax, ay)


def side(sp, p, push):
    """Facing right. p in [0, 1) is the phase of the stride."""
    s = math.sin(2 * math.pi * p)
    bob = -1.6 * abs(math.sin(2 * math.pi * p)) if not push else -0.8 * abs(s)
    lean = math.radians(18) if push else math.radians(3)
    hip = (39 if not push else 36, 55 + bob)
    ground = 77

    def U(pts):
        return rotate_pts(pts, hip[0], hip[1], math.degrees(lean))

    if push:
        front = (0.55 + 0.25 * s, 0.5 + 0.3 * max(0, -s))
        back = (-0.65 + 0.25 * s, 0.15 + 0.4 * max(0, s))
    else:
        front = (0.5 * s, 0.7 * max(0, -s) + 0.1)
        back = (-0.5 * s, 0.7 * max(0, s) + 0.1)

    def leg(swing, bend, col):
        h, k, a = leg_points(hip, swing, bend)
        lift = max(0.0, a[1] - ground) if a[1] > ground else 0.0
        dy = ground - a[1] if a[1] > ground else 0.0
        k = (k[0], k[1] + dy * 0.5)
        a = (a[0], min(a[1], ground))
        limb(sp, [h, k, a], col, 6.5)
        boot(sp, a[0], a[1] + 2, 1)
        return lift

    shoulder = U([(hip[0] + 2, hip[1] - 17)])[0]
    # back arm
    if push:
        hand_b = U([(hip[0] + 20, hip[1] - 15)])[0]
        limb(sp, [shoulder, hand_b], shade(SHIRT, 0.82), 5.5)
        sp.circle(hand_b[0], hand_b[1], 3.4, fill=OUTLINE)
        sp.circle(hand_b[0], hand_b[1], 2.6, fill=shade(SKIN, 0.88))
    else:
        a = -0.55 * s
        hand_b = (shoulder[0] + 12 * math.sin(a), shoulder[1] + 12 * math.cos(a))
        limb(sp, [shoulder, hand_b], shade(SHIRT, 0.82), 5.5)
        sp.circle(hand_b[0], hand_b[1], 3.2, fill=OUTLINE)
        sp.circle(hand_b[0], hand_b[1], 2.4, fill=shade(SKIN, 0.88))
    leg(back[0], back[1], shade(TROUSERS, 0.8))
    # torso
    torso = U([(hip[0] - 9, hip[1] - 20), (hip[0] + 8, hip[1] - 20), (hip[0] + 11, hip[1] - 6),
               (hip[0] + 10, hip[1] + 2), (hip[0] - 9, hip[1] + 2)])
    sp.poly(torso, fill=SHIRT, outline=OUTLINE, width=1.4)
    apron = U([(hip[0] + 2, hip[1] - 12), (hip[0] + 10.5, hip[1] - 12), (hip[0] + 12, hip[1] + 6),
               (hip[0] + 2, hip[1] + 6)])
    sp.poly(apron, fill=APRON, outline=OUTLINE, width=1.2)
    belt = U([(hip[0] - 8, hip[1] - 4), (hip[0] + 9.5, hip[1] - 4), (hip[0] + 9.5, hip[1] - 1),
              (hip[0] - 8, hip[1] - 1)])
    sp.poly(belt, fill=APRON_DARK)
    leg(front[0], front[1], TROUSERS)
    # head
    hc = U([(hip[0] + 2, hip[1] - 31)])[0]
    if push:
        hc = (hc[0] + 1, hc[1] + 1)
    x, y = hc
    sp.circle(x, y, 13.6, fill=OUTLINE)
    sp.circle(x, y, 12.4, fill=SKIN)
    sp.poly([(x - 12.5, y - 2), (x - 4, y - 12), (x + 4, y - 12.5), (x - 2, y - 4), (x - 6, y + 6),
             (x - 12, y + 4)], fill=HAIR)
    sp.ellipse(x - 6.5, y - 1, x - 1.5, y + 5, fill=SKIN, outline=OUTLINE, width=1)  # ear
    sp.ellipse(x + 4, y - 4, x + 7.5, y + 1, fill=OUTLINE)  # eye
    sp.circle(x + 6.2, y - 2.8, 0.8, fill=(255, 255, 255))
    sp.circle(x + 12.5, y + 2, 3, fill=OUTLINE)  # nose
    sp.circle(x + 12.3, y + 1.8, 2.2, fill=shade(SKIN, 0.95))
    sp.circle(x + 5, y + 5, 2.6, fill=(CHEEK[0], CHEEK[1], CHEEK[2], 150))
    if push:
        sp.line([(x + 6, y + 8.5), (x + 10, y + 8)], OUTLINE, width=1.3)
        sp.line([(x + 2, y - 7), (x + 8, y - 6)], OUTLINE, width=1.2)  # strained brow
    else:
        sp.line([(x + 5.5, y + 8), (x + 8, y + 9.2), (x + 10.5, y + 7.8)], OUTLINE, width=1.2)
    # cap
    sp.poly([(x - 13, y - 4), (x - 10, y - 13), (x, y - 16), (x + 9, y - 13), (x + 12, y - 6)], fill=OUTLINE,
            outline=OUTLINE, width=2)
    sp.poly([(x - 12, y - 4.5), (x - 9, y - 12), (x, y - 15), (x + 8, y - 12), (x + 11, y - 6)], fill=CAP)
    sp.poly([(x + 3, y - 7), (x + 19, y - 5.5), (x + 18, y - 3), (x + 3, y - 3.5)], fill=CAP_DARK,
            outline=OUTLINE, width=1.1)
    sp.line([(x - 8, y - 10), (x + 2, y - 13.5)], (110, 180, 110), width=1.4)
    # front arm
    if push:
        hand = U([(hip[0] + 23, hip[1] - 13)])[0]
        elbow = U([(hip[0] + 12, hip[1] - 10)])[0]
        limb(sp, [shoulder, elbow, hand], SHIRT, 5.8)
        sp.circle(hand[0], hand[1], 3.8, fill=OUTLINE)
        sp.circle(hand[0], hand[1], 3, fill=SKIN)
    else:
        a = 0.55 * s
        elbow = (shoulder[0] + 7 * math.sin(a), shoulder[1] + 7 * math.cos(a))
        hand = (elbow[0] + 7 * math.sin(a + 0.4), elbow[1] + 7 * math.cos(a + 0.4))
        limb(sp, [shoulder, elbow, hand], SHIRT, 5.8)
        sp.circle(hand[0], hand[1], 3.4, fill=OUTLINE)
        sp.circle(hand[0], hand[1], 2.7, fill=SKIN)


def front_or_back(sp, p, push, back_view, arms_up=False):
    s = math.sin(2 * math.pi * p)
    bob = -1.8 * abs(s)
    cx = 41 + (0.9 * s if not push else 0.5 * s)
    lean_y = 4 if (push and not back_view) else (-3 if push else 0)
    hip_y = 56 + bob + (1 if push else 0)
    ground = 77
    # legs: the one stepping forward lifts its foot
    for side_x, ph in ((-5.5, s), (5.5, -s)):
        lift = 5.0 * max(0.0, ph) if not push else 3.0 * max(0.0, ph)
        fx = cx + side_x
        fy = ground - lift
        limb(sp, [(fx, hip_y), (fx, fy - 3)], TROUSERS if not back_view else shade(TROUSERS, 0.9), 7)
        boot(sp, fx, fy + 1, 0)
    # body
    top = hip_y - 21 + lean_y * 0.5
    sp.rect(cx - 13.5, top, cx + 13.5, hip_y + 3, fill=OUTLINE, radius=7)
    sp.rect(cx - 12.3, top + 1.2, cx + 12.3, hip_y + 1.8, fill=SHIRT if not back_view else SHIRT_DARK, radius=6)
    if not back_view:
        sp.rect(cx - 7.5, top + 8, cx + 7.5, hip_y + 6, fill=OUTLINE, radius=2)
        sp.rect(cx - 6.5, top + 9, cx + 6.5, hip_y + 5, fill=APRON, radius=1.5)
        sp.rect(cx - 4, top + 13, cx + 4, top + 17, fill=APRON_DARK, radius=1)
    else:
        sp.line([(cx - 10, top + 6), (cx + 10, hip_y - 4)], APRON_DARK, width=1.6)
        sp.line([(cx + 10, top + 6), (cx - 10, hip_y - 4)], APRON_DARK, width=1.6)
        sp.rect(cx - 10.5, hip_y - 5, cx + 10.5, hip_y - 2, fill=APRON_DARK)
        sp.rect(cx - 3, hip_y - 6, cx + 3, hip_y - 1, fill=APRON, outline=OUTLINE, width=0.8)
    # arms
    sh_y = top + 4
    for sx in (-1, 1):
        shoulder = (cx + sx * 12.5, sh_y)
        big = 1.0
        if arms_up:
            hand = (cx + sx * 20, sh_y - 20)
            elbow = (cx + sx * 18, sh_y - 8)
        elif push and not back_view:
            # reaching out towards us: hands low and large in front
            hand = (cx + sx * 8, hip_y + 7 + 0.8 * s * sx)
            elbow = (cx + sx * 15, sh_y + 10)
            big = 1.35
        elif push:
            # leaning up the screen, arms stretched out ahead over the cap
            hand = (cx + sx * 7, sh_y - 27 + 0.8 * s * sx)
            elbow = (cx + sx * 14, sh_y - 14)
        else:
            swing = 4.5 * s * sx
            hand = (cx + sx * 15.5, sh_y + 15 + swing)
            elbow = (cx + sx * 15, sh_y + 7 + swing * 0.5)
        colour = SHIRT if not back_view else SHIRT_DARK
        limb(sp, [shoulder, elbow, hand], colour, 5.8)
        sp.circle(hand[0], hand[1], 3.6 * big, fill=OUTLINE)
        sp.circle(hand[0], hand[1], 2.8 * big, fill=SKIN)
    # head
    hy = top - 11 + (lean_y if not back_view else 0)
    if push and back_view:
        hy = top - 10
    sp.circle(cx, hy, 14.2, fill=OUTLINE)
    sp.circle(cx, hy, 13, fill=SKIN)
    if back_view:
        sp.ellipse(cx - 13, hy - 10, cx + 13, hy + 12, fill=HAIR)
        sp.ellipse(cx - 15, hy - 1, cx - 10, hy + 6, fill=SKIN, outline=OUTLINE, width=1)
        sp.ellipse(cx + 10, hy - 1, cx + 15, hy + 6, fill=SKIN, outline=OUTLINE, width=1)
        sp.line([(cx - 5, hy + 5), (cx, hy + 9), (cx + 5, hy + 5)], shade(HAIR, 0.75), width=1.2)
    else:
        sp.poly([(cx - 13, hy - 2), (cx - 9, hy - 11), (cx + 9, hy - 11), (cx + 13, hy - 2), (cx + 7, hy - 6),
                 (cx + 2, hy - 3), (cx - 3, hy - 6), (cx - 8, hy - 3)], fill=HAIR)
        for ex in (-5, 5):
            if push:
                sp.line([(cx + ex - 2.5, hy + 1), (cx + ex + 2.5, hy + 1)], OUTLINE, width=1.6)
            else:
                sp.ellipse(cx + ex - 2, hy - 2.5, cx + ex + 2, hy + 2.5, fill=OUTLINE)
                sp.circle(cx + ex + 0.8, hy - 1.2, 0.8, fill=(255, 255, 255))
        sp.circle(cx - 8.5, hy + 5, 2.6, fill=(CHEEK[0], CHEEK[1], CHEEK[2], 150))
        sp.circle(cx + 8.5, hy + 5, 2.6, fill=(CHEEK[0], CHEEK[1], CHEEK[2], 150))
        sp.circle(cx, hy + 3, 2.2, fill=shade(SKIN, 0.86))
        if push:
            sp.ellipse(cx - 2.5, hy + 6.5, cx + 2.5, hy + 9.5, fill=OUTLINE)
        else:
            sp.line([(cx - 4, hy + 7), (cx, hy + 9.5), (cx + 4, hy + 7)], OUTLINE, width=1.3)
    # cap seen from the front or the back
    sp.ellipse(cx - 14, hy - 17, cx + 14, hy - 3, fill=OUTLINE)
    sp.ellipse(cx - 12.8, hy - 16, cx + 12.8, hy - 4.2, fill=CAP)
    sp.line([(cx - 9, hy - 12), (cx + 3, hy - 14.5)], (110, 180, 110), width=1.4)
    if not back_view:
        sp.ellipse(cx - 12, hy - 8, cx + 12, hy - 2, fill=CAP_DARK, outline=OUTLINE, width=1)
    sp.circle(cx, hy - 16, 2.2, fill=CAP_DARK, outline=OUTLINE, width=0.8)


def frame(row, f):
    sp = Sprite(82, 82)
    p = f / FRAMES
    direction = row % 4
    push = row >= 4
    sp.shadow(lambda d, k: d.ellipse([22 * k, 72 * k, 60 * k, 80 * k], fill=255), 0, 0, 1.5, 90)
    if direction in (0, 1):
        side(sp, p, push)
    elif direction == 2:
        front_or_back(sp, p, push, back_view=True)
    else:
        front_or_back(sp, p, push, back_view=False)
    img = sp.final()
    if direction == 1:
        img = img.transpose(Image.FLIP_LEFT_RIGHT)
    return img


def cheering(size=250):
    """The lad with both arms up, drawn finely enough to stand large."""
    sp = Sprite(82, 82, scale=12)
    front_or_back(sp, 0.0, False, False, arms_up=True)
    return sp.img.convert("RGBa").resize((size, size), Image.BOX).convert("RGBA")


def build():
    sheet = Image.new("RGBA", (FRAMES * PITCH, 8 * PITCH), (0, 0, 0, 0))
    for row in range(8):
        for f in range(FRAMES):
            sheet.alpha_composite(frame(row, f), (f * PITCH, row * PITCH))
    return to_mask_colours(sheet)
