"""Menu pieces: buttons, arrows, labels, cursor, confirmation pictures, volume bars."""

import numpy as np
from gfx import Canvas, OUT, vgrad, font, mix
import palette as P

STYLES = {
    'violet': (P.UI_FACE_TOP, P.UI_FACE_BOT, P.UI_FACE_DEEP),
    'green': (P.GREEN_FACE_TOP, P.GREEN_FACE_BOT, (18, 74, 44)),
    'red': (P.RED_FACE_TOP, P.RED_FACE_BOT, (88, 20, 40)),
}


def fit_text_size(txt, max_w, max_h, start):
    """Largest font size (final px) <= start so that txt fits max_w x max_h."""
    size = start
    while size > 6:
        f = font(size * 4)
        lines = txt.split('\n')
        w = max(f.getbbox(l)[2] - f.getbbox(l)[0] for l in lines) / 4.0
        h = size * (len(lines) * 1.12)
        if w <= max_w and h <= max_h:
            return size
        size -= 1
    return size


def draw_text(cv, x, y, txt, size, top=P.UI_TEXT_TOP, bot=P.UI_TEXT_BOT, stroke=None,
              shadow=True, anchor='mm', align='center', outline=OUT):
    """Heavy letters with a dark stroke, a soft drop shadow and a vertical gradient."""
    if stroke is None:
        stroke = max(1.5, size * 0.09)
    if shadow:
        sm = cv.mask().text(x + size * 0.04, y + size * 0.08, txt, size, anchor=anchor, grow=stroke, align=align)
        cv.paint(sm, OUT, 0.55)
    om = cv.mask().text(x, y, txt, size, anchor=anchor, grow=stroke, align=align)
    cv.paint(om, outline)
    fm = cv.mask().text(x, y, txt, size, anchor=anchor, align=align)
    box = fm.bbox()
    if box is None:
        return
    y0, y1 = box[1] / cv.ss, box[3] / cv.ss
    if top == bot:
        cv.paint(fm, top)
    else:
        cv.paint(fm, vgrad(y0, y1, top, bot))


def draw_button_face(cv, x0, y0, x1, y1, style='violet', ow=None, radius=None):
    top, bot, deep = STYLES[style]
    h = y1 - y0
    if ow is None:
        ow = max(2.0, h * 0.045)
    if radius is None:
        radius = h * 0.36
    lip = h * 0.07
    # soft shadow under the button
    sh = cv.mask().rrect(x0 + h * 0.02, y0 + lip * 1.6, x1 - h * 0.02, y1, radius)
    cv.paint(sh.blurred(h * 0.03), OUT, 0.5)
    # outline (grown face + lip)
    om = cv.mask().rrect(x0, y0, x1, y1 - lip * 0.4, radius, grow=0)
    cv.paint(om, OUT)
    fx0, fy0, fx1, fy1 = x0 + ow, y0 + ow, x1 - ow, y1 - ow - lip * 0.4
    # lip (3-D depth)
    lm = cv.mask().rrect(fx0, fy0, fx1, fy1, radius - ow)
    cv.paint(lm, deep)
    # face
    fm = cv.mask().rrect(fx0, fy0, fx1, fy1 - lip, radius - ow)
    cv.paint(fm, vgrad(fy0, fy1 - lip, top, bot))
    # inner rim light along the top edge
    rim = cv.mask().rrect(fx0, fy0, fx1, fy1 - lip, radius - ow)
    inner = cv.mask().rrect(fx0, fy0 + h * 0.035, fx1, fy1 - lip, radius - ow)
    rim.subtract(inner)
    cv.paint(rim, mix(top, (200, 190, 240), 0.5), 0.7)
    # gloss band on the top half
    gm = cv.mask().rrect(fx0 + h * 0.06, fy0 + h * 0.05, fx1 - h * 0.06, fy0 + (fy1 - fy0) * 0.42, (radius - ow) * 0.8)
    cv.paint(gm, (255, 255, 255), 0.10)
    return (fx0, fy0, fx1, fy1 - lip)


def button(w, h, label, style='violet', ss=3, text_scale=0.54):
    cv = Canvas(w, h, ss)
    m = h * 0.04
    fx0, fy0, fx1, fy1 = draw_button_face(cv, m, m, w - m, h - m, style)
    fh = fy1 - fy0
    size = fit_text_size(label, (fx1 - fx0) * 0.80, fh * 0.82, int(fh * text_scale / 0.8))
    draw_text(cv, w / 2.0, (fy0 + fy1) / 2.0 + size * 0.02, label, size)
    cv.tame()
    return cv.image()


def arrow_button(w, h, direction='right', ss=3):
    """A button with a big arrow.  Built so that the left arrow still reads as a
    down arrow when squeezed into a square and turned a quarter turn."""
    cv = Canvas(w, h, ss)
    m = h * 0.04
    fx0, fy0, fx1, fy1 = draw_button_face(cv, m, m, w - m, h - m, 'violet')
    cx, cy = w / 2.0, (fy0 + fy1) / 2.0
    fh = fy1 - fy0
    L = min((fx1 - fx0) * 0.62, fh * 1.5)
    hh = fh * 0.34      # half height of the head
    sh = fh * 0.14      # half height of the shaft
    hl = L * 0.48       # head length
    s = 1 if direction == 'right' else -1
    tip = cx + s * L / 2
    base = tip - s * hl
    tail = cx - s * L / 2
    pts = [(tail, cy - sh), (base, cy - sh), (base, cy - hh), (tip, cy), (base, cy + hh), (base, cy + sh), (tail, cy + sh)]
    st = max(1.5, fh * 0.07)
    sm = cv.mask().poly([(x + fh * 0.03, y + fh * 0.05) for x, y in pts], grow=st)
    cv.paint(sm, OUT, 0.5)
    om = cv.mask().poly(pts, grow=st)
    cv.paint(om, OUT)
    fm = cv.mask().poly(pts)
    cv.paint(fm, vgrad(cy - hh, cy + hh, P.UI_TEXT_TOP, P.UI_TEXT_BOT))
    cv.tame()
    return cv.image()


def label(w, h, txt, band_y=0.356, size_frac=0.2):
    """Words on a transparent canvas, centred at band_y of the height.

    The options screen puts each label between its volume bar or
    buttons: Music Volume (centre y 22, bar at 20, arrows up to 19.5) wants its
    words at y 26 (band_y 0.358), SFX Volume (centre 2, bar at 0, arrows above
    at 10.5) at y 5.5 (0.376), Graphical Bloom (centre -19, arrows down to
    -14.5, On/Off up to -21.5) at y -18 (0.464); text about 4 units tall."""
    cv = Canvas(w, h, 3)
    size = fit_text_size(txt, w * 0.9, h * size_frac * 1.3, int(h * size_frac))
    draw_text(cv, w / 2.0, h * band_y, txt, size)
    cv.tame()
    return cv.image()


def confirmation(w, h, question, sub):
    """An 'Are you sure' card on a transparent 16:9 canvas.  The pause menu
    centres the canvas 0.3 of the screen's height above the middle, so its
    top fifth lies off the screen there; the Yes/No buttons start 0.22 of the
    canvas's height from its bottom.  The card keeps between the two."""
    cv = Canvas(w, h, 2)
    x0, y0, x1, y1 = w * 0.05, h * 0.25, w * 0.95, h * 0.76
    r = h * 0.08
    sh = cv.mask().rrect(x0, y0 + h * 0.02, x1, y1 + h * 0.02, r)
    cv.paint(sh.blurred(h * 0.02), OUT, 0.6)
    om = cv.mask().rrect(x0, y0, x1, y1, r)
    cv.paint(om, OUT)
    ow = h * 0.012
    fm = cv.mask().rrect(x0 + ow, y0 + ow, x1 - ow, y1 - ow, r - ow)
    cv.paint(fm, vgrad(y0, y1, (58, 38, 110), (32, 22, 66)))
    edge = cv.mask().rrect(x0 + ow, y0 + ow, x1 - ow, y1 - ow, r - ow)
    edge.subtract(cv.mask().rrect(x0 + ow * 3, y0 + ow * 3, x1 - ow * 3, y1 - ow * 3, r - ow * 3))
    cv.paint(edge, P.UI_PANEL_EDGE)
    tx = (x0 + (y1 - y0) * 0.55 + x1) / 2.0
    tw = ((x1 - x0) - (y1 - y0) * 0.62) * 0.9
    size = fit_text_size(question, tw, (y1 - y0) * 0.6, int(h * 0.15))
    draw_text(cv, tx, y0 + (y1 - y0) * 0.42, question, size)
    ssize = fit_text_size(sub, tw, (y1 - y0) * 0.2, int(h * 0.055))
    draw_text(cv, tx, y0 + (y1 - y0) * 0.80, sub, ssize, top=P.UI_SOFT_TEXT, bot=P.UI_SOFT_TEXT, shadow=False)
    cv.tame()
    # a worried little slime on the left (slime may glow)
    import characters as C
    C.draw_slime_alien(cv, x0 + (y1 - y0) * 0.34, (y0 + y1) / 2 + h * 0.02, (y1 - y0) * 0.5, 'normal', flip=True)
    return cv.image()


def cursor(size=128):
    """Arrow pointer; its tip is at 20 % from the left and 10 % from the top."""
    cv = Canvas(size, size, 4)
    s = size / 100.0
    tx, ty = 20 * s, 10 * s
    # classic pointer shape, pointing up-left, tilted slightly
    pts = [(0, 0), (0, 62), (15, 49), (26, 74), (38, 68), (27, 44), (47, 44)]
    import math
    ang = math.radians(-8)
    ca, sa = math.cos(ang), math.sin(ang)
    sc = 1.15
    P2 = [(tx + (x * ca - y * sa) * s * sc, ty + (x * sa + y * ca) * s * sc) for x, y in pts]
    st = 4.2 * s
    sm = cv.mask().poly([(x + 2.5 * s, y + 3.5 * s) for x, y in P2], grow=st)
    cv.paint(sm.blurred(1.5 * s), OUT, 0.5)
    om = cv.mask().poly(P2, grow=st)
    cv.paint(om, OUT)
    fm = cv.mask().poly(P2)
    cv.paint(fm, vgrad(ty, ty + 70 * s, (150, 245, 0), (40, 170, 60)))
    # highlight along the left edge
    hm = cv.mask().line([(tx + 4 * s, ty + 12 * s), (tx + 4.5 * s, ty + 44 * s)], 3.0 * s)
    hm.intersect(fm)
    cv.paint(hm, (200, 255, 120), 0.7)
    cv.tame()
    return cv.image()


def bar(colour_top, colour_bot, w=16, h=32):
    """A flat fill for the options volume bars (stretched freely in x)."""
    cv = Canvas(w, h, 2)
    cv.paint(cv.mask().rect(0, 0, w, h), vgrad(0, h, colour_top, colour_bot))
    cv.paint(cv.mask().rect(0, 0, w, h * 0.12), OUT, 0.9)
    cv.paint(cv.mask().rect(0, h * 0.88, w, h), OUT, 0.9)
    cv.paint(cv.mask().rect(0, h * 0.14, w, h * 0.3), (255, 255, 255), 0.18)
    cv.tame()
    return cv.image()


def solid(colour, w=16, h=16):
    cv = Canvas(w, h, 1)
    cv.paint(cv.mask().rect(0, 0, w, h), colour)
    return cv.image()
