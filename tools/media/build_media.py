#!/usr/bin/python3
"""Stand-in media: right sizes, a mark in every region. Replaced by the real art."""
import os
import struct
import subprocess
import sys
import wave

from PIL import Image, ImageDraw

out = sys.argv[1]
os.makedirs(os.path.join(out, "samp"), exist_ok=True)
MAGENTA = (255, 0, 255)

atlas = Image.new("RGB", (840, 1000), MAGENTA)
d = ImageDraw.Draw(atlas)
for v in range(100):
    x, y = 83 * (v % 10), 83 * (v // 10)
    if y + 82 > 585 and v >= 70:
        continue
    d.rectangle([x, y, x + 81, y + 81], fill=(40 + v * 2, 60, 80), outline=(200, 200, 200))
    d.text((x + 30, y + 30), str(v), fill=(255, 255, 255))
d.rectangle([0, 585, 830, 770], fill=(60, 60, 90))
d.rectangle([240, 655, 300, 705], fill=MAGENTA)
d.rectangle([0, 768, 404, 810], fill=MAGENTA)
d.rectangle([0, 913, 830, 995], fill=(90, 60, 60))
atlas.save(os.path.join(out, "graf1.png"))

gs = Image.new("RGB", (996, 664), MAGENTA)
d = ImageDraw.Draw(gs)
for row in range(8):
    for f in range(12):
        x, y = 83 * f, 83 * row
        d.ellipse([x + 20, y + 10 + f % 3, x + 62, y + 75], fill=(230, 190, 120))
gs.save(os.path.join(out, "gs.png"))

ge = Image.new("RGB", (950, 330), (0, 0, 0))
d = ImageDraw.Draw(ge)
for v in (3, 4, 17, 18, 19):
    x = 95 * v % 950
    d.rectangle([95 * (v % 10), 0, 95 * (v % 10) + 91, 91], fill=(150, 100, 50))
d.rectangle([0, 190, 640, 330], fill=(60, 40, 20))
ge.save(os.path.join(out, "ge.png"))

Image.new("RGB", (400, 160), (250, 220, 120)).save(os.path.join(out, "promienie.png"))
Image.new("RGB", (820, 560), (120, 90, 60)).save(os.path.join(out, "pijak.jpg"))


def write_wav(path, seconds=0.1):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(22050)
        w.writeframes(struct.pack("<h", 0) * int(22050 * seconds))


for i in range(14):
    if i != 10:
        write_wav(os.path.join(out, "samp", f"s{i}.wav"))
tmp = os.path.join(out, "samp", "music.wav")
write_wav(tmp, 1.0)
subprocess.run(["oggenc", "-Q", "-o", os.path.join(out, "samp", "Jeszcze po kropelce.ogg"), tmp], check=True)
os.remove(tmp)

with open(os.path.join(out, "teksty_100.txt"), "w", encoding="utf-8") as f:
    for i in range(99):
        text = {80: "Poziom %d z %d", 76: "Dalej: poziom %d", 73: "Kufle: %d, brakuje %d", 75: "Brakuje gwiazdek: %d"}.get(i, f"tekst {i}")
        f.write(f"{i:03d} {text}\r\n")
