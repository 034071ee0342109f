#!/usr/bin/env python3
"""Writes assetgen/contact_sheet.png: a thumbnail of every PNG and JPEG under
assets/ (recursively, whoever made it), each with its path and pixel size
under it.  Transparent parts show on a grey checkerboard.

Run from the repository root:   /usr/bin/python3 assetgen/contact_sheet.py
"""

import os
import sys
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
ASSETS = os.path.join(ROOT, 'assets')
OUT = os.path.join(HERE, 'contact_sheet.png')

FONT_DIR = '/usr/share/fonts/truetype/lato/'
COLS = 8
THUMB_W, THUMB_H = 200, 150
LABEL_H = 46
PAD = 12
BG = (34, 28, 48)


def load_font(name, size):
    try:
        return ImageFont.truetype(os.path.join(FONT_DIR, name), size)
    except OSError:
        return ImageFont.load_default()


def checker(w, h, s=10):
    im = Image.new('RGB', (w, h), (92, 92, 104))
    d = ImageDraw.Draw(im)
    for y in range(0, h, s):
        for x in range(0, w, s):
            if (x // s + y // s) % 2 == 0:
                d.rectangle([x, y, x + s - 1, y + s - 1], fill=(132, 132, 144))
    return im


def find_images():
    found = []
    for dirpath, dirnames, filenames in os.walk(ASSETS):
        dirnames.sort()
        for fn in filenames:
            if fn.lower().endswith(('.png', '.jpg', '.jpeg')):
                found.append(os.path.relpath(os.path.join(dirpath, fn), ROOT))
    return sorted(found, key=lambda p: p.replace(os.sep, '/').lower())


def wrap(draw, text, font, width):
    """Split a path into at most two lines that fit `width`, breaking at '/'."""
    if draw.textlength(text, font=font) <= width:
        return [text]
    parts = text.split('/')
    for i in range(len(parts) - 1, 0, -1):
        a = '/'.join(parts[:i]) + '/'
        b = '/'.join(parts[i:])
        if draw.textlength(a, font=font) <= width and draw.textlength(b, font=font) <= width:
            return [a, b]
    # fall back: hard cut
    line, lines = '', []
    for ch in text:
        if draw.textlength(line + ch, font=font) > width:
            lines.append(line)
            line = ''
        line += ch
    lines.append(line)
    return lines[:2]


def main():
    paths = find_images()
    if not paths:
        print('no images under', ASSETS)
        return 1
    rows = (len(paths) + COLS - 1) // COLS
    cell_w, cell_h = THUMB_W + PAD, THUMB_H + LABEL_H + PAD
    head = 56
    sheet = Image.new('RGB', (COLS * cell_w + PAD, head + rows * cell_h + PAD), BG)
    d = ImageDraw.Draw(sheet)
    ftitle = load_font('Lato-Black.ttf', 28)
    flab = load_font('Lato-Bold.ttf', 12)
    fsize = load_font('Lato-Regular.ttf', 11)
    d.text((PAD, 14), 'Vendrabolt assets: %d images under assets/' % len(paths), font=ftitle, fill=(240, 190, 40))
    board = checker(THUMB_W, THUMB_H)
    for i, rel in enumerate(paths):
        cx = PAD + (i % COLS) * cell_w
        cy = head + (i // COLS) * cell_h
        sheet.paste(board, (cx, cy))
        label2 = ''
        try:
            with Image.open(os.path.join(ROOT, rel)) as im:
                im.load()
                w, h = im.size
                label2 = '%d x %d  %s' % (w, h, im.mode)
                rgba = im.convert('RGBA')
            k = min(THUMB_W / float(w), THUMB_H / float(h))
            tw, th = max(1, int(round(w * k))), max(1, int(round(h * k)))
            th_img = rgba.resize((tw, th), Image.LANCZOS if k < 1 else Image.NEAREST)
            tile = board.convert('RGBA')
            tile.alpha_composite(th_img, ((THUMB_W - tw) // 2, (THUMB_H - th) // 2))
            sheet.paste(tile.convert('RGB'), (cx, cy))
        except Exception as e:  # unreadable image: show a red cross
            d.line([cx, cy, cx + THUMB_W, cy + THUMB_H], fill=(220, 40, 40), width=4)
            d.line([cx + THUMB_W, cy, cx, cy + THUMB_H], fill=(220, 40, 40), width=4)
            label2 = 'unreadable: %s' % type(e).__name__
        d.rectangle([cx - 1, cy - 1, cx + THUMB_W, cy + THUMB_H], outline=(70, 60, 96))
        lines = wrap(d, rel.replace(os.sep, '/'), flab, THUMB_W)
        ty = cy + THUMB_H + 3
        for ln in lines:
            d.text((cx, ty), ln, font=flab, fill=(225, 220, 235))
            ty += 14
        d.text((cx, cy + THUMB_H + 3 + 28), label2, font=fsize, fill=(160, 150, 175))
    sheet.save(OUT, format='PNG', optimize=False, compress_level=9)
    print('wrote %s (%d images)' % (os.path.relpath(OUT, ROOT), len(paths)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
