"""Shared helpers for the world asset generators: colours, anti-aliased masks, file output."""
import json
import os

import numpy as np
from PIL import Image

# Repository root (assetgen/world/ -> repo)
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ASSETS = os.path.join(ROOT, "assets")

OUTLINE = (0x1E, 0x16, 0x30)          # near-black violet outline
BLOOM_LIMIT = 1.667                   # r+g+b above this (0..1) glows


def hexrgb(h):
    if not isinstance(h, str):
        return np.asarray(h, dtype=np.float64)
    h = h.lstrip("#")
    return np.array([int(h[i:i + 2], 16) for i in (0, 2, 4)], dtype=np.float64) / 255.0


def smooth(edge0, edge1, x):
    t = np.clip((x - edge0) / (edge1 - edge0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def coverage(sdf, aa=0.75):
    """Alpha from a signed distance in pixels (negative = outside)."""
    return np.clip(0.5 + sdf / (2.0 * aa), 0.0, 1.0)


def downsample(arr, k):
    """Box-filter an (H*k, W*k, C) array down by k."""
    h, w = arr.shape[0] // k, arr.shape[1] // k
    return arr.reshape(h, k, w, k, -1).mean(axis=(1, 3))


def to_image(rgb, alpha):
    """rgb: HxWx3 floats 0..1, alpha: HxW floats 0..1 -> RGBA PIL image."""
    a = np.clip(alpha, 0, 1)
    out = np.zeros(rgb.shape[:2] + (4,), dtype=np.uint8)
    out[..., :3] = np.clip(np.round(rgb * 255.0), 0, 255).astype(np.uint8)
    out[..., 3] = np.clip(np.round(a * 255.0), 0, 255).astype(np.uint8)
    return Image.fromarray(out, "RGBA")


def ensure_dir(path):
    os.makedirs(path, exist_ok=True)


def save_png(img, path):
    ensure_dir(os.path.dirname(path))
    img.save(path, format="PNG", optimize=True)


def write_json(obj, path, indent=4):
    ensure_dir(os.path.dirname(path))
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        json.dump(obj, f, indent=indent)
        f.write("\n")


def periodic_noise(rng, size, octaves=((2, 1.0), (4, 0.5), (8, 0.25), (16, 0.12))):
    """Tileable value noise in [-1, 1] on a size x size grid built from integer-frequency waves."""
    y, x = np.mgrid[0:size, 0:size] / float(size)
    out = np.zeros((size, size))
    total = 0.0
    for freq, amp in octaves:
        for _ in range(3):
            fx = rng.integers(-freq, freq + 1)
            fy = rng.integers(-freq, freq + 1)
            if fx == 0 and fy == 0:
                fx = freq
            ph = rng.uniform(0, 2 * np.pi)
            out += amp * np.sin(2 * np.pi * (fx * x + fy * y) + ph)
            total += amp
    return out / (total * 0.6)


def periodic_worley(rng, size, n_points):
    """Tileable Worley (cell) noise: returns F1 and F2 distances in pixels on a size x size grid."""
    pts = rng.uniform(0, size, (n_points, 2))
    y, x = np.mgrid[0:size, 0:size] + 0.5
    d = np.full((n_points * 9, size, size), np.inf)
    k = 0
    for ox in (-size, 0, size):
        for oy in (-size, 0, size):
            for (px, py) in pts:
                d[k] = np.hypot(x - (px + ox), y - (py + oy))
                k += 1
    d.sort(axis=0)
    return d[0], d[1]


def max_sum(img):
    """Largest r+g+b (0..3) over pixels with noticeable alpha."""
    a = np.asarray(img.convert("RGBA")).astype(np.float64) / 255.0
    m = a[..., 3] > 0.05
    if not m.any():
        return 0.0
    return float((a[..., :3].sum(axis=2))[m].max())
