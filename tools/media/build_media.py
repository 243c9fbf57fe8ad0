#!/usr/bin/python3
"""Makes the game's media/ directory: pictures, sounds and the text table.

Usage: build_media.py OUT_DIR [part ...]   (parts: pictures sounds texts)
"""
import os
import sys
import time
from multiprocessing import Pool

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)


def make_pictures(out):
    import atlas
    import extras
    import player
    import numpy as np
    crate, bottles, barrel = extras.crate_img(), extras.bottle_crate_img(), extras.barrel_img()
    box_alpha = np.asarray(bottles.getchannel("A"))
    sheet = atlas.build(box_alpha, crate, bottles, barrel)
    sheet.save(os.path.join(out, "graf1.png"), optimize=False, compress_level=6)
    extras.build_ge(sheet).save(os.path.join(out, "ge.png"), compress_level=6)
    extras.rays().save(os.path.join(out, "promienie.png"))
    player.build().save(os.path.join(out, "gs.png"))
    extras.pijak(player.cheering()).save(os.path.join(out, "pijak.jpg"), quality=90)
    return "pictures"


def make_sounds(out):
    import sounds
    sounds.build(out)
    return "sounds"


def make_texts(out):
    import texts
    texts.build(os.path.join(HERE, "texts.txt"), os.path.join(out, "teksty_100.txt"))
    return "texts"


PARTS = {"pictures": make_pictures, "sounds": make_sounds, "texts": make_texts}


def run(args):
    name, out = args
    start = time.time()
    PARTS[name](out)
    return f"{name}: {time.time() - start:.1f} s"


def main():
    out = sys.argv[1]
    parts = sys.argv[2:] or list(PARTS)
    os.makedirs(os.path.join(out, "samp"), exist_ok=True)
    with Pool(2) as pool:
        for line in pool.imap_unordered(run, [(p, out) for p in parts]):
            print(line)


if __name__ == "__main__":
    main()
