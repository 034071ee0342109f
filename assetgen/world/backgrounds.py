"""Level backdrops: a soft night sky with nebula and stars and a dim distant skyline, one per theme.
Kept darker and less saturated than anything the players must follow. Baseline JPEG, 1280 x 720."""
import os

import numpy as np
from PIL import Image

from common import ASSETS, ensure_dir, hexrgb
from themes import THEMES

BW, BH = 1280, 720


def fbm(rng, w, h, octaves=6, base=3):
    out = np.zeros((h, w))
    amp, total = 1.0, 0.0
    for o in range(octaves):
        n = base * (2 ** o)
        small = rng.random((max(2, int(n * h / w) + 2), n + 2)).astype(np.float32)
        im = Image.fromarray((small * 255).astype(np.uint8), "L").resize((w, h), Image.BICUBIC)
        out += amp * (np.asarray(im, dtype=np.float64) / 255.0)
        total += amp
        amp *= 0.55
    return out / total


def skyline(rng, kind, w, h, base_y, height, jag):
    """Height map (pixels from the top) of a distant silhouette."""
    x = np.arange(w)
    y = np.full(w, float(base_y))
    if kind == "hills":
        for k in range(5):
            f = rng.uniform(1.5, 5.0)
            y -= height * 0.25 * (0.6 + 0.4 * np.sin(2 * np.pi * f * x / w + rng.uniform(0, 6)))
        # mushroom-like bumps
        for _ in range(7):
            cx, r = rng.uniform(0, w), rng.uniform(18, 40)
            y = np.minimum(y, base_y - height * 0.9 - r * np.sqrt(np.clip(1 - ((x - cx) / r) ** 2, 0, 1)) + r * 0.2)
    elif kind == "spires":
        y -= height * 0.3
        for _ in range(26):
            cx, hw, hh = rng.uniform(0, w), rng.uniform(12, 40), rng.uniform(0.4, 1.3) * height
            y = np.minimum(y, base_y - hh * np.clip(1 - np.abs(x - cx) / hw, 0, 1) ** 0.8 - height * 0.25)
    else:  # mesas
        y -= height * 0.2
        for _ in range(7):
            cx, hw, hh = rng.uniform(0, w), rng.uniform(50, 140), rng.uniform(0.6, 1.2) * height
            prof = np.clip((hw - np.abs(x - cx)) / 18.0, 0, 1)
            y = np.minimum(y, base_y - height * 0.2 - hh * prof)
    y += jag * (fbm(rng, w, 2, octaves=4, base=24)[0] - 0.5)
    return y


def render(theme):
    rng = np.random.default_rng(theme.seed + 1000)
    yy = np.linspace(0, 1, BH)[:, None, None]
    top, bot = hexrgb(theme.bg_top), hexrgb(theme.bg_bottom)
    img = top * (1 - yy) + bot * yy
    img = np.broadcast_to(img, (BH, BW, 3)).copy()
    # nebula: two tinted clouds, strongest in the upper middle
    n1 = fbm(rng, BW, BH, octaves=6, base=3)
    n2 = fbm(rng, BW, BH, octaves=6, base=4)
    band = np.exp(-((np.linspace(0, 1, BH)[:, None] - 0.35) ** 2) / 0.08)
    a1 = np.clip((n1 - 0.45) * 2.2, 0, 1) * band * 0.55
    a2 = np.clip((n2 - 0.5) * 2.4, 0, 1) * band * 0.45
    img = img * (1 - a1[..., None]) + hexrgb(theme.nebula_a) * a1[..., None]
    img = img * (1 - a2[..., None]) + hexrgb(theme.nebula_b) * a2[..., None]
    # stars
    n_stars = 700
    xs = rng.uniform(0, BW, n_stars)
    ys = rng.uniform(0, BH * 0.85, n_stars) ** 1.0
    sizes = rng.uniform(0.6, 1.6, n_stars) ** 2
    bright = rng.uniform(0.15, 0.5, n_stars)
    tint = np.array([0.95, 0.95, 1.0])
    for x, y, s, b in zip(xs, ys, sizes, bright):
        r = int(np.ceil(s * 3)) + 1
        x0, x1 = max(0, int(x) - r), min(BW, int(x) + r + 1)
        y0, y1 = max(0, int(y) - r), min(BH, int(y) + r + 1)
        gy, gx = np.mgrid[y0:y1, x0:x1]
        g = np.exp(-((gx - x) ** 2 + (gy - y) ** 2) / (2 * (0.5 * s) ** 2)) * b
        img[y0:y1, x0:x1] = img[y0:y1, x0:x1] * (1 - g[..., None]) + tint * g[..., None]
    # a few brighter stars with soft crosses
    for _ in range(14):
        x, y = rng.uniform(0, BW), rng.uniform(0, BH * 0.6)
        r = 12
        x0, x1 = max(0, int(x) - r), min(BW, int(x) + r + 1)
        y0, y1 = max(0, int(y) - r), min(BH, int(y) + r + 1)
        gy, gx = np.mgrid[y0:y1, x0:x1]
        dx, dy = gx - x, gy - y
        g = np.exp(-(dx ** 2 + dy ** 2) / 3.0) * 0.5
        g += (np.exp(-dy ** 2 / 0.8) * np.exp(-np.abs(dx) / 3.5) + np.exp(-dx ** 2 / 0.8) * np.exp(-np.abs(dy) / 3.5)) * 0.22
        g = np.clip(g, 0, 0.55)
        img[y0:y1, x0:x1] = img[y0:y1, x0:x1] * (1 - g[..., None]) + tint * g[..., None]
    # distant skyline in two depths
    kind = {"Green": "hills", "Ice": "spires", "Desert": "mesas"}[theme.folder]
    cols = np.arange(BW)
    rows = np.arange(BH)[:, None]
    for depth, (base, height, shade) in enumerate(((BH * 0.86, 110, 0.55), (BH * 0.97, 80, 0.35))):
        sk = skyline(rng, kind, BW, BH, base, height, 10)
        mask = np.clip(rows - sk[None, :] + 0.5, 0, 1)
        col = hexrgb(theme.bg_bottom) * shade + hexrgb(theme.bg_top) * 0.15
        img = img * (1 - mask[..., None]) + col * mask[..., None]
    # gentle vignette and desaturation
    vy, vx = np.mgrid[0:BH, 0:BW]
    v = 1 - 0.35 * (((vx - BW / 2) / (BW / 2)) ** 2 + ((vy - BH / 2) / (BH / 2)) ** 2) / 2
    img = img * v[..., None]
    grey = img.mean(axis=2, keepdims=True)
    img = grey + (img - grey) * 0.8
    return Image.fromarray(np.clip(img * 255, 0, 255).astype(np.uint8), "RGB")


def save_jpeg(img, path):
    ensure_dir(os.path.dirname(path))
    img.save(path, "JPEG", quality=88, optimize=True, progressive=False, subsampling=0)


def build():
    out, written = {}, []
    for theme in THEMES:
        img = render(theme)
        p = os.path.join(ASSETS, "img", theme.folder, "background.jpg")
        save_jpeg(img, p)
        out[theme.folder] = img
        written.append(p)
    # backdrop for a map that names no colour folder ("./assets/img//background.jpg")
    p = os.path.join(ASSETS, "img", "background.jpg")
    save_jpeg(out["Green"], p)
    written.append(p)
    return out, written
