"""The five how-to-play pages (htp_1.png .. htp_5.png), 1280 x 720 (16:9).

Drawn at (0, 1000) scaled 80 x 45 on a 60-unit-tall camera; the
Back button sits on the bottom-left corner (x < 160, y > 608 px) and the arrow
/ Play buttons on the lower right (x > 1136, y > 448 px).  The page is cut
away around both corners, so the buttons stand beside its border rather than
across it.  The controls shown are the game's pad and keyboard bindings."""

import math
import numpy as np
from gfx import Canvas, OUT, vgrad, rgrad, mix, font, pillow_shade
from ui import draw_text, fit_text_size
import characters as C
import icons as I
import hud
import palette as P

W, H = 1280, 720
SS = 2
GOLD = P.UI_TEXT_TOP
TEXT = P.UI_BODY_TEXT
SOFT = P.UI_SOFT_TEXT


# ------------------------------------------------------------------ text

def rich(cv, x, y, width, text, size, colour=TEXT, accent=GOLD, line_gap=1.28, stroke=None):
    """Left-aligned wrapped text; words between *stars* are drawn in the accent colour.
    Returns the y below the last line."""
    if stroke is None:
        stroke = max(1.0, size * 0.08)
    f = font(size * cv.ss)
    space = f.getlength(' ') / cv.ss
    # words -> lists of (segment, accent) ; '*' toggles the accent colour
    words = []
    hot = False
    for raw in text.split(' '):
        if raw == '':
            continue
        segs, cur = [], ''
        for ch in raw:
            if ch == '*':
                if cur:
                    segs.append((cur, hot))
                cur = ''
                hot = not hot
            else:
                cur += ch
        if cur:
            segs.append((cur, hot))
        wl = sum(f.getlength(t) for t, _ in segs) / cv.ss
        words.append((segs, wl))
    lines, cur, cw = [], [], 0.0
    for segs, wl in words:
        if cur and cw + space + wl > width:
            lines.append(cur)
            cur, cw = [], 0.0
        cur.append((segs, wl))
        cw += (space if len(cur) > 1 else 0) + wl
    if cur:
        lines.append(cur)
    yy = y + size
    for line in lines:
        xx = x
        for segs, wl in line:
            for t, h in segs:
                om = cv.mask().text(xx, yy, t, size, anchor='ls', grow=stroke)
                cv.paint(om, OUT)
                fm = cv.mask().text(xx, yy, t, size, anchor='ls')
                cv.paint(fm, accent if h else colour)
                xx += f.getlength(t) / cv.ss
            xx += space
        yy += size * line_gap
    return yy - size + size * 0.3


def heading(cv, x, y, txt, size=40, anchor='lm'):
    draw_text(cv, x, y, txt, size, anchor=anchor)


# ------------------------------------------------------------------ page frame

# the corners left to the buttons (final px, with a gap around them)
BACK_CORNER = (0, 596, 176, H)
ARROW_CORNER = (1122, 434, W, H)


def page_shape(cv, inset, radius):
    """The page's outline, `inset` px inside the canvas edge, with the two
    button corners cut away."""
    m = cv.mask().rrect(inset, inset, W - inset, H - inset, radius)
    for x0, y0, x1, y1 in (BACK_CORNER, ARROW_CORNER):
        # sides on the canvas edge reach well past it, so only the inner
        # corner of the cut is rounded
        x0 = x0 - inset - (60 if x0 <= 0 else 0)
        x1 = x1 + inset + (60 if x1 >= W else 0)
        m.subtract(cv.mask().rrect(x0, y0 - inset, x1, y1 + 60, radius))
    return m


def page_frame(title, number):
    cv = Canvas(W, H, SS)
    m = 6
    cv.paint(page_shape(cv, m, 40).dilated(5), OUT)
    pm = page_shape(cv, m, 40)
    cv.paint(pm, vgrad(0, H, (52, 34, 100), (26, 18, 56)))
    rs = np.random.RandomState(number * 17)
    sm = cv.mask()
    for i in range(70):
        sm.circle(rs.uniform(30, W - 30), rs.uniform(30, H - 30), rs.uniform(0.8, 1.8), value=int(rs.uniform(60, 160)))
    cv.paint(sm.intersect(pm), (130, 120, 160))
    edge = page_shape(cv, m + 8, 34)
    edge.subtract(page_shape(cv, m + 13, 30))
    cv.paint(edge, P.UI_PANEL_EDGE, 0.9)
    # header
    heading(cv, 60, 66, title, 58)
    draw_text(cv, W - 70, 66, '%d / 5' % number, 34, top=SOFT, bot=SOFT, anchor='rm', shadow=False)
    lm = cv.mask().rrect(50, 110, W - 50, 115, 2)
    cv.paint(lm, P.UI_PANEL_EDGE)
    return cv


def panel(cv, x0, y0, x1, y1, fill=(36, 24, 74)):
    om = cv.mask().rrect(x0, y0, x1, y1, 22, grow=3)
    cv.paint(om, OUT)
    pm = cv.mask().rrect(x0, y0, x1, y1, 22)
    cv.paint(pm, vgrad(y0, y1, mix(fill, (70, 50, 130), 0.3), fill))


def layer(cv, fn):
    """Draw fn(sub) on a fresh layer, keep it under the bloom threshold, composite."""
    sub = Canvas(W, H, SS)
    fn(sub)
    sub.tame()
    cv.paste_canvas(sub, 0, 0)


def pill(cv, x, y, txt, h=44, style=(70, 64, 96)):
    f = font(h * 0.5 * cv.ss)
    w = f.getlength(txt) / cv.ss + h * 0.7
    om = cv.mask().rrect(x, y - h / 2, x + w, y + h / 2, h * 0.3, grow=3)
    cv.paint(om, OUT)
    pm = cv.mask().rrect(x, y - h / 2, x + w, y + h / 2, h * 0.3)
    cv.paint(pm, vgrad(y - h / 2, y + h / 2, mix(style, (160, 150, 190), 0.25), style))
    tm = cv.mask().text(x + w / 2, y + 1, txt, h * 0.5)
    cv.paint(tm, (190, 180, 38))
    return x + w


def arrow(cv, pts, width=8, colour=GOLD, head=22):
    m = cv.mask().line(pts, width)
    (xa, ya), (xb, yb) = pts[-2], pts[-1]
    a = math.atan2(yb - ya, xb - xa)
    hp = [(xb + math.cos(a) * head * 0.6, yb + math.sin(a) * head * 0.6),
          (xb + math.cos(a + 2.4) * head, yb + math.sin(a + 2.4) * head),
          (xb + math.cos(a - 2.4) * head, yb + math.sin(a - 2.4) * head)]
    m.poly(hp)
    cv.paint(m.dilated(3), OUT)
    cv.paint(m, colour)


def dotted_arc(cv, pts, r=4, colour=(170, 160, 120), step=3):
    m = cv.mask()
    for i in range(0, len(pts), step):
        m.circle(pts[i][0], pts[i][1], r)
    cv.paint(m, colour)


def wall_tiles(cv, x0, y0, x1, y1, base=(70, 60, 110)):
    t = 40
    y = y0
    while y < y1 - 1:
        x = x0
        while x < x1 - 1:
            om = cv.mask().rrect(x, y, min(x + t, x1), min(y + t, y1), 6, grow=1.5)
            cv.paint(om, OUT)
            tm = cv.mask().rrect(x + 1.5, y + 1.5, min(x + t, x1) - 1.5, min(y + t, y1) - 1.5, 5)
            cv.paint(tm, vgrad(y, y + t, mix(base, (150, 140, 190), 0.25), base))
            x += t
        y += t


def portal(cv, cx, cy, r):
    for i, (col, k) in enumerate((((90, 40, 200), 1.0), ((60, 110, 240), 0.78), ((170, 90, 255), 0.56), ((230, 200, 255), 0.3))):
        m = cv.mask().ellipse(cx, cy, r * k, r * k * 1.25)
        if i == 0:
            cv.paint(m.dilated(3), OUT)
        cv.paint(m, col)
    # swirl
    pts = [(cx + math.cos(t * 5) * r * 0.9 * (1 - t / 3.2), cy + math.sin(t * 5) * r * 1.12 * (1 - t / 3.2)) for t in np.linspace(0, 2.8, 60)]
    sm = cv.mask().line(pts, r * 0.08)
    cv.paint(sm, (240, 220, 255), 0.7)


# ------------------------------------------------------------------ page 1: controls

def page_controls():
    cv = page_frame('CONTROLS', 1)
    cols = (330, 740)  # pad column x, keyboard column x
    draw_text(cv, cols[0], 150, 'GAME PAD', 34, top=SOFT, bot=SOFT, anchor='lm', shadow=False)
    draw_text(cv, cols[1], 150, 'KEYBOARD', 34, top=SOFT, bot=SOFT, anchor='lm', shadow=False)
    rows = [('MOVE', 230), ('JUMP', 340), ('PUNCH', 450), ('PAUSE', 560)]
    for name, y in rows:
        rm = cv.mask().rrect(50, y - 48, 1108 if y > 430 else 1120, y + 48, 18)
        cv.paint(rm, (70, 50, 130), 0.35)
        heading(cv, 75, y, name, 44)

    def art(s):
        # MOVE
        I.draw_stick(s, cols[0] + 36, 230, 76, 'L', ow=5)
        s2 = rich(s, cols[0] + 86, 210, 280, 'Left stick', 30)
        I.draw_keyboard_cluster(s, cols[1], 186, 40)
        rich(s, cols[1] + 140, 210, 40, 'or', 28, colour=SOFT)
        kx = cols[1] + 185
        for i, k in enumerate('WASD'):
            pass
        I.draw_key(s, kx + 50, 184, kx + 90, 224, 'W')
        for i, k in enumerate('ASD'):
            I.draw_key(s, kx + i * 50, 234, kx + i * 50 + 40, 274, k)
        # JUMP
        I.draw_face_button(s, cols[0] + 36, 340, 72, 'A', ow=5)
        rich(s, cols[0] + 86, 320, 300, 'A button', 30)
        I.draw_key(s, cols[1], 316, cols[1] + 230, 366, 'Space', hi=True)
        # PUNCH
        x = cols[0]
        for L in 'BX':
            I.draw_face_button(s, x + 30, 450, 60, L, ow=5)
            x += 66
        x = pill(s, x + 4, 450, 'LB')
        x = pill(s, x + 8, 450, 'RB')
        x = pill(s, x + 8, 450, 'LT')
        x = pill(s, x + 8, 450, 'RT')
        I.draw_key(s, cols[1], 424, cols[1] + 52, 476, 'Z', hi=True)
        rich(s, cols[1] + 70, 430, 320, 'aim with the *arrows*', 26, colour=SOFT)
        # PAUSE
        pill(s, cols[0], 560, 'START', h=48)
        I.draw_key(s, cols[1], 534, cols[1] + 70, 586, 'Esc', hi=True)
    layer(cv, art)
    rich(cv, 185, 618, 930,
         'Each game pad plays its own alien: up to *4 players*. With no pad, the keyboard plays *Player 1*. '
         'Aim punches up, down, left or right with the stick.', 25, colour=SOFT)
    cv.tame()
    return cv.image()


# ------------------------------------------------------------------ page 2: moving around

def page_moving():
    cv = page_frame('MOVING AROUND', 2)
    boxes = [(55, 132, 585, 362), (605, 132, 1135, 362), (55, 378, 585, 580), (605, 378, 1108, 580)]
    for b in boxes:
        panel(cv, *b)
    # texts
    x0, y0 = boxes[0][0], boxes[0][1]
    heading(cv, x0 + 24, y0 + 34, 'Double jump', 36)
    rich(cv, x0 + 24, y0 + 60, 250, 'Press *jump* again while in the air for a second jump.', 25)
    x0, y0 = boxes[1][0], boxes[1][1]
    heading(cv, x0 + 24, y0 + 34, 'Wall jump & climb', 36)
    rich(cv, x0 + 24, y0 + 60, 280, 'Jump while touching a wall to kick off it. Hold *jump* and keep pushing *toward the wall* to climb.', 25)
    x0, y0 = boxes[2][0], boxes[2][1]
    heading(cv, x0 + 24, y0 + 34, 'Drop through', 36)
    rich(cv, x0 + 24, y0 + 60, 270, 'On a thin platform hold *down* and press *jump* to fall through it.', 25)
    x0, y0 = boxes[3][0], boxes[3][1]
    heading(cv, x0 + 24, y0 + 34, 'Off the edge', 36)
    rich(cv, x0 + 24, y0 + 60, 260, 'Leave the screen and you zip back to *your start point*.', 25)
    rich(cv, 185, 612, 930, 'Tip: *hold jump* to jump higher. Hold the stick to run; let go and you stop at once.', 25, colour=SOFT)
    cv.tame()

    def art(s):
        # double jump: a first jump, a puff in mid-air, and a second jump
        bx = boxes[0]
        gy = bx[3] - 30
        sx = bx[0] + 300
        p1 = [(sx + t * 80, gy - (1 - (1 - t) ** 2) * 80) for t in np.linspace(0, 1, 16)]
        p2 = [(sx + 80 + t * 60, gy - 80 - (1 - (1 - t) ** 2) * 50) for t in np.linspace(0, 1, 12)]
        dotted_arc(s, p1, 4, step=2)
        dotted_arc(s, p2, 4, step=2)
        puff = s.mask().circle(sx + 80, gy - 76, 16).subtract(s.mask().circle(sx + 80, gy - 76, 10))
        s.paint(puff, (170, 160, 120))
        ground = s.mask().rrect(sx - 40, gy, sx + 40, gy + 10, 4)
        s.paint(ground, (110, 90, 160))
        C.draw_player(s, sx + 170, gy - 150, 72, 'Blue')
        draw_text(s, sx + 100, gy - 170, 'x2', 40)
        # wall jump: a wall at the right edge of the panel, player kicking off it
        bx = boxes[1]
        wall_tiles(s, bx[2] - 80, bx[1] + 10, bx[2] - 12, bx[3] - 10)
        C.draw_player(s, bx[2] - 124, bx[3] - 70, 80, 'Yellow')
        arc = [(bx[2] - 150 - t * 64, bx[3] - 96 - math.sin(t * math.pi * 0.8) * 60) for t in np.linspace(0, 1, 16)]
        arrow(s, arc, 7)
        # drop through: thin platform and a player falling through
        bx = boxes[2]
        pyy = bx[1] + 120
        pl = s.mask().rrect(bx[0] + 330, pyy, bx[2] - 30, pyy + 16, 6, grow=3)
        s.paint(pl, OUT)
        s.paint(s.mask().rrect(bx[0] + 330, pyy, bx[2] - 30, pyy + 16, 6), (110, 90, 160))
        s.paint(s.mask().rrect(bx[0] + 330, pyy, bx[2] - 30, pyy + 6, 3), (70, 170, 80))
        C.draw_player(s, bx[0] + 420, pyy + 50, 74, 'Red')
        arrow(s, [(bx[0] + 480, pyy - 40), (bx[0] + 480, pyy + 60)], 7)
        # off the edge: screen frame and a streak back
        bx = boxes[3]
        fx0, fy0, fx1, fy1 = bx[0] + 290, bx[1] + 40, bx[2] - 24, bx[3] - 24
        fr = s.mask().rrect(fx0, fy0, fx1, fy1, 10, grow=3).subtract(s.mask().rrect(fx0, fy0, fx1, fy1, 10))
        s.paint(fr, (150, 140, 110))
        C.draw_player(s, fx1 + 2, fy1 - 40, 56, 'Grey')
        flag = s.mask().line([(fx0 + 40, fy1 - 10), (fx0 + 40, fy1 - 70)], 4).poly([(fx0 + 42, fy1 - 70), (fx0 + 72, fy1 - 60), (fx0 + 42, fy1 - 50)])
        s.paint(flag.dilated(2), OUT)
        s.paint(flag, GOLD)
        pts = [(fx1 - 20 - t * (fx1 - fx0 - 90), fy1 - 60 - math.sin(t * math.pi) * 60) for t in np.linspace(0, 1, 24)]
        dotted_arc(s, pts, 3.5, step=2)
    layer(cv, art)
    return cv.image()


# ------------------------------------------------------------------ page 3: punch and slime

def page_punch_slime():
    cv = page_frame('PUNCH & GRAB SLIME', 3)
    lb = (55, 132, 585, 580)
    rb = (605, 132, 1108, 580)
    panel(cv, *lb)
    panel(cv, *rb)
    heading(cv, lb[0] + 24, lb[1] + 34, 'Punch!', 38)
    rich(cv, lb[0] + 24, lb[1] + 312, 480,
         'Punch with *B*, *X*, a *bumper* or a *trigger* (keyboard *Z*). A hit knocks your rival back, '
         'stuns them and knocks *up to 2 slimes* out of them.', 25)
    heading(cv, rb[0] + 24, rb[1] + 34, 'Grab slime', 38)
    rich(cv, rb[0] + 24, rb[1] + 312, 470,
         '*Land on* a slime alien to take its slime. You carry up to *5* (the column by your jar). '
         '*Golden* aliens are worth *5* slime!', 25)
    cv.tame()

    def art(s):
        # punch scene
        gy = lb[1] + 280
        C.draw_player(s, lb[0] + 150, gy - 60, 120, 'Red')
        C.draw_fist(s, lb[0] + 262, gy - 66, 48, 'Red', ow=7)
        C.draw_player(s, lb[0] + 380, gy - 90, 116, 'Blue', flip=True, mood='hurt')
        # impact burst
        burst = []
        for i in range(16):
            a = i * math.pi / 8
            r = 36 if i % 2 == 0 else 18
            burst.append((lb[0] + 296 + math.cos(a) * r, gy - 70 + math.sin(a) * r))
        bm = s.mask().poly(burst)
        s.paint(bm.dilated(3), OUT)
        s.paint(bm, GOLD)
        C.draw_fist(s, lb[0] + 262, gy - 66, 48, 'Red', ow=7)
        arrow(s, [(lb[0] + 380, gy - 170), (lb[0] + 460, gy - 200)], 7)
        # stun stars
        for dx in (-30, 0, 30):
            C.draw_glint(s, lb[0] + 380 + dx, gy - 168 + abs(dx) * 0.3, 12, colour=(200, 180, 60))
        # jump on alien
        gx, gy2 = rb[0] + 150, rb[1] + 282
        C.draw_player(s, gx, gy2 - 150, 100, 'Yellow')
        arrow(s, [(gx + 66, gy2 - 190), (gx + 66, gy2 - 110)], 7)
        # magazine column with carried slime
        mx, my = rb[0] + 440, rb[1] + 170
    layer(cv, art)
    # glowing slime pieces (not tamed)
    gy = lb[1] + 280
    C.draw_slime_alien(cv, lb[0] + 470, gy - 220, 50, 'normal', flip=True)
    C.draw_slime_alien(cv, lb[0] + 500, gy - 150, 44, 'normal', flip=True)
    gx, gy2 = rb[0] + 150, rb[1] + 282
    C.draw_slime_alien(cv, gx, gy2 - 40, 84, 'normal')
    C.draw_slime_alien(cv, gx + 150, gy2 - 40, 84, 'golden')
    draw_text(cv, gx + 150, gy2 - 110, '= 5', 34)
    # magazine illustration
    mh = 250
    mag = hud.magazine(int(mh * 0.2), mh)
    sub = Canvas(W, H, SS)
    mx, my = rb[2] - 90, rb[1] + 30
    for i, kind in enumerate(('normal', 'normal', 'golden')):
        f = hud.MAG_ICON_CENTRES[i]
        C.draw_slime_alien(cv, mx + mh * 0.1, my + mh * (0.5 - f), mh / 9.0, kind)
    _paste_image(cv, mag, mx, my)
    return cv.image()


def _paste_image(cv, img, x, y):
    """Composite a finished Pillow image (final pixels) onto the canvas."""
    arr = np.asarray(img.resize((img.width * cv.ss, img.height * cv.ss), 3), dtype=np.float32) / 255.0
    sub = Canvas(img.width, img.height, cv.ss)
    sub.a = arr[..., 3].copy()
    sub.p = arr[..., :3] * sub.a[..., None]
    cv.paste_canvas(sub, x, y)


# ------------------------------------------------------------------ page 4: deliver and win

def page_deliver():
    cv = page_frame('DELIVER & WIN', 4)
    lb = (55, 132, 700, 580)
    panel(cv, *lb)
    y = rich(cv, 730, 135, 390, 'The *glowing* goal zone is the active one. *Stand in it* to pour your slime into your jar: *one slime a second*.', 26)
    y = rich(cv, 730, y + 14, 390, 'Every *15 seconds* the goal moves to another zone. Follow the marker!', 26)
    y = rich(cv, 730, y + 14, 390, 'New slime aliens keep coming out of the spawner pipes.', 26)
    rich(cv, 185, 604, 930, 'First to fill the jar with *20 slime* wins the round!', 34, colour=GOLD, accent=(236, 120, 10))
    cv.tame()
    # zones (active glows)
    zx0, zy0, zx1, zy1 = lb[0] + 40, lb[1] + 150, lb[0] + 300, lb[1] + 380
    _paste_image(cv, hud.zone(True, int(zx1 - zx0), int(zy1 - zy0)), zx0, zy0)
    _paste_image(cv, hud.zone(False, 150, 150), lb[0] + 330, lb[1] + 230)
    draw_text(cv, (zx0 + zx1) / 2, zy0 - 30, 'ACTIVE', 32)
    draw_text(cv, lb[0] + 405, lb[1] + 200, 'inactive', 26, top=SOFT, bot=SOFT)

    def art(s):
        floor = s.mask().rrect(lb[0] + 20, zy1, lb[0] + 500, zy1 + 26, 8, grow=3)
        s.paint(floor, OUT)
        s.paint(s.mask().rrect(lb[0] + 20, zy1, lb[0] + 500, zy1 + 26, 8), (90, 70, 140))
        C.draw_player(s, (zx0 + zx1) / 2, zy1 - 52, 104, 'Red')
        arrow(s, [((zx0 + zx1) / 2 + 40, zy0 + 60), ((zx0 + zx1) / 2 + 150, zy0 - 10), (lb[2] - 170, zy0 - 30)], 7)
    layer(cv, art)
    # the jar filling up
    jw, jh = 112, 144
    jx, jy = lb[2] - 150, lb[1] + 170
    fill = hud.slimestack(int(jw * 0.8), int(jh * 0.95 * 0.6))
    _paste_image(cv, fill, jx + jw * 0.1, jy + jh * 0.975 - fill.height)
    _paste_image(cv, hud.slimebox('Red', jw, jh), jx, jy)
    draw_text(cv, jx + jw / 2, jy + jh + 34, '12 / 20', 30)
    # slime drops flying into the jar
    for i, (dx, dy, r) in enumerate(((-170, -36, 9), (-110, -58, 11), (-50, -44, 13))):
        dm = cv.mask().circle(jx + jw / 2 + dx, jy + dy, r)
        cv.paint(dm.dilated(2.5), OUT)
        cv.paint(dm, P.SLIME)
        cv.paint(cv.mask().circle(jx + jw / 2 + dx - r * 0.3, jy + dy - r * 0.3, r * 0.35), P.SLIME_LIGHT)
    return cv.image()


# ------------------------------------------------------------------ page 5: random events

def page_events():
    cv = page_frame('RANDOM EVENTS', 5)
    boxes = [(55, 132, 585, 362), (605, 132, 1135, 362), (55, 378, 585, 580), (605, 378, 1108, 580)]
    for b in boxes:
        panel(cv, *b)
    texts = [
        ('King of the Slimes!', 'A giant slime king lands. *Punch it* to knock slime out of it!'),
        ('Gold Rush!', 'Three *golden aliens* appear, worth *5 slime* each.'),
        ('Slimepocalypse!', 'A slime meteor crashes down and bursts into *10 slime aliens*.'),
        ('Wormhole Invasion!', 'Two wormholes open: jump into one, pop out of the other.'),
    ]
    for b, (t, body) in zip(boxes, texts):
        heading(cv, b[0] + 24, b[1] + 34, t, 34)
        rich(cv, b[0] + 24, b[1] + 62, 270, body, 25)
    rich(cv, 185, 608, 930, 'An event starts *20 seconds* into a round, then every *40 seconds*. '
         'Watch the title at the top of the screen!', 25, colour=SOFT)
    cv.tame()
    b = boxes[0]
    C.draw_giant(cv, b[2] - 110, b[3] - 100, 170)
    b = boxes[1]
    for i, (dx, dy, sz) in enumerate(((-160, -70, 68), (-70, -128, 76), (-74, -52, 70))):
        C.draw_slime_alien(cv, b[2] + dx, b[3] + dy, sz, 'golden', flip=(i == 1))
    b = boxes[2]
    for i in range(5):
        tm = cv.mask().circle(b[2] - 100 + i * 20, b[1] + 90 - i * 12, 22 - i * 3)
        cv.paint(tm, P.SLIME, 0.55 - i * 0.09)
    C.draw_meteor(cv, b[2] - 130, b[1] + 108, 92)
    for dx in (-200, -120, -40):
        C.draw_slime_alien(cv, b[2] + dx + 10, b[3] - 40, 50, 'normal', flip=dx < -100)
    b = boxes[3]
    portal(cv, b[2] - 160, b[1] + 140, 34)
    portal(cv, b[2] - 55, b[1] + 140, 34)

    def art(s):
        C.draw_player(s, b[2] - 160, b[3] - 36, 52, 'Blue')
        pts = [(b[2] - 160 + t * 105, b[1] + 92 - math.sin(t * math.pi) * 30) for t in np.linspace(0, 1, 24)]
        dotted_arc(s, pts, 3.5, step=2)
    layer(cv, art)
    return cv.image()


PAGES = [page_controls, page_moving, page_punch_slime, page_deliver, page_events]
