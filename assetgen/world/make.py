"""Builds the world assets: tile images of every colour theme, level backgrounds, the missing-tile
image, the level maps and their tile set, the particle effects with their textures, and the
character-tuning and alien-spawner data files.

Usage (from the repository root):  /usr/bin/python3 assetgen/world/make.py [--preview DIR]
Everything is deterministic: fixed seeds, no time or machine dependence."""
import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import backgrounds  # noqa: E402
import data  # noqa: E402
import levels  # noqa: E402
import particles  # noqa: E402
import tiles  # noqa: E402
from common import ROOT  # noqa: E402


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--preview", metavar="DIR", help="also write a picture of every map into DIR")
    ap.add_argument("--quiet", action="store_true")
    args = ap.parse_args()
    written = []
    written += data.build()
    theme_images, w = tiles.build()
    written += w
    bgs, w = backgrounds.build()
    written += w
    stats, w = levels.build(theme_images, bgs, args.preview)
    written += w
    written += particles.build()
    if not args.quiet:
        for fname, (counts, issues) in stats.items():
            print("%-22s %s" % (fname, counts))
            for it in issues:
                print("    tiling note:", it)
        print("world assets: %d files written under %s" % (len(written), os.path.relpath(os.path.join(ROOT, "assets"), os.getcwd())))


if __name__ == "__main__":
    main()
