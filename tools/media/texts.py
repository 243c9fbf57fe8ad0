"""teksty_100.txt from the readable source texts.txt."""
import re

LINE_COUNT = 99
# Lines that take integer arguments, and how many.
CONVERSIONS = {73: 2, 75: 1, 76: 1, 80: 2}


def read_source(path):
    lines = {}
    with open(path, encoding="utf-8") as f:
        for raw in f:
            raw = raw.rstrip("\n")
            if not raw or raw.startswith("#"):
                continue
            m = re.fullmatch(r"(\d{3}) (.*)", raw)
            if not m:
                raise ValueError(f"{path}: not a text line: {raw!r}")
            n = int(m.group(1))
            if n in lines:
                raise ValueError(f"{path}: line {n} given twice")
            lines[n] = m.group(2)
    missing = [n for n in range(LINE_COUNT) if n not in lines]
    if missing:
        raise ValueError(f"{path}: lines missing: {missing}")
    for n, text in lines.items():
        if text.count("%") != 2 * CONVERSIONS.get(n, 0) // 2 or text.count("%d") != CONVERSIONS.get(n, 0):
            raise ValueError(f"{path}: line {n} must hold exactly {CONVERSIONS.get(n, 0)} %d and no other %")
    return lines


def build(source, target):
    lines = read_source(source)
    with open(target, "wb") as f:
        for n in range(LINE_COUNT):
            f.write(f"{n:03d} {lines[n]}\r\n".encode("utf-8"))
