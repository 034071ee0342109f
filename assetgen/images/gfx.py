"""Small deterministic drawing toolkit for Vendrabolt's images (Pillow + NumPy).

A Canvas is drawn at `ss` times its final size (supersampling) and box-filtered
down on save, so every edge is anti-aliased.  Colours are stored premultiplied
in float32 arrays; shapes are made as 8-bit masks with Pillow's ImageDraw.

All coordinates given to the drawing calls are in FINAL pixels (floats).
"""

import os
import numpy as np
from PIL import Image, ImageDraw, ImageFont

FONT_PATH = '/usr/share/fonts/truetype/lato/Lato-Black.ttf'

# Outline colour of the whole game (art-direction.md): near-black violet.
OUT = (30, 22, 48)

# Bloom: a pixel glows when r + g + b > 1.667 (0..1 scale), i.e. > 425 on 0..255.
# Anything that must not glow is kept at or below this sum ("tamed").
NO_GLOW_SUM = 408

_font_cache = {}


def font(px):
    px = max(1, int(round(px)))
    f = _font_cache.get(px)
    if f is None:
        if not os.path.exists(FONT_PATH):
            raise SystemExit('font missing: ' + FONT_PATH + ' (apt-get install fonts-lato)')
        f = ImageFont.truetype(FONT_PATH, px)
        _font_cache[px] = f
    return f


def rgb(c):
    """(r, g, b[, a]) in 0..255 -> float array (3,) 0..1 and alpha 0..1."""
    a = c[3] / 255.0 if len(c) > 3 else 1.0
    return np.array(c[:3], dtype=np.float32) / 255.0, a


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def tame_color(c, limit=NO_GLOW_SUM):
    s = c[0] + c[1] + c[2]
    if s <= limit:
        return tuple(c)
    k = limit / float(s)
    out = tuple(int(c[i] * k) for i in range(3))
    return out + tuple(c[3:])


def box_blur(arr, r):
    """Approximate gaussian: three separable box blurs of radius r (pixels), zero outside."""
    r = int(max(1, round(r)))
    out = arr.astype(np.float32)
    for _ in range(3):
        for axis in (0, 1):
            pad = [(0, 0), (0, 0)]
            pad[axis] = (r + 1, r)
            p = np.pad(out, pad, mode='constant')
            c = np.cumsum(p, axis=axis, dtype=np.float64)
            if axis == 0:
                out = (c[2 * r + 1:, :] - c[:-2 * r - 1, :]) / (2 * r + 1)
            else:
                out = (c[:, 2 * r + 1:] - c[:, :-2 * r - 1]) / (2 * r + 1)
            out = out.astype(np.float32)
    return out


class Mask:
    """An 8-bit mask at canvas (supersampled) resolution."""

    def __init__(self, canvas):
        self.c = canvas
        self.im = Image.new('L', (canvas.W, canvas.H), 0)
        self.d = ImageDraw.Draw(self.im)

    # --- shapes (final-pixel coordinates) ---
    def ellipse(self, cx, cy, rx, ry, grow=0.0, value=255):
        s = self.c.ss
        rx, ry = rx + grow, ry + grow
        self.d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=value)
        return self

    def circle(self, cx, cy, r, grow=0.0, value=255):
        return self.ellipse(cx, cy, r, r, grow, value)

    def rrect(self, x0, y0, x1, y1, r, grow=0.0, value=255):
        s = self.c.ss
        x0, y0, x1, y1 = x0 - grow, y0 - grow, x1 + grow, y1 + grow
        rr = max(0.0, min(r + grow, (x1 - x0) / 2.0, (y1 - y0) / 2.0))
        self.d.rounded_rectangle([x0 * s, y0 * s, x1 * s, y1 * s], radius=rr * s, fill=value)
        return self

    def rect(self, x0, y0, x1, y1, grow=0.0, value=255):
        s = self.c.ss
        self.d.rectangle([(x0 - grow) * s, (y0 - grow) * s, (x1 + grow) * s, (y1 + grow) * s], fill=value)
        return self

    def poly(self, pts, grow=0.0, value=255):
        s = self.c.ss
        sp = [(x * s, y * s) for x, y in pts]
        self.d.polygon(sp, fill=value)
        if grow > 0:
            self.line(list(pts) + [pts[0]], 0.0, grow, value)
        return self

    def line(self, pts, width, grow=0.0, value=255):
        """Thick polyline with round caps and joints."""
        s = self.c.ss
        w = width + 2 * grow
        if w <= 0:
            return self
        sp = [(x * s, y * s) for x, y in pts]
        if len(sp) > 1:
            self.d.line(sp, fill=value, width=max(1, int(round(w * s))), joint='curve')
        r = w / 2.0
        for x, y in pts:
            self.d.ellipse([(x - r) * s, (y - r) * s, (x + r) * s, (y + r) * s], fill=value)
        return self

    def text(self, x, y, txt, size, anchor='mm', grow=0.0, value=255, spacing=0.15, align='center'):
        s = self.c.ss
        f = font(size * s)
        sw = int(round(grow * s))
        self.d.multiline_text((x * s, y * s), txt, font=f, fill=value, anchor=anchor,
                              stroke_width=sw, stroke_fill=value, spacing=int(size * s * spacing),
                              align=align)
        return self

    # --- operations ---
    def arr(self):
        return np.asarray(self.im, dtype=np.float32) / 255.0

    def bbox(self):
        return self.im.getbbox()

    def copy(self):
        m = Mask(self.c)
        m.im = self.im.copy()
        m.d = ImageDraw.Draw(m.im)
        return m

    def union(self, other):
        from PIL import ImageChops
        self.im = ImageChops.lighter(self.im, other.im)
        self.d = ImageDraw.Draw(self.im)
        return self

    def subtract(self, other):
        from PIL import ImageChops
        self.im = ImageChops.subtract(self.im, other.im)
        self.d = ImageDraw.Draw(self.im)
        return self

    def intersect(self, other):
        from PIL import ImageChops
        self.im = ImageChops.darker(self.im, other.im)
        self.d = ImageDraw.Draw(self.im)
        return self

    def shifted(self, dx, dy):
        from PIL import ImageChops
        m = Mask(self.c)
        m.im = ImageChops.offset(self.im, int(round(dx * self.c.ss)), int(round(dy * self.c.ss)))
        # offset wraps around: clear the wrapped band
        W, H = self.c.W, self.c.H
        sx, sy = int(round(dx * self.c.ss)), int(round(dy * self.c.ss))
        if sx > 0:
            m.im.paste(0, (0, 0, sx, H))
        elif sx < 0:
            m.im.paste(0, (W + sx, 0, W, H))
        if sy > 0:
            m.im.paste(0, (0, 0, W, sy))
        elif sy < 0:
            m.im.paste(0, (0, H + sy, W, H))
        m.d = ImageDraw.Draw(m.im)
        return m

    def dilated(self, r):
        """Grow the mask by r final pixels (octagonal steps, NumPy only)."""
        a = self.arr()
        steps = int(round(r * self.c.ss))
        for i in range(steps):
            b = a.copy()
            b[1:, :] = np.maximum(b[1:, :], a[:-1, :])
            b[:-1, :] = np.maximum(b[:-1, :], a[1:, :])
            b[:, 1:] = np.maximum(b[:, 1:], a[:, :-1])
            b[:, :-1] = np.maximum(b[:, :-1], a[:, 1:])
            if i % 2 == 1:
                c = b.copy()
                c[1:, 1:] = np.maximum(c[1:, 1:], a[:-1, :-1])
                c[:-1, :-1] = np.maximum(c[:-1, :-1], a[1:, 1:])
                c[1:, :-1] = np.maximum(c[1:, :-1], a[:-1, 1:])
                c[:-1, 1:] = np.maximum(c[:-1, 1:], a[1:, :-1])
                b = c
            a = b
        m = Mask(self.c)
        m.im = Image.fromarray((a * 255 + 0.5).astype(np.uint8), 'L')
        m.d = ImageDraw.Draw(m.im)
        return m

    def blurred(self, r):
        m = Mask(self.c)
        a = box_blur(self.arr(), r * self.c.ss)
        m.im = Image.fromarray(np.clip(a * 255 + 0.5, 0, 255).astype(np.uint8), 'L')
        m.d = ImageDraw.Draw(m.im)
        return m

    def scaled(self, k):
        m = Mask(self.c)
        m.im = Image.fromarray(np.clip(self.arr() * k * 255 + 0.5, 0, 255).astype(np.uint8), 'L')
        m.d = ImageDraw.Draw(m.im)
        return m


class Canvas:
    def __init__(self, w, h, ss=4, bg=None):
        self.w, self.h, self.ss = int(w), int(h), int(ss)
        self.W, self.H = self.w * self.ss, self.h * self.ss
        self.p = np.zeros((self.H, self.W, 3), np.float32)   # premultiplied colour
        self.a = np.zeros((self.H, self.W), np.float32)      # alpha
        if bg is not None:
            m = self.mask().rect(0, 0, self.w, self.h)
            self.paint(m, bg)

    def mask(self):
        return Mask(self)

    # coordinate grids (final-pixel units) for gradients, cropped to a box
    def grid(self, box=None):
        if box is None:
            box = (0, 0, self.W, self.H)
        x0, y0, x1, y1 = box
        ys = (np.arange(y0, y1, dtype=np.float32) + 0.5) / self.ss
        xs = (np.arange(x0, x1, dtype=np.float32) + 0.5) / self.ss
        return np.meshgrid(xs, ys)

    def paint(self, mask, color, opacity=1.0):
        """Composite `color` over the canvas through `mask`.

        color: an (r, g, b[, a]) tuple, or a function f(X, Y) -> (h, w, 3) or
        (h, w, 4) float array 0..1 over the final-pixel grid of the mask box.
        """
        box = mask.bbox()
        if box is None:
            return
        x0, y0, x1, y1 = box
        m = np.asarray(mask.im.crop(box), dtype=np.float32) / 255.0 * opacity
        if callable(color):
            X, Y = self.grid(box)
            col = np.asarray(color(X, Y), dtype=np.float32)
            if col.shape[-1] == 4:
                m = m * col[..., 3]
                col = col[..., :3]
        else:
            c, ca = rgb(color)
            m = m * ca
            col = c[None, None, :]
        sp = self.p[y0:y1, x0:x1]
        sa = self.a[y0:y1, x0:x1]
        self.p[y0:y1, x0:x1] = sp * (1 - m[..., None]) + col * m[..., None]
        self.a[y0:y1, x0:x1] = sa * (1 - m) + m

    def erase(self, mask, amount=1.0):
        """Cut transparency into the canvas (destination-out)."""
        box = mask.bbox()
        if box is None:
            return
        x0, y0, x1, y1 = box
        m = np.asarray(mask.im.crop(box), dtype=np.float32) / 255.0 * amount
        self.p[y0:y1, x0:x1] *= (1 - m[..., None])
        self.a[y0:y1, x0:x1] *= (1 - m)

    def tame(self, limit=NO_GLOW_SUM, box=None):
        """Scale colours down so that r + g + b <= limit (keeps them under the bloom threshold)."""
        if box is None:
            p, a = self.p, self.a
        else:
            x0, y0, x1, y1 = [int(v * self.ss) for v in box]
            p, a = self.p[y0:y1, x0:x1], self.a[y0:y1, x0:x1]
        s = p.sum(axis=-1)
        lim = (limit / 255.0) * a
        k = np.where(s > lim, lim / np.maximum(s, 1e-9), 1.0).astype(np.float32)
        p *= k[..., None]

    def alpha_multiply(self, mask_arr_full):
        self.p *= mask_arr_full[..., None]
        self.a *= mask_arr_full

    def paste_canvas(self, other, x, y, opacity=1.0):
        """Composite another canvas (same ss) with its top-left at final pixel (x, y)."""
        assert other.ss == self.ss
        ox, oy = int(round(x * self.ss)), int(round(y * self.ss))
        sx0, sy0 = max(0, -ox), max(0, -oy)
        dx0, dy0 = max(0, ox), max(0, oy)
        w = min(other.W - sx0, self.W - dx0)
        h = min(other.H - sy0, self.H - dy0)
        if w <= 0 or h <= 0:
            return
        op = other.p[sy0:sy0 + h, sx0:sx0 + w] * opacity
        oa = other.a[sy0:sy0 + h, sx0:sx0 + w] * opacity
        dp = self.p[dy0:dy0 + h, dx0:dx0 + w]
        da = self.a[dy0:dy0 + h, dx0:dx0 + w]
        self.p[dy0:dy0 + h, dx0:dx0 + w] = op + dp * (1 - oa[..., None])
        self.a[dy0:dy0 + h, dx0:dx0 + w] = oa + da * (1 - oa)

    def image(self):
        """Box-filter down to the final size; returns a Pillow RGBA image."""
        s = self.ss
        p = self.p.reshape(self.h, s, self.w, s, 3).mean(axis=(1, 3))
        a = self.a.reshape(self.h, s, self.w, s).mean(axis=(1, 3))
        c = np.where(a[..., None] > 1e-6, p / np.maximum(a[..., None], 1e-6), 0.0)
        out = np.zeros((self.h, self.w, 4), np.uint8)
        out[..., :3] = np.clip(c * 255 + 0.5, 0, 255).astype(np.uint8)
        out[..., 3] = np.clip(a * 255 + 0.5, 0, 255).astype(np.uint8)
        return Image.fromarray(out, 'RGBA')


# ---------------------------------------------------------------- colour sources

def _lin(c0, c1):
    a0, al0 = rgb(c0)
    a1, al1 = rgb(c1)
    has_a = len(c0) > 3 or len(c1) > 3

    def at(t):
        col = a0 * (1 - t[..., None]) + a1 * t[..., None]
        if has_a:
            al = al0 * (1 - t) + al1 * t
            return np.concatenate([col, al[..., None]], axis=-1)
        return col
    return at


def vgrad(y0, y1, c0, c1):
    """Vertical gradient from c0 at y0 to c1 at y1 (final px); alpha if given."""
    at = _lin(c0, c1)

    def f(X, Y):
        return at(np.clip((Y - y0) / float(max(1e-6, y1 - y0)), 0, 1))
    return f


def hgrad(x0, x1, c0, c1):
    at = _lin(c0, c1)

    def f(X, Y):
        return at(np.clip((X - x0) / float(max(1e-6, x1 - x0)), 0, 1))
    return f


def rgrad(cx, cy, r, c0, c1, power=1.0):
    """Radial gradient: c0 at the centre, c1 at distance r and beyond."""
    a0, al0 = rgb(c0)
    a1, al1 = rgb(c1)

    def f(X, Y):
        t = np.clip(np.hypot(X - cx, Y - cy) / float(r), 0, 1) ** power
        col = a0 * (1 - t[..., None]) + a1 * t[..., None]
        al = al0 * (1 - t) + al1 * t
        return np.concatenate([col, al[..., None]], axis=-1)
    return f


def pillow_shade(canvas, mask, base, light=(-0.5, -0.75), radius=None, ambient=0.72,
                 diffuse=0.42, spec=0.22, shine=18.0, rim=0.0, height=1.0, dark=None):
    """Paint `mask` with a soft 3-D 'pillow' shading of colour `base`.

    The blurred mask is taken as a height field; its normal is lit from the
    upper left.  `radius` (final px) controls how round the shape looks.
    """
    box = mask.bbox()
    if box is None:
        return
    if radius is None:
        x0, y0, x1, y1 = box
        radius = min(x1 - x0, y1 - y0) / canvas.ss * 0.3
    s = canvas.ss
    pad = int(radius * s * 2) + 2
    x0, y0, x1, y1 = box
    bx0, by0 = max(0, x0 - pad), max(0, y0 - pad)
    bx1, by1 = min(canvas.W, x1 + pad), min(canvas.H, y1 + pad)
    m = np.asarray(mask.im.crop((bx0, by0, bx1, by1)), dtype=np.float32) / 255.0
    hgt = box_blur(m, radius * s * 0.6)
    gy, gx = np.gradient(hgt)
    k = height * radius * s * 1.2
    nx, ny, nz = -gx * k, -gy * k, np.ones_like(hgt)
    n = np.sqrt(nx * nx + ny * ny + nz * nz)
    nx, ny, nz = nx / n, ny / n, nz / n
    L = np.array([light[0], light[1], 0.75], np.float32)
    L /= np.linalg.norm(L)
    ndl = np.clip(nx * L[0] + ny * L[1] + nz * L[2], 0, 1)
    Hh = L + np.array([0, 0, 1], np.float32)
    Hh /= np.linalg.norm(Hh)
    ndh = np.clip(nx * Hh[0] + ny * Hh[1] + nz * Hh[2], 0, 1)
    b, _ = rgb(base)
    col = b[None, None, :] * (ambient + diffuse * ndl)[..., None]
    if dark is not None:
        d, _ = rgb(dark)
        t = np.clip(1.0 - ndl * 1.4, 0, 1)[..., None] * 0.6
        col = col * (1 - t) + d[None, None, :] * t
    col = col + spec * (ndh ** shine)[..., None]
    if rim:
        col = col * (1 - rim * (1 - hgt)[..., None] * 0.6)
    col = np.clip(col, 0, 1)
    cm = Mask(canvas)
    cm.im = mask.im
    # paint through the mask using the precomputed colour field
    sub = (bx0, by0, bx1, by1)

    def f(X, Y, _col=col, _sub=sub, _box=box):
        ox, oy = _box[0] - _sub[0], _box[1] - _sub[1]
        return _col[oy:oy + X.shape[0], ox:ox + X.shape[1]]
    canvas.paint(cm, f)


def save_png(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if img.mode != 'RGBA':
        img = img.convert('RGBA')
    img.save(path, format='PNG', optimize=False, compress_level=9)
