"""Match HUD pieces: slime boxes, the slime fill, the magazine, goal zones."""

import numpy as np
from gfx import Canvas, OUT, vgrad, hgrad, mix, pillow_shade
from ui import draw_text, fit_text_size
import palette as P

# Geometry the slime display draws at (fractions of the box / magazine height and width)
FILL_W = 0.8           # the fill is 0.8 of the box width ...
FILL_H = 0.95          # ... and at most 0.95 of the box height, from 0.475 below the centre
MAG_ICON_CENTRES = (-0.385, -0.185, 0.015, 0.215, 0.415)   # x magazine height, from its centre (up)
MAG_ICON_SIZE = 1.0 / 9.0


def slimebox(colour, w=224, h=288):
    """A slime jar in the player's colour.  Its window is TRANSPARENT: the slime
    fill (drawn before it on the same layer) shows through it."""
    pal = P.PLAYERS[colour]
    base, light, dark = pal['base'], pal['light'], pal['dark']
    cv = Canvas(w, h, 4)
    ow = w * 0.022
    # window: inside the fill rectangle (x 0.1..0.9, y 0.025..0.975 of the image)
    wx0, wx1 = w * 0.14, w * 0.86
    wy0, wy1 = h * 0.095, h * 0.948
    wr = w * 0.08
    # body
    bx0, by0, bx1, by1 = w * 0.035, h * 0.055, w * 0.965, h * 0.99
    om = cv.mask().rrect(bx0, by0, bx1, by1, w * 0.14, grow=ow)
    cv.paint(om, OUT)
    fm = cv.mask().rrect(bx0, by0, bx1, by1, w * 0.14)
    pillow_shade(cv, fm, base, radius=w * 0.05, ambient=0.8, diffuse=0.38, spec=0.16, dark=dark)
    # lid
    lm_o = cv.mask().rrect(w * 0.0 + ow, h * 0.0 + ow, w - ow, h * 0.085, h * 0.03, grow=ow)
    cv.paint(lm_o, OUT)
    lm = cv.mask().rrect(w * 0.0 + ow, h * 0.0 + ow, w - ow, h * 0.085, h * 0.03)
    pillow_shade(cv, lm, mix(dark, base, 0.35), radius=w * 0.03, ambient=0.85, spec=0.12)
    # no writing on the lid: at the jar's size in the HUD it could not be read;
    # the jar's colour tells whose it is
    # ring around the window (dark inner edge of the frame)
    ring = cv.mask().rrect(wx0, wy0, wx1, wy1, wr, grow=ow * 1.1)
    cv.paint(ring, OUT)
    # cut the window
    win = cv.mask().rrect(wx0, wy0, wx1, wy1, wr)
    cv.erase(win)
    # glass: a faint tint and a highlight streak (translucent)
    cv.paint(win, (150, 170, 190), 0.06)
    streak = cv.mask().poly([(wx0 + w * 0.06, wy1 - h * 0.05), (wx0 + w * 0.16, wy1 - h * 0.05),
                             (wx0 + w * 0.16, wy0 + h * 0.06), (wx0 + w * 0.06, wy0 + h * 0.10)])
    streak.intersect(win)
    cv.paint(streak, (200, 200, 210), 0.16)
    streak2 = cv.mask().rect(wx0 + w * 0.2, wy0 + h * 0.06, wx0 + w * 0.235, wy1 - h * 0.15)
    streak2.intersect(win)
    cv.paint(streak2, (200, 200, 210), 0.10)
    # tick marks at 5, 10 and 15 slime (the fill's top at count c is 0.975 - 0.0475 c)
    for c in (5, 10, 15):
        y = h * (0.975 - 0.0475 * c)
        tm = cv.mask().line([(wx1 - w * 0.075, y), (wx1 + ow * 0.2, y)], h * 0.011)
        cv.paint(tm, OUT, 0.85)
        tm2 = cv.mask().line([(wx0 - ow * 0.2, y), (wx0 + w * 0.045, y)], h * 0.011)
        cv.paint(tm2, OUT, 0.85)
    # goal star at the top of the window
    cv.tame()
    return cv.image()


def slimestack(w=168, h=256):
    """The slime fill: glowing green, stretches vertically well (a vertical gradient)."""
    cv = Canvas(w, h, 2)
    full = cv.mask().rect(0, 0, w, h)
    cv.paint(full, vgrad(0, h, (150, 250, 110), (40, 160, 70)))
    # horizontal shading (rounder look)
    def side(X, Y):
        t = np.abs(X / w - 0.5) * 2
        a = np.clip((t - 0.55) / 0.45, 0, 1) ** 1.5 * 0.45
        col = np.zeros(X.shape + (4,), np.float32)
        col[..., 0:3] = np.array(P.SLIME_DEEP, np.float32) / 255
        col[..., 3] = a
        return col
    cv.paint(full, side)
    # bright surface at the top
    top = cv.mask().rect(0, 0, w, h * 0.035)
    cv.paint(top, P.SLIME_LIGHT)
    top2 = cv.mask().rect(0, h * 0.035, w, h * 0.07)
    cv.paint(top2, P.SLIME_LIGHT, 0.45)
    # a few bubbles
    rs = np.random.RandomState(41)
    for i in range(9):
        x = rs.uniform(0.15, 0.85) * w
        y = rs.uniform(0.2, 0.95) * h
        r = rs.uniform(0.03, 0.06) * w
        bm = cv.mask().circle(x, y, r)
        cv.paint(bm, P.SLIME_LIGHT, 0.35)
        hm = cv.mask().circle(x - r * 0.3, y - r * 0.3, r * 0.35)
        cv.paint(hm, (240, 255, 230), 0.6)
    return cv.image()


def magazine(w=72, h=362):
    """A tall column with five transparent slots where the carried-slime icons
    (drawn underneath) show through.  Icon centres: MAG_ICON_CENTRES."""
    cv = Canvas(w, h, 4)
    ow = w * 0.05
    om = cv.mask().rrect(ow, ow, w - ow, h - ow, w * 0.3, grow=ow)
    cv.paint(om, OUT)
    fm = cv.mask().rrect(ow, ow, w - ow, h - ow, w * 0.3)
    pillow_shade(cv, fm, (84, 60, 140), radius=w * 0.12, ambient=0.8, diffuse=0.4, spec=0.12, dark=(40, 26, 80))
    # a groove down the middle joining the slots
    gm = cv.mask().rrect(w * 0.44, h * 0.06, w * 0.56, h * 0.94, w * 0.05)
    cv.paint(gm, (40, 26, 80), 0.8)
    icon = h * MAG_ICON_SIZE
    for f in MAG_ICON_CENTRES:
        cy = h * (0.5 - f)
        s = icon * 1.12
        ring = cv.mask().rrect(w / 2 - s / 2, cy - s / 2, w / 2 + s / 2, cy + s / 2, s * 0.32, grow=ow * 0.9)
        cv.paint(ring, OUT)
        hole = cv.mask().rrect(w / 2 - s / 2, cy - s / 2, w / 2 + s / 2, cy + s / 2, s * 0.32)
        cv.erase(hole)
        # a faint rim inside the slot so an empty slot reads as a socket
        rim = cv.mask().rrect(w / 2 - s / 2, cy - s / 2, w / 2 + s / 2, cy + s / 2, s * 0.32)
        rim.subtract(cv.mask().rrect(w / 2 - s / 2 + ow * 0.6, cy - s / 2 + ow * 0.6, w / 2 + s / 2 - ow * 0.6,
                                     cy + s / 2 - ow * 0.6, s * 0.32 - ow * 0.6))
        cv.paint(rim, (120, 96, 180), 0.8)
    cv.tame()
    return cv.image()


def zone(active, w=256, h=256):
    """Goal-zone rectangle, stretched to any zone size.  Active: bright slime
    green with glowing edges; inactive: dim, translucent, dashed."""
    cv = Canvas(w, h, 2)
    full = cv.mask().rect(0, 0, w, h)
    e = w * 0.045
    inner = cv.mask().rect(e, e, w - e, h - e)
    if active:
        cv.paint(full, vgrad(0, h, (90, 230, 80, 18), (124, 242, 92, 96)))
        # soft stripes rising from the floor
        for i in range(6):
            y = h * (0.90 - i * 0.15)
            sm = cv.mask().rect(e, y, w - e, y + h * 0.03)
            cv.paint(sm, (160, 255, 130), 0.05 + 0.05 * (5 - i) / 5)
        cv.tame()   # the translucent fill stays under the bloom threshold; only the edges glow
        # glow inside the edge
        glow = full.copy().subtract(cv.mask().rect(e * 2.5, e * 2.5, w - e * 2.5, h - e * 2.5)).blurred(e * 0.8)
        glow.intersect(inner)
        cv.paint(glow, (124, 242, 92), 0.55)
        border = full.copy().subtract(inner)
        cv.paint(border, (124, 242, 92))
        # corner brackets
        L, t = w * 0.17, e * 1.35
        for (x, y, sx, sy) in ((0, 0, 1, 1), (w, 0, -1, 1), (0, h, 1, -1), (w, h, -1, -1)):
            bm = cv.mask().rect(min(x, x + sx * L), min(y, y + sy * t), max(x, x + sx * L), max(y, y + sy * t))
            bm.union(cv.mask().rect(min(x, x + sx * t), min(y, y + sy * L), max(x, x + sx * t), max(y, y + sy * L)))
            cv.paint(bm, (200, 255, 170))
        # down chevrons in the middle: "stand here"
        for k, yy in enumerate((0.40, 0.56)):
            y = h * yy
            pts = [(w * 0.34, y), (w * 0.5, y + h * 0.1), (w * 0.66, y)]
            cm = cv.mask().line(pts, w * 0.05)
            cv.paint(cm, (200, 255, 170), 0.30 + 0.15 * k)
    else:
        cv.paint(full, (110, 100, 150, 34))
        border = full.copy().subtract(inner)
        dash = cv.mask()
        n = 8
        for i in range(n):
            a, b = (i + 0.2) / n, (i + 0.8) / n
            dash.rect(a * w, 0, b * w, h)
        horiz = cv.mask()
        for i in range(n):
            a, b = (i + 0.2) / n, (i + 0.8) / n
            horiz.rect(0, a * h, w, b * h)
        top_bottom = border.copy().intersect(cv.mask().rect(0, 0, w, e).union(cv.mask().rect(0, h - e, w, h)))
        left_right = border.copy().intersect(cv.mask().rect(0, 0, e, h).union(cv.mask().rect(w - e, 0, w, h)))
        cv.paint(top_bottom.intersect(dash), (120, 110, 160), 0.55)
        cv.paint(left_right.intersect(horiz), (120, 110, 160), 0.55)
        cv.tame()
    return cv.image()
