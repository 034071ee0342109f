"""Game-pad, keyboard-key and face-button drawings (tutorial hints, how-to-play pages)."""

from pen import Pen
from gfx import OUT, mix
import palette as P

FACE = {
    'A': ((70, 176, 60), (120, 226, 70)),
    'B': ((200, 50, 56), (236, 90, 80)),
    'X': ((50, 100, 210), (80, 150, 236)),
    'Y': ((216, 168, 20), (232, 176, 0)),
}


def draw_face_button(cv, cx, cy, size, letter='A', ow=4.0):
    """A round face button (dark gem with a coloured ring and letter)."""
    ring, glow = FACE[letter]
    pen = Pen(cv, cx, cy, size)
    pen.sticker(lambda m, g: pen.circle(m, 50, 52, 44, g), (40, 34, 58), ow,
                shade=dict(radius=12, ambient=0.9, spec=0.1))
    rm = pen.mask()
    pen.circle(rm, 50, 50, 40)
    rm.subtract(pen.circle(pen.mask(), 50, 50, 32))
    pen.cv.paint(rm, ring)
    inner = pen.circle(pen.mask(), 50, 50, 32)
    from gfx import pillow_shade
    pillow_shade(cv, inner, mix(ring, OUT, 0.55), radius=pen.L(10), ambient=0.85, spec=0.25)
    # letter
    sm = pen.mask()
    pen.text(sm, 50, 52, letter, 54, grow=5)
    cv.paint(sm, OUT)
    lm = pen.mask()
    pen.text(lm, 50, 52, letter, 54)
    cv.paint(lm, glow)
    # gloss
    gm = pen.mask()
    pen.ellipse(gm, 38, 28, 16, 8)
    cv.paint(gm.blurred(size * 0.02), (255, 255, 255), 0.22)


def draw_stick(cv, cx, cy, size, label='L', ow=4.0, arrows=True):
    """A thumbstick seen from above."""
    pen = Pen(cv, cx, cy, size)
    pen.sticker(lambda m, g: pen.circle(m, 50, 50, 45, g), (46, 42, 64), ow,
                shade=dict(radius=10, ambient=0.85, spec=0.06))
    if arrows:
        for ang, pts in ((0, [(50, 9), (44, 16), (56, 16)]), (1, [(50, 91), (44, 84), (56, 84)]),
                         (2, [(9, 50), (16, 44), (16, 56)]), (3, [(91, 50), (84, 44), (84, 56)])):
            am = pen.mask()
            pen.poly(am, pts)
            cv.paint(am, (150, 140, 110))
    pen.sticker(lambda m, g: pen.circle(m, 50, 50, 30, g), (104, 100, 128), ow * 0.8,
                shade=dict(radius=10, ambient=0.8, diffuse=0.45, spec=0.2))
    # concave cap with grip ring
    rm = pen.mask()
    pen.circle(rm, 50, 50, 24)
    rm.subtract(pen.circle(pen.mask(), 50, 50, 20))
    cv.paint(rm, (70, 66, 92))
    sm = pen.mask()
    pen.text(sm, 50, 51, label, 30, grow=4)
    cv.paint(sm, OUT)
    lm = pen.mask()
    pen.text(lm, 50, 51, label, 30)
    cv.paint(lm, P.UI_TEXT_TOP)


def draw_key(cv, x0, y0, x1, y1, label, size=None, hi=False):
    """A keyboard key cap.  hi: highlighted (gold top)."""
    h = y1 - y0
    ow = max(1.5, h * 0.06)
    r = h * 0.18
    om = cv.mask().rrect(x0, y0, x1, y1, r, grow=ow)
    cv.paint(om, OUT)
    base = cv.mask().rrect(x0, y0, x1, y1, r)
    cv.paint(base, (54, 46, 84) if not hi else (150, 96, 20))
    top = cv.mask().rrect(x0 + h * 0.08, y0 + h * 0.05, x1 - h * 0.08, y1 - h * 0.2, r * 0.8)
    from gfx import vgrad
    if hi:
        cv.paint(top, vgrad(y0, y1, (246, 170, 0), (210, 120, 10)))
    else:
        cv.paint(top, vgrad(y0, y1, (104, 92, 150), (76, 64, 120)))
    if size is None:
        size = h * 0.5
    from ui import draw_text, fit_text_size
    size = min(size, fit_text_size(label, (x1 - x0) * 0.8, h * 0.6, int(size)))
    col = OUT if hi else (190, 180, 38)
    draw_text(cv, (x0 + x1) / 2, y0 + (y1 - y0) * 0.4, label, size, top=col, bot=col,
              shadow=False, stroke=0 if hi else max(1, size * 0.06))


def draw_pad(cv, cx, cy, size, glow=(), tags=None):
    """An Xbox-style game pad seen from the front.  `glow`: names of parts to
    ring in gold ('A', 'B', 'X', 'Y', 'LS', 'LB', 'RB', 'LT', 'RT', 'START', 'DPAD').
    Returns a dict of part name -> (x, y) canvas point, for call-out lines."""
    pen = Pen(cv, cx, cy, size)
    ow = 2.2
    pts = {}

    def at(name, x, y):
        pts[name] = pen.P(x, y)

    # triggers and bumpers (behind the body)
    for nm, x0, x1 in (('LT', 20, 34), ('RT', 66, 80)):
        col = P.UI_TEXT_TOP if nm in glow else (70, 64, 96)
        pen.sticker(lambda m, g, a=x0, b=x1: pen.rrect(m, a, 10, b, 24, 5, g), col, ow)
        at(nm, (x0 + x1) / 2, 12)
    for nm, x0, x1 in (('LB', 14, 38), ('RB', 62, 86)):
        col = P.UI_TEXT_TOP if nm in glow else (86, 80, 112)
        pen.sticker(lambda m, g, a=x0, b=x1: pen.rrect(m, a, 19, b, 28, 4, g), col, ow)
        at(nm, (x0 + x1) / 2, 21)

    def body(m, g):
        pen.ellipse(m, 50, 43, 40, 19, g)
        pen.ellipse(m, 24, 58, 15, 21, g)
        pen.ellipse(m, 76, 58, 15, 21, g)
        pen.rrect(m, 20, 30, 80, 60, 12, g)
    pen.sticker(body, (78, 74, 100), ow, shade=dict(radius=9, ambient=0.78, diffuse=0.45, spec=0.12, dark=(40, 36, 60)))
    # guide button
    pen.sticker(lambda m, g: pen.circle(m, 50, 31, 4.5, g), (60, 150, 60), 1.4)

    def ring(x, y, r, name):
        if name in glow:
            rm = pen.mask()
            pen.circle(rm, x, y, r + 3.2)
            rm.subtract(pen.circle(pen.mask(), x, y, r + 1.2))
            cv.paint(rm, P.UI_TEXT_TOP)

    # left stick
    ring(30, 40, 8.5, 'LS')
    pen.sticker(lambda m, g: pen.circle(m, 30, 40, 8.5, g), (44, 40, 62), 1.5)
    pen.sticker(lambda m, g: pen.circle(m, 30, 40, 6, g), (110, 106, 134), 1.2, shade=dict(radius=2.5, ambient=0.85, spec=0.2))
    at('LS', 30, 40)
    # d-pad
    ring(40, 55, 7, 'DPAD')

    def cross(m, g):
        pen.rrect(m, 37.6, 48.5, 42.4, 61.5, 1.2, g)
        pen.rrect(m, 33.5, 52.6, 46.5, 57.4, 1.2, g)
    pen.sticker(cross, (44, 40, 62), 1.4)
    at('DPAD', 40, 55)
    # right stick
    pen.sticker(lambda m, g: pen.circle(m, 61, 55, 7.5, g), (44, 40, 62), 1.5)
    pen.sticker(lambda m, g: pen.circle(m, 61, 55, 5.2, g), (110, 106, 134), 1.2, shade=dict(radius=2.5, ambient=0.85, spec=0.2))
    # back / start
    for nm, x in (('BACK', 43), ('START', 57)):
        ring(x, 40, 2.4, nm)
        pen.sticker(lambda m, g, xx=x: pen.ellipse(m, xx, 40, 2.6, 2.0, g), (40, 36, 56), 1.0)
        at(nm, x, 40)
    # face buttons
    for nm, x, y in (('A', 70, 47), ('B', 77, 40), ('X', 63, 40), ('Y', 70, 33)):
        ring(x, y, 4.2, nm)
        colr = FACE[nm][0]
        pen.sticker(lambda m, g, xx=x, yy=y: pen.circle(m, xx, yy, 4.2, g), colr, 1.2,
                    shade=dict(radius=1.8, ambient=0.85, spec=0.25))
        lm = pen.mask()
        pen.text(lm, x, y + 0.3, nm, 5.6)
        cv.paint(lm, OUT, 0.85)
        at(nm, x, y)
    return pts


def draw_keyboard_cluster(cv, x, y, k, hi=()):
    """Arrow keys as an inverted T.  k: key size in px.  Returns key centres."""
    pts = {}
    g = k * 0.12
    pos = {'Up': (1, 0), 'Left': (0, 1), 'Down': (1, 1), 'Right': (2, 1)}
    glyph = {'Up': '\u2191', 'Left': '\u2190', 'Down': '\u2193', 'Right': '\u2192'}
    for name, (cx, cy) in pos.items():
        x0 = x + cx * (k + g)
        y0 = y + cy * (k + g)
        draw_arrow_key(cv, x0, y0, x0 + k, y0 + k, name, name in hi)
        pts[name] = (x0 + k / 2, y0 + k / 2)
    return pts


def draw_arrow_key(cv, x0, y0, x1, y1, direction, hi=False):
    draw_key(cv, x0, y0, x1, y1, ' ', hi=hi)
    cx, cy = (x0 + x1) / 2, y0 + (y1 - y0) * 0.4
    s = (y1 - y0) * 0.2
    import math
    ang = {'Up': -90, 'Down': 90, 'Left': 180, 'Right': 0}[direction]
    a = math.radians(ang)

    def rot(px, py):
        return (cx + px * math.cos(a) - py * math.sin(a), cy + px * math.sin(a) + py * math.cos(a))
    pts = [rot(*p) for p in ((s * 1.3, 0), (0, -s * 1.1), (0, -s * 0.45), (-s * 1.2, -s * 0.45),
                              (-s * 1.2, s * 0.45), (0, s * 0.45), (0, s * 1.1))]
    col = OUT if hi else (190, 180, 38)
    m = cv.mask().poly(pts)
    cv.paint(m, col)
