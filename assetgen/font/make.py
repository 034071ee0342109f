#!/usr/bin/python3
"""Makes the game's typeface, Titillium Web Black, and checks it.

Run from anywhere (paths are taken from this file's place):
    /usr/bin/python3 assetgen/font/make.py

Writes
    assets/TitilliumWeb-Black.ttf   the font, a TrueType file
    assets/TitilliumWeb-OFL.txt     its licence

The face comes from the npm registry's @fontsource/titillium-web package
(fetched with `npm pack`), whose Latin 900 weight is a WOFF file: the same
TrueType tables, each compressed. fontTools unpacks them byte for byte (only
the head table's checksum of the whole file is new) and keeps its dates, so
the output is the same on every run.
Needs npm and python3-fonttools (scripts/install-deps --assetgen).
"""

import hashlib
import subprocess
import sys
import tarfile
import tempfile
from pathlib import Path

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree

from fontTools.ttLib import TTFont  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent.parent
ASSETS = ROOT / "assets"
FONT = ASSETS / "TitilliumWeb-Black.ttf"
LICENCE = ASSETS / "TitilliumWeb-OFL.txt"

PACKAGE = "@fontsource/titillium-web@5.3.0"
WOFF = "package/files/titillium-web-latin-900-normal.woff"
LICENSE_FILE = "package/LICENSE"
# The published file; anything else is not the face the game's text was laid out for.
WOFF_SHA256 = "f07b22bd9ed6adfbb7e3ab984389bb898005a0bbc635b94057c4cf23e520e17b"
FACE = "Titillium Web Black"
# The codes the game's text is drawn from.
CODES = range(32, 127)


def fetch(folder):
    """Packs the npm package into the folder and returns its tarball."""
    try:
        out = subprocess.run(["npm", "pack", "--silent", PACKAGE], cwd=folder, check=True,
                             capture_output=True, text=True).stdout
    except FileNotFoundError:
        sys.exit("make.py: npm not found; run scripts/install-deps --assetgen")
    except subprocess.CalledProcessError as error:
        sys.exit("make.py: npm pack %s failed:\n%s" % (PACKAGE, error.stderr))
    return Path(folder) / out.strip().splitlines()[-1]


def member(tarball, name):
    with tarfile.open(tarball) as archive:
        return archive.extractfile(name).read()


def problems_of(font):
    found = []
    if "glyf" not in font:
        found.append("no glyf outlines")
    family = font["name"].getDebugName(4)
    if family != FACE:
        found.append("the face is %r, not %r" % (family, FACE))
    cmap = font.getBestCmap()
    missing = [code for code in CODES if code not in cmap]
    if missing:
        found.append("no glyph for " + ", ".join("%r" % chr(code) for code in missing))
    elif "glyf" in font:
        glyf = font["glyf"]
        empty = [chr(code) for code in CODES if code != 32 and glyf[cmap[code]].numberOfContours == 0]
        if empty:
            found.append("empty outlines for " + " ".join(empty))
    return found


def main():
    with tempfile.TemporaryDirectory() as folder:
        tarball = fetch(folder)
        woff = member(tarball, WOFF)
        licence = member(tarball, LICENSE_FILE).decode("utf-8")
        if hashlib.sha256(woff).hexdigest() != WOFF_SHA256:
            sys.exit("make.py: %s in %s is not the expected file" % (WOFF, PACKAGE))
        source = Path(folder) / "face.woff"
        source.write_bytes(woff)
        font = TTFont(source, recalcTimestamp=False)
        font.flavor = None
        ASSETS.mkdir(parents=True, exist_ok=True)
        font.save(FONT)
    head = [
        "%s (%s), from the npm package %s (%s)," % (FACE, FONT.name, PACKAGE, WOFF[len("package/"):]),
        "unpacked from WOFF to TrueType with fontTools; its outlines and metrics are unchanged.",
        "",
        licence.rstrip(),
    ]
    LICENCE.write_text("\n".join(head) + "\n", encoding="utf-8")

    saved = TTFont(FONT)
    problems = problems_of(saved)
    if saved.flavor is not None or saved.sfntVersion != "\x00\x01\x00\x00":
        problems.append("not a plain TrueType file")
    if problems:
        print("PROBLEMS in %s:" % FONT.name)
        for problem in problems:
            print("  " + problem)
        return 1
    print("font OK: %s, %d glyphs" % (FACE, len(saved.getGlyphOrder())))
    return 0


if __name__ == "__main__":
    sys.exit(main())
