"""A tiny supersampled vector canvas: signed-distance shapes painted with outlines ("sticker" look)."""
import numpy as np

from common import OUTLINE, coverage, downsample, to_image

OUT_RGB = np.array(OUTLINE, dtype=np.float64) / 255.0


class Canvas:
    def __init__(self, w, h, ss=4):
        self.w, self.h, self.ss = w, h, ss
        ys, xs = np.mgrid[0:h * ss, 0:w * ss]
        self.X = (xs + 0.5) / ss
        self.Y = (ys + 0.5) / ss
        self.rgb = np.zeros((h * ss, w * ss, 3))
        self.a = np.zeros((h * ss, w * ss))

    # -- compositing ---------------------------------------------------------------------
    def over(self, rgb, alpha):
        """Paint colour (3-vector or HxWx3) with coverage alpha over the canvas."""
        alpha = np.clip(alpha, 0, 1)
        rgb = np.broadcast_to(rgb, self.rgb.shape)
        na = alpha + self.a * (1 - alpha)
        safe = np.where(na > 1e-6, na, 1.0)
        self.rgb = (rgb * alpha[..., None] + self.rgb * (self.a * (1 - alpha))[..., None]) / safe[..., None]
        self.a = na

    def shape(self, sdf, fill, outline=3.0, outline_rgb=None, alpha=1.0):
        """sdf: positive inside, in pixels. Paints an outline ring of `outline` px inside the edge."""
        aa = 0.6
        if outline > 0:
            self.over(OUT_RGB if outline_rgb is None else outline_rgb, coverage(sdf, aa) * alpha)
            inner = sdf - outline
        else:
            inner = sdf
        self.over(fill, coverage(inner, aa) * alpha)

    def image(self):
        rgb = downsample(self.rgb * self.a[..., None], self.ss)
        a = downsample(self.a[..., None], self.ss)[..., 0]
        rgb = np.where(a[..., None] > 1e-6, rgb / np.maximum(a[..., None], 1e-6), 0)
        return rgb, a


# -- signed distance primitives (positive inside, pixels) -------------------------------------
def circle(c, cx, cy, r):
    return r - np.hypot(c.X - cx, c.Y - cy)


def ellipse(c, cx, cy, rx, ry):
    k = np.hypot((c.X - cx) / rx, (c.Y - cy) / ry)
    return (1.0 - k) * min(rx, ry)


def box(c, x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = abs(x1 - x0) / 2, abs(y1 - y0) / 2
    qx = np.abs(c.X - cx) - (hx - r)
    qy = np.abs(c.Y - cy) - (hy - r)
    outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0)) + np.minimum(np.maximum(qx, qy), 0) - r
    return -outside


def capsule(c, ax, ay, bx, by, r):
    px, py = c.X - ax, c.Y - ay
    vx, vy = bx - ax, by - ay
    h = np.clip((px * vx + py * vy) / (vx * vx + vy * vy + 1e-9), 0, 1)
    return r - np.hypot(px - vx * h, py - vy * h)


def polygon(c, pts):
    """Exact signed distance to a simple polygon (list of (x, y))."""
    pts = [np.array(p, dtype=np.float64) for p in pts]
    X, Y = c.X, c.Y
    d = np.full(X.shape, np.inf)
    s = np.ones(X.shape)
    n = len(pts)
    j = n - 1
    for i in range(n):
        ex, ey = pts[j][0] - pts[i][0], pts[j][1] - pts[i][1]
        wx, wy = X - pts[i][0], Y - pts[i][1]
        h = np.clip((wx * ex + wy * ey) / (ex * ex + ey * ey), 0, 1)
        bx, by = wx - ex * h, wy - ey * h
        d = np.minimum(d, bx * bx + by * by)
        c1 = Y >= pts[i][1]
        c2 = Y < pts[j][1]
        c3 = ex * wy > ey * wx
        flip = (c1 & c2 & c3) | (~c1 & ~c2 & ~c3)
        s = np.where(flip, -s, s)
        j = i
    return -s * np.sqrt(d)


def union(*sdfs):
    out = sdfs[0]
    for s in sdfs[1:]:
        out = np.maximum(out, s)
    return out


def clamp_bloom(rgb, limit=1.62):
    """Scale colours down so that r+g+b stays below the bloom threshold."""
    s = rgb.sum(axis=-1, keepdims=True)
    k = np.where(s > limit, limit / np.maximum(s, 1e-9), 1.0)
    return rgb * k


def finish(c, bloom_limit=None):
    rgb, a = c.image()
    if bloom_limit is not None:
        rgb = clamp_bloom(rgb, bloom_limit)
    return to_image(rgb, a)
