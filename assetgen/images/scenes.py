"""Full-screen pictures: the menu backdrop frame, the title screen and the intro slides."""

import math
import numpy as np
from gfx import Canvas, OUT, vgrad, rgrad, mix, pillow_shade, font
from ui import draw_text, fit_text_size
import characters as C
import icons as I
import palette as P


# ------------------------------------------------------------------ helpers

def sky(cv, top=P.SKY_TOP, mid=P.SKY_MID, low=P.SKY_LOW):
    h = cv.h
    m = cv.mask().rect(0, 0, cv.w, cv.h)
    cv.paint(m, vgrad(0, h * 0.6, top, mid))
    m2 = cv.mask().rect(0, h * 0.6, cv.w, cv.h)
    cv.paint(m2, vgrad(h * 0.6, h, mid, low))


def nebula(cv, rs, n=14, colours=((90, 40, 150), (30, 90, 140), (120, 40, 120)), alpha=0.35, region=None):
    x0, y0, x1, y1 = region or (0, 0, cv.w, cv.h)
    for i in range(n):
        m = cv.mask()
        cx, cy = rs.uniform(x0, x1), rs.uniform(y0, y1)
        for j in range(5):
            m.ellipse(cx + rs.uniform(-1, 1) * cv.w * 0.08, cy + rs.uniform(-1, 1) * cv.h * 0.06,
                      rs.uniform(0.05, 0.14) * cv.w, rs.uniform(0.04, 0.1) * cv.h)
        m = m.blurred(cv.w * 0.04)
        cv.paint(m, colours[i % len(colours)], alpha * rs.uniform(0.4, 1.0))


def stars(cv, rs, n, region=None, big=6, colour=(150, 150, 170)):
    x0, y0, x1, y1 = region or (0, 0, cv.w, cv.h)
    m = cv.mask()
    scale = cv.w / 1750.0
    for i in range(n):
        x, y = rs.uniform(x0, x1), rs.uniform(y0, y1)
        r = rs.choice([0.8, 1.0, 1.2, 1.6, 2.2]) * scale * 1.2
        m.circle(x, y, r, value=int(rs.uniform(120, 255)))
    cv.paint(m, colour)
    for i in range(big):
        x, y = rs.uniform(x0, x1), rs.uniform(y0, y1)
        C.draw_glint(cv, x, y, rs.uniform(6, 12) * scale, colour=(180, 176, 200))


def hills(cv, rs, base_y, amp, colour, n=6, top_colour=None, seed_phase=0.0):
    w, h = cv.w, cv.h
    pts = [(0, h)]
    for i in range(0, 121):
        x = w * i / 120.0
        y = base_y
        for k in range(1, n + 1):
            y -= amp / k * math.sin(x / w * math.pi * (k * 1.3 + 0.7) + seed_phase * k + k * 1.7)
        pts.append((x, y))
    pts.append((w, h))
    m = cv.mask().poly(pts)
    if top_colour:
        cv.paint(m, vgrad(base_y - amp, h, top_colour, colour))
    else:
        cv.paint(m, colour)
    edge = cv.mask().line(pts[1:-1], 3.0 * w / 1750.0)
    cv.paint(edge, OUT, 0.8)
    return pts


def slime_drips(cv, y, x0, x1, rs, thick=14, count=9, colour=P.SLIME):
    """A band of glowing slime with a wavy lower edge and round drips hanging from it."""
    m = cv.mask().rrect(x0, y - thick, x1, y, thick * 0.5)
    x = x0 + thick
    while x < x1 - thick:
        r = rs.uniform(thick * 0.45, thick * 0.9)
        m.circle(x, y - thick * 0.15, r)
        x += r * rs.uniform(1.2, 1.9)
    for i in range(count):
        x = rs.uniform(x0 + thick * 2, x1 - thick * 2)
        L = rs.uniform(thick * 0.9, thick * 3.4)
        r = rs.uniform(thick * 0.32, thick * 0.55)
        m.poly([(x - r * 1.5, y - thick * 0.3), (x + r * 1.5, y - thick * 0.3), (x + r * 0.55, y + L), (x - r * 0.55, y + L)])
        m.circle(x, y + L, r)
    o = m.dilated(2.5 * cv.w / 1750.0)
    cv.paint(o, OUT)
    cv.paint(m, vgrad(y - thick, y + thick * 3, colour, P.SLIME_DARK))
    # highlights
    hm = cv.mask().rect(x0 + thick, y - thick * 0.8, x1 - thick, y - thick * 0.5)
    hm.intersect(m)
    cv.paint(hm, P.SLIME_LIGHT, 0.7)


def planet(cv, cx, cy, r, base=(96, 70, 170), ring=True):
    if ring:
        rm = cv.mask().ellipse(cx, cy, r * 1.9, r * 0.42)
        rm.subtract(cv.mask().ellipse(cx, cy, r * 1.55, r * 0.3))
        back = rm.copy().intersect(cv.mask().rect(cx - r * 2, cy - r, cx + r * 2, cy))
        cv.paint(back, (120, 96, 60), 0.8)
    om = cv.mask().circle(cx, cy, r, grow=3)
    cv.paint(om, OUT)
    pm = cv.mask().circle(cx, cy, r)
    pillow_shade(cv, pm, base, radius=r * 0.6, ambient=0.6, diffuse=0.6, spec=0.05, dark=(30, 20, 60))
    # craters
    for dx, dy, rr in ((-0.3, -0.2, 0.16), (0.25, 0.3, 0.12), (0.35, -0.35, 0.08), (-0.1, 0.45, 0.09)):
        cm = cv.mask().circle(cx + dx * r, cy + dy * r, rr * r)
        cv.paint(cm, mix(base, OUT, 0.35), 0.6)
    if ring:
        front = rm.copy().intersect(cv.mask().rect(cx - r * 2, cy, cx + r * 2, cy + r))
        fo = front.dilated(2)
        cv.paint(fo, OUT, 0.8)
        cv.paint(front, (170, 130, 70))


# ------------------------------------------------------------------ menu backdrop

def menu_backdrop(w=1750, h=1000):
    """Background.png: a starry vignette with no frame lines, corner pieces or
    drips.  The menus lay their buttons and labels right up to the window's
    edges and the credits roll from top to bottom, so nothing may cross them;
    the intro draws a second, slightly larger copy over its slides, so any
    hard shape would show twice.  Every pixel stays translucent (alpha under
    one half): the middle lets the intro slides through, and the edges only
    deepen the sky."""
    cv = Canvas(w, h, 2)
    rs = np.random.RandomState(7)
    sky(cv, (16, 10, 38), (34, 22, 72), (50, 28, 90))
    nebula(cv, rs, 12, alpha=0.45)
    stars(cv, rs, 420, big=10)
    X, Y = cv.grid()
    rx = (X - w / 2) / (w / 2)
    ry = (Y - h / 2) / (h / 2)
    rad = np.clip(np.sqrt(rx * rx * 0.7 + ry * ry * 0.3), 0, 1)
    alpha = (0.2 + 0.26 * rad ** 2).astype(np.float32)
    cv.alpha_multiply(alpha)
    cv.tame()
    return cv.image()


# ------------------------------------------------------------------ title screen

def title_logo(cv, cx, cy, size, rs):
    txt = 'VENDRABOLT'
    # drips under the title letters (glow)
    fm = cv.mask().text(cx, cy, txt, size)
    box = fm.bbox()
    x0, y0, x1, y1 = [v / cv.ss for v in box]
    # extruded 3-D letters
    for i in range(10, 0, -1):
        em = cv.mask().text(cx + i * size * 0.006, cy + i * size * 0.012, txt, size, grow=size * 0.05)
        cv.paint(em, mix((60, 30, 120), OUT, 0.4 + 0.06 * i))
    om = cv.mask().text(cx, cy, txt, size, grow=size * 0.05)
    cv.paint(om, OUT)
    cv.paint(fm, vgrad(y0, y1, (252, 190, 0), (232, 96, 20)))
    # shine on the upper half of the letters
    sm = fm.copy().intersect(cv.mask().rect(x0, y0, x1, y0 + (y1 - y0) * 0.38))
    cv.paint(sm, (255, 230, 120), 0.35)
    cv.tame(box=(x0 - size, y0 - size, x1 + size, y1 + size))
    # slime oozing over the top of the letters, with drips running down (glows)
    dm = cv.mask()
    band = cv.mask().rect(x0 - size, y0 - size * 0.1, x1 + size, y0 + size * 0.11)
    cap = fm.dilated(size * 0.025).intersect(band)
    dm.union(cap)
    xs = np.linspace(x0 + size * 0.25, x1 - size * 0.25, 11)
    for x in xs:
        x += rs.uniform(-0.12, 0.12) * size
        L = rs.uniform(size * 0.12, size * 0.34)
        r = rs.uniform(size * 0.03, size * 0.05)
        col = fm.copy().intersect(cv.mask().rect(x - r * 2.2, y0, x + r * 2.2, y0 + L + r))
        if col.bbox() is None:
            continue
        dm.poly([(x - r * 1.6, y0 + size * 0.06), (x + r * 1.6, y0 + size * 0.06), (x + r * 0.7, y0 + L), (x - r * 0.7, y0 + L)])
        dm.circle(x, y0 + L, r)
    cv.paint(dm.dilated(size * 0.014), OUT)
    cv.paint(dm, vgrad(y0 - size * 0.05, y0 + size * 0.35, P.SLIME_LIGHT, P.SLIME))
    hl = dm.copy().intersect(cv.mask().rect(x0 - size, y0 - size * 0.08, x1 + size, y0 - size * 0.02))
    cv.paint(hl, (235, 255, 220), 0.6)
    return (x0, y0, x1, y1)


def main_menu(w=1750, h=1000):
    """MainMenu.png: the title picture (175 x 100 units; 10 px per unit).
    Buttons go at the right (x 1415..1635, y 365..895 px) and the Play button at
    the lower left (x 125..525, y 655..885 px); the picture keeps those clear."""
    cv = Canvas(w, h, 2)
    rs = np.random.RandomState(1234)
    sky(cv)
    nebula(cv, rs, 16, alpha=0.4)
    stars(cv, rs, 520, region=(0, 0, w, h * 0.75), big=14)
    planet(cv, 1500, 175, 105)
    # a small moon
    mm = cv.mask().circle(1210, 120, 30, grow=3)
    cv.paint(mm, OUT)
    pillow_shade(cv, cv.mask().circle(1210, 120, 30), (120, 110, 150), radius=16, ambient=0.6, diffuse=0.6, spec=0.05)
    # far and near hills
    hills(cv, rs, h * 0.74, h * 0.05, (44, 30, 86), seed_phase=0.3, top_colour=(64, 44, 118))
    pts = hills(cv, rs, h * 0.84, h * 0.035, (28, 20, 56), seed_phase=1.9, top_colour=(48, 34, 92))
    cv.tame()
    # glowing slime pools on the near hills
    for x, wdt in ((600, 120), (980, 90), (1300, 70)):
        y = min(p[1] for p in pts if abs(p[0] - x) < wdt) + 6
        pm = cv.mask().ellipse(x, y + 8, wdt, 14)
        cv.paint(pm.dilated(3), OUT)
        cv.paint(pm, vgrad(y - 6, y + 22, P.SLIME_LIGHT, P.SLIME))
    # floating platform with the goal zone glow
    px0, px1, py = 700, 1180, 560
    zm = cv.mask().rect(px0 + 110, py - 150, px1 - 110, py)
    cv.paint(zm, vgrad(py - 150, py, (124, 242, 92, 0), (124, 242, 92, 110)))
    plat = cv.mask().rrect(px0, py, px1, py + 38, 16, grow=4)
    cv.paint(plat, OUT)
    pl = cv.mask().rrect(px0, py, px1, py + 38, 16)
    pillow_shade(cv, pl, (90, 70, 140), radius=10, ambient=0.8, spec=0.1, dark=(40, 28, 70))
    grass = cv.mask().rrect(px0, py, px1, py + 12, 6)
    cv.paint(grass, (60, 170, 80))
    cv.tame(box=(px0 - 10, py - 10, px1 + 10, py + 50))
    # zone edge lines (glow)
    for xx in (px0 + 110, px1 - 110):
        lm = cv.mask().rect(xx - 3, py - 150, xx + 3, py)
        cv.paint(lm, vgrad(py - 150, py, (124, 242, 92, 0), (150, 255, 110, 255)))
    # characters
    ground = lambda x: min(p[1] for p in pts if abs(p[0] - x) < 40)
    sprite_c = Canvas(w, h, 2)
    C.draw_player(sprite_c, 860, py - 58, 120, 'Blue')
    C.draw_player(sprite_c, 1010, py - 58, 120, 'Yellow', flip=True)
    C.draw_player(sprite_c, 745, ground(745) - 62, 130, 'Red')
    C.draw_player(sprite_c, 1250, ground(1250) - 250, 124, 'Grey', flip=True)
    # red's punch
    C.draw_fist(sprite_c, 845, ground(745) - 70, 46, 'Red', ow=7)
    sprite_c.tame()
    cv.paste_canvas(sprite_c, 0, 0)
    C.draw_slime_alien(cv, 1130, ground(1130) - 44, 92, 'normal')
    C.draw_slime_alien(cv, 615, ground(615) - 40, 84, 'normal', flip=True)
    C.draw_slime_alien(cv, 1128, py - 34, 66, 'golden')
    C.draw_meteor(cv, 380, 420, 90)
    # meteor trail
    for i in range(6):
        tm = cv.mask().circle(380 - 40 - i * 26, 420 - 30 - i * 20, 18 - i * 2.5)
        cv.paint(tm, P.SLIME, 0.5 - i * 0.07)
    # title
    title_logo(cv, 730, 200, 158, rs)
    sub = 'Stomp slime.  Punch rivals.  Fill your jar!'
    draw_text(cv, 730, 330, sub, 42, top=(190, 178, 40), bot=(170, 150, 40))
    return cv.image()


# ------------------------------------------------------------------ intro slides (157 x 90 units)

SLIDE_W, SLIDE_H = 1570, 900


def slide_studio():
    """Halvaro_WHITE.png: a white studio logo on a transparent ground."""
    cv = Canvas(SLIDE_W, SLIDE_H, 2)
    cx, cy = SLIDE_W / 2, SLIDE_H / 2 - 40
    white = (138, 136, 134)
    # emblem: a hexagon with an H made of two bolts
    R = 150
    hexp = [(cx + R * math.cos(math.radians(90 + 60 * i)), cy - 150 + R * math.sin(math.radians(90 + 60 * i))) for i in range(6)]
    om = cv.mask().poly(hexp, grow=10)
    cv.paint(om, OUT, 0.7)
    hm = cv.mask().poly(hexp)
    inner = [(cx + (R - 22) * math.cos(math.radians(90 + 60 * i)), cy - 150 + (R - 22) * math.sin(math.radians(90 + 60 * i))) for i in range(6)]
    hm.subtract(cv.mask().poly(inner))
    cv.paint(hm, white)
    hh = cv.mask().rrect(cx - 70, cy - 230, cx - 32, cy - 70, 10).rrect(cx + 32, cy - 230, cx + 70, cy - 70, 10)
    cv.paint(hh, white)
    bolt = cv.mask().poly([(cx - 46, cy - 168), (cx + 12, cy - 182), (cx - 4, cy - 152), (cx + 46, cy - 136), (cx - 14, cy - 118), (cx + 4, cy - 148)])
    cv.paint(bolt.dilated(5), OUT)
    cv.paint(bolt, P.UI_TEXT_TOP)
    size = 170
    sm = cv.mask().text(cx, cy + 110, 'HALVARO', size, grow=8)
    cv.paint(sm, OUT, 0.7)
    tm = cv.mask().text(cx, cy + 110, 'HALVARO', size)
    cv.paint(tm, white)
    lm = cv.mask().rect(cx - 430, cy + 220, cx + 430, cy + 228)
    cv.paint(lm, white)
    sm2 = cv.mask().text(cx, cy + 285, 'I N T E R A C T I V E', 54)
    cv.paint(sm2, white)
    cv.tame()
    return cv.image()


def slide_team():
    """LogoForPravet.png: the team / game logo."""
    cv = Canvas(SLIDE_W, SLIDE_H, 2)
    rs = np.random.RandomState(99)
    cx, cy = SLIDE_W / 2, SLIDE_H / 2
    # round badge
    bm = cv.mask().circle(cx, cy - 120, 190, grow=10)
    cv.paint(bm, OUT)
    b = cv.mask().circle(cx, cy - 120, 190)
    cv.paint(b, rgrad(cx - 60, cy - 200, 260, (84, 56, 160), (40, 26, 84)))
    ring = cv.mask().circle(cx, cy - 120, 178).subtract(cv.mask().circle(cx, cy - 120, 166))
    cv.paint(ring, P.UI_TEXT_TOP)
    stars(cv, rs, 40, region=(cx - 150, cy - 280, cx + 150, cy - 20), big=2)
    # badge mask: keep stars inside
    C.draw_player(cv, cx - 88, cy - 112, 180, 'Red')
    C.draw_fist(cv, cx + 8, cy - 108, 54, 'Red', ow=7)
    cv.tame()
    C.draw_slime_alien(cv, cx + 92, cy - 78, 140, 'normal')
    draw_text(cv, cx, cy + 170, 'TEAM PRAVET', 150)
    draw_text(cv, cx, cy + 290, 'makers of VENDRABOLT', 56, top=(188, 178, 40), bot=(170, 150, 40))
    return cv.image()


def slide_controller():
    """controllerRecommended.png: 'game controller recommended'."""
    cv = Canvas(SLIDE_W, SLIDE_H, 2)
    cx, cy = SLIDE_W / 2, SLIDE_H / 2
    I.draw_pad(cv, cx, cy - 150, 560)
    cv.tame()
    draw_text(cv, cx, cy + 170, 'Game controller recommended', 96)
    # the narrowest window (5:3) shows about 95 % of the slide's width
    t = 'Up to 4 players, one pad each.  No pad?  Player 1 plays on the keyboard.'
    draw_text(cv, cx, cy + 280, t, fit_text_size(t, SLIDE_W * 0.84, 60, 46), top=(188, 178, 40), bot=(170, 150, 40))
    return cv.image()


def slide_audio():
    """FMOD_Logo_Black.png: a neutral audio credit slide (dark letters on a
    light card).  The project's own image, no vendor logo."""
    cv = Canvas(SLIDE_W, SLIDE_H, 2)
    cx, cy = SLIDE_W / 2, SLIDE_H / 2
    x0, y0, x1, y1 = cx - 560, cy - 250, cx + 560, cy + 250
    sh = cv.mask().rrect(x0 + 10, y0 + 16, x1 + 10, y1 + 16, 60)
    cv.paint(sh.blurred(14), OUT, 0.6)
    om = cv.mask().rrect(x0, y0, x1, y1, 60, grow=8)
    cv.paint(om, OUT)
    card = cv.mask().rrect(x0, y0, x1, y1, 60)
    cv.paint(card, vgrad(y0, y1, (146, 136, 126), (118, 108, 124)))
    ink = (24, 18, 36)
    # speaker with sound waves
    sx, sy = x0 + 250, cy - 20
    spk = cv.mask().rect(sx - 90, sy - 45, sx - 40, sy + 45).poly([(sx - 45, sy - 45), (sx + 30, sy - 115), (sx + 30, sy + 115), (sx - 45, sy + 45)])
    cv.paint(spk, ink)
    for i, r in enumerate((70, 115, 160)):
        arc = cv.mask()
        pts = [(sx + 20 + r * math.cos(math.radians(a)), sy + r * math.sin(math.radians(a))) for a in range(-50, 51, 5)]
        arc.line(pts, 20)
        cv.paint(arc, ink)
    tm = cv.mask().text(x0 + 470, cy - 70, 'SOUND', 170, anchor='lm')
    cv.paint(tm, ink)
    tm2 = cv.mask().text(x0 + 478, cy + 70, 'Effects and music\nsynthesised for Vendrabolt', 50, anchor='lm', align='left')
    cv.paint(tm2, (60, 44, 96))
    cv.tame()
    return cv.image()
