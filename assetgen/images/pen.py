"""A 'pen' that draws a design made in a 100 x 100 unit box into any part of a
Canvas, scaled, and optionally mirrored left-right.  Characters and icons are
drawn with it so the same drawing serves as a sprite and as an illustration
on the how-to-play pages."""

import math
from gfx import OUT, pillow_shade


class Pen:
    def __init__(self, cv, cx, cy, size, flip=False, rot=0.0):
        self.cv = cv
        self.k = size / 100.0
        self.ox = cx - 50 * self.k
        self.oy = cy - 50 * self.k
        self.flip = flip
        self.rot = rot  # radians, about the box centre (only for points/lines/polys)

    # --- coordinate mapping ---
    def _rotp(self, x, y):
        if not self.rot:
            return x, y
        c, s = math.cos(self.rot), math.sin(self.rot)
        dx, dy = x - 50, y - 50
        return 50 + dx * c - dy * s, 50 + dx * s + dy * c

    def X(self, x):
        return self.ox + ((100 - x) if self.flip else x) * self.k

    def Y(self, y):
        return self.oy + y * self.k

    def P(self, x, y):
        x, y = self._rotp(x, y)
        return (self.X(x), self.Y(y))

    def L(self, v):
        return v * self.k

    def mask(self):
        return self.cv.mask()

    # --- shapes into a mask (design units) ---
    def ellipse(self, m, cx, cy, rx, ry, grow=0.0, value=255):
        px, py = self.P(cx, cy)
        return m.ellipse(px, py, rx * self.k, ry * self.k, grow * self.k, value)

    def circle(self, m, cx, cy, r, grow=0.0, value=255):
        return self.ellipse(m, cx, cy, r, r, grow, value)

    def rrect(self, m, x0, y0, x1, y1, r, grow=0.0, value=255):
        a, b = self.X(x0), self.X(x1)
        return m.rrect(min(a, b), self.Y(y0), max(a, b), self.Y(y1), r * self.k, grow * self.k, value)

    def poly(self, m, pts, grow=0.0, value=255):
        return m.poly([self.P(x, y) for x, y in pts], grow * self.k, value)

    def line(self, m, pts, width, grow=0.0, value=255):
        return m.line([self.P(x, y) for x, y in pts], width * self.k, grow * self.k, value)

    def arc_pts(self, cx, cy, rx, ry, a0, a1, n=24):
        """Points on an ellipse arc, angles in degrees (0 = +x, 90 = +y/down)."""
        out = []
        for i in range(n + 1):
            a = math.radians(a0 + (a1 - a0) * i / n)
            out.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
        return out

    def text(self, m, x, y, txt, size, grow=0.0, anchor='mm', value=255):
        px, py = self.P(x, y)
        return m.text(px, py, txt, size * self.k, anchor=anchor, grow=grow * self.k, value=value)

    # --- painting helpers ---
    def sticker(self, draw_fn, fill, ow=3.0, shade=None, outline=OUT):
        """Draw shapes (draw_fn(mask, grow)) with one outline around their union.

        fill: a colour tuple or colour function; shade: dict of pillow_shade
        arguments (then `fill` must be a tuple) or None for a flat fill.
        Returns the fill mask."""
        if ow > 0:
            om = self.mask()
            draw_fn(om, ow)
            self.cv.paint(om, outline)
        fm = self.mask()
        draw_fn(fm, 0.0)
        if shade is not None:
            args = dict(shade)
            if 'radius' in args:
                args['radius'] = args['radius'] * self.k
            pillow_shade(self.cv, fm, fill, **args)
        else:
            self.cv.paint(fm, fill)
        return fm

    def flat(self, draw_fn, fill, opacity=1.0):
        m = self.mask()
        draw_fn(m, 0.0)
        self.cv.paint(m, fill, opacity)
        return m
