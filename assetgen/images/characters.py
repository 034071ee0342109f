"""Players, slime aliens (normal, golden, giant), fists and the slime meteor.

Every function draws into a Canvas through a Pen (100 x 100 design units), so
the same drawing is used as a sprite and on the how-to-play pages.
Player bodies face RIGHT; aliens face LEFT (flip=True turns them round)."""

import math
from pen import Pen
from gfx import OUT, mix, tame_color
import palette as P

OW = 3.2  # outline width in design units (about 3 px on a 96 px sprite)


# ------------------------------------------------------------------ players

def draw_player(cv, cx, cy, size, colour, flip=False, mood='happy', ow=OW):
    """A round-bodied player alien facing right (left when flip).  `colour` is a
    key of palette.PLAYERS.  The fist is drawn separately."""
    pal = P.PLAYERS[colour] if isinstance(colour, str) else colour
    base, light, dark = pal['base'], pal['light'], pal['dark']
    pen = Pen(cv, cx, cy, size, flip)

    # antennae (behind the body)
    def antennae(m, g):
        pen.line(m, [(42, 26), (38, 16), (33, 10)], 4.2, g)
        pen.line(m, [(60, 24), (66, 15), (72, 10)], 4.2, g)
    pen.sticker(antennae, dark, ow)

    def tips(m, g):
        pen.circle(m, 32, 9.2, 5.6, g)
        pen.circle(m, 73, 9.2, 5.6, g)
    pen.sticker(tips, light, ow, shade=dict(radius=4))

    # feet (behind the body)
    def feet(m, g):
        pen.ellipse(m, 33, 89.5, 12, 7, g)
        pen.ellipse(m, 66, 89.5, 12, 7, g)
    pen.sticker(feet, dark, ow, shade=dict(radius=4, ambient=0.8))

    # body: a gumdrop made of an ellipse and a rounded rectangle
    def body(m, g):
        pen.ellipse(m, 50, 50, 38, 34, g)
        pen.rrect(m, 12, 44, 88, 91, 24, g)
    fm = pen.sticker(body, base, ow, shade=dict(radius=16, ambient=0.8, diffuse=0.38, spec=0.18, dark=dark))

    # belly patch
    def belly(m, g):
        pen.ellipse(m, 50, 72, 24, 15, g)
    bm = pen.mask()
    belly(bm, 0)
    bm.intersect(fm)
    cv.paint(bm, mix(light, (150, 140, 130), 0.35), 0.55)

    # eyes (looking right)
    def whites(m, g):
        pen.ellipse(m, 57, 37, 10.5, 12.5, g)
        pen.ellipse(m, 78, 37, 9, 11.5, g)
    pen.sticker(whites, P.EYE_WHITE, 2.4)

    def pupils(m, g):
        pen.ellipse(m, 60.5, 39, 5.6, 7, g)
        pen.ellipse(m, 81, 39, 5, 6.5, g)
    pen.flat(pupils, P.PUPIL)

    def glints(m, g):
        pen.circle(m, 58.6, 35.4, 2.1, g)
        pen.circle(m, 79.4, 35.6, 1.8, g)
    pen.flat(glints, (150, 150, 108))

    # brows give the player a determined, cheerful look
    def brows(m, g):
        pen.line(m, [(49, 22.5), (58, 20.5), (65, 22.5)], 2.6, g)
        pen.line(m, [(72, 22), (80, 20.5), (86, 23)], 2.4, g)
    pen.flat(brows, dark)

    # mouth on the facing side
    if mood == 'happy':
        def mouth(m, g):
            pen.poly(m, pen.arc_pts(79, 52, 8, 6.5, 10, 170, 16), g)
        pen.sticker(mouth, (112, 28, 48), 2.2)

        def tongue(m, g):
            pen.ellipse(m, 79, 56.5, 4.2, 2.2, g)
        pen.flat(tongue, (206, 86, 110))
    else:
        def mouth(m, g):
            pen.line(m, pen.arc_pts(79, 56, 6, 3, 200, 340, 10), 2.6, g)
        pen.flat(mouth, OUT)

    # cheek
    def cheek(m, g):
        pen.ellipse(m, 66, 50, 5, 3, g)
    pen.flat(cheek, mix(base, (255, 120, 140), 0.5), 0.45)


# ------------------------------------------------------------------ fists

def draw_fist(cv, cx, cy, size, colour, ow=OW):
    """A small round mitten (the fist is never flipped, so it points nowhere in
    particular: a rounded mitt with the thumb tucked on top)."""
    pal = P.PLAYERS[colour] if isinstance(colour, str) else colour
    base, light, dark = pal['base'], pal['light'], pal['dark']
    pen = Pen(cv, cx, cy, size)

    def mitt(m, g):
        pen.ellipse(m, 52, 54, 34, 31, g)
    fm = pen.sticker(mitt, base, ow, shade=dict(radius=14, ambient=0.84, diffuse=0.4, spec=0.22, dark=dark))

    # finger creases on the front
    def creases(m, g):
        pen.line(m, pen.arc_pts(66, 40, 12, 10, -70, 40, 8), 2.6, g)
        pen.line(m, pen.arc_pts(70, 56, 12, 9, -50, 50, 8), 2.6, g)
    cm = pen.mask()
    creases(cm, 0)
    cm.intersect(fm)
    cv.paint(cm, mix(dark, OUT, 0.35), 0.9)

    # thumb tucked across the top
    def thumb(m, g):
        pen.ellipse(m, 34, 34, 17, 13, g)
    pen.sticker(thumb, base, ow * 0.85, shade=dict(radius=7, ambient=0.88, spec=0.18))

    # cuff
    def cuff(m, g):
        pen.rrect(m, 22, 78, 62, 94, 7, g)
    pen.sticker(cuff, light, ow * 0.85, shade=dict(radius=5, ambient=0.85))


# ------------------------------------------------------------------ slime aliens

def _slime_blob(pen, m, g, wob=0.0):
    pen.ellipse(m, 50, 56, 40, 34, g)
    pen.rrect(m, 10, 56, 90, 90, 12, g)
    # drippy bottom edge
    for i, x in enumerate((16, 30, 44, 58, 72, 85)):
        r = 7.5 if i % 2 == 0 else 6.0
        pen.circle(m, x, 90 + (1.5 if i % 2 else 0), r, g)


def draw_slime_alien(cv, cx, cy, size, kind='normal', flip=False, ow=OW):
    """A walking slime alien.  Art faces LEFT (flip=True makes it face right).
    kind: 'normal' (green, glows) or 'golden' (gold, glows, with a glint)."""
    if kind == 'golden':
        base, light, dark, deep = P.GOLD, P.GOLD_LIGHT, P.GOLD_DARK, (120, 70, 10)
    else:
        base, light, dark, deep = P.SLIME, P.SLIME_LIGHT, P.SLIME_DARK, P.SLIME_DEEP
    pen = Pen(cv, cx, cy, size, flip)

    # antennae
    def stalks(m, g):
        pen.line(m, [(40, 28), (34, 16), (28, 10)], 4.0, g)
        pen.line(m, [(58, 25), (62, 14), (68, 8)], 4.0, g)
    pen.sticker(stalks, dark, OW)

    def tips(m, g):
        pen.circle(m, 27, 9, 5.4, g)
        pen.circle(m, 69, 8, 5.4, g)
    pen.sticker(tips, light, OW, shade=dict(radius=4, ambient=0.9, spec=0.4))

    fm = pen.sticker(lambda m, g: _slime_blob(pen, m, g), base, ow,
                     shade=dict(radius=15, ambient=0.78, diffuse=0.42, spec=0.45, shine=14, dark=dark))

    # inner darker core (translucent jelly look)
    core = pen.mask()
    pen.ellipse(core, 54, 70, 26, 16)
    core = core.blurred(size * 0.05)
    core.intersect(fm)
    cv.paint(core, deep, 0.35)

    # bubbles inside
    def bubbles(m, g):
        pen.circle(m, 70, 72, 4.2, g)
        pen.circle(m, 78, 62, 2.6, g)
        pen.circle(m, 63, 82, 2.2, g)
    bb = pen.mask()
    bubbles(bb, 0)
    cv.paint(bb, light, 0.75)

    # glossy highlight
    def gloss(m, g):
        pen.ellipse(m, 66, 38, 9, 5.5, g)
    gm = pen.mask()
    gloss(gm, 0)
    cv.paint(gm.blurred(size * 0.01), (255, 255, 235), 0.85)

    # eyes looking left
    def whites(m, g):
        pen.ellipse(m, 24, 50, 10, 12, g)
        pen.ellipse(m, 45, 49, 11, 13, g)
    pen.sticker(whites, (236, 246, 236), 2.4)

    def pupils(m, g):
        pen.ellipse(m, 21, 52, 5.2, 6.6, g)
        pen.ellipse(m, 41.5, 51, 5.8, 7.2, g)
    pen.flat(pupils, OUT)

    def glints(m, g):
        pen.circle(m, 23, 48.5, 1.9, g)
        pen.circle(m, 43.5, 47.5, 2.1, g)
    pen.flat(glints, (255, 255, 255))

    # little open mouth
    def mouth(m, g):
        pen.ellipse(m, 28, 70, 6, 4.5, g)
    pen.sticker(mouth, deep, 2.0)

    if kind == 'golden':
        draw_glint(cv, pen.X(80), pen.Y(30), size * 0.22)
        draw_glint(cv, pen.X(14), pen.Y(82), size * 0.12)


def draw_glint(cv, x, y, r, colour=(255, 255, 240)):
    """A four-pointed sparkle (glows)."""
    m = cv.mask()
    t = r * 0.16
    m.poly([(x, y - r), (x + t, y - t), (x + r, y), (x + t, y + t), (x, y + r), (x - t, y + t), (x - r, y), (x - t, y - t)])
    o = m.dilated(max(0.8, r * 0.08))
    cv.paint(o, (120, 80, 10), 0.8)
    cv.paint(m, colour)


def draw_giant(cv, cx, cy, size, flip=False, ow=OW * 0.8):
    """The giant alien, the 'King of the Slimes': a big toothy blob with a crown.
    Faces LEFT."""
    base, light, dark, deep = (96, 214, 84), P.SLIME_LIGHT, (30, 128, 56), (16, 74, 44)
    pen = Pen(cv, cx, cy, size, flip)

    # crown (behind the top of the head)
    def crown(m, g):
        pen.poly(m, [(30, 22), (30, 4), (40, 13), (50, 1), (60, 13), (70, 4), (70, 22)], g)
    pen.sticker(crown, P.GOLD, ow, shade=dict(radius=3, ambient=0.85, spec=0.35))

    def jewels(m, g):
        pen.circle(m, 40, 17, 2.6, g)
        pen.circle(m, 60, 17, 2.6, g)
    pen.sticker(jewels, (220, 40, 90), 1.2)
    gem = pen.mask()
    pen.circle(gem, 50, 16, 3.4)
    pen.sticker(lambda m, g: pen.circle(m, 50, 16, 3.4, g), (70, 120, 240), 1.2)

    def blob(m, g):
        pen.ellipse(m, 50, 58, 46, 38, g)
        pen.rrect(m, 4, 58, 96, 92, 14, g)
        for i, x in enumerate((10, 24, 38, 52, 66, 80, 92)):
            pen.circle(m, x, 92 + (1.2 if i % 2 else 0), 6.0 if i % 2 else 7.0, g)
    fm = pen.sticker(blob, base, ow, shade=dict(radius=18, ambient=0.76, diffuse=0.45, spec=0.4, shine=14, dark=dark))

    core = pen.mask()
    pen.ellipse(core, 58, 74, 32, 16)
    core = core.blurred(size * 0.04)
    core.intersect(fm)
    cv.paint(core, deep, 0.35)

    gm = pen.mask()
    pen.ellipse(gm, 74, 36, 9, 5)
    cv.paint(gm.blurred(size * 0.006), (255, 255, 235), 0.8)

    # angry eyes looking left
    def whites(m, g):
        pen.ellipse(m, 27, 46, 9, 9.5, g)
        pen.ellipse(m, 49, 45, 10, 10.5, g)
    pen.sticker(whites, (236, 246, 236), 1.8)

    def pupils(m, g):
        pen.ellipse(m, 24, 48, 4.4, 5, g)
        pen.ellipse(m, 45.5, 47, 4.8, 5.4, g)
    pen.flat(pupils, OUT)

    # heavy brows (eyelids cut the top of the eyes)
    def brows(m, g):
        pen.poly(m, [(15, 35), (36, 42), (36, 37), (17, 30)], g)
        pen.poly(m, [(38, 41), (61, 35), (60, 30), (38, 36)], g)
    pen.flat(brows, deep)

    # wide toothy mouth
    def mouth(m, g):
        pts = [(12, 60)] + pen.arc_pts(38, 60, 26, 18, 180, 0, 20)[::-1][:0]
        pen.poly(m, [(12, 60), (64, 58), (60, 70), (48, 78), (30, 79), (18, 72)], g)
    pen.sticker(mouth, (70, 16, 40), 2.0)

    def tongue(m, g):
        pen.ellipse(m, 40, 75, 12, 4, g)
    tm = pen.mask()
    tongue(tm, 0)
    mm = pen.mask()
    mouth(mm, 0)
    tm.intersect(mm)
    cv.paint(tm, (200, 70, 100))

    def teeth(m, g):
        for x in (17, 27, 37, 47, 57):
            pen.poly(m, [(x - 4.2, 59.6), (x + 4.2, 59.3), (x, 66)], g)
        for x in (26, 38, 50):
            pen.poly(m, [(x - 3.6, 77.5), (x + 3.6, 77.3), (x, 72)], g)
    tt = pen.mask()
    teeth(tt, 0)
    tt.intersect(mm.dilated(0.5))
    cv.paint(tt, (238, 236, 210))

    draw_glint(cv, pen.X(86), pen.Y(26), size * 0.06)


# ------------------------------------------------------------------ meteor

def draw_meteor(cv, cx, cy, size, ow=OW):
    """A round spinning slime meteor: a glowing ball of slime with a swirl.
    Nearly round so it reads at every rotation."""
    pen = Pen(cv, cx, cy, size)

    def ball(m, g):
        pen.circle(m, 50, 50, 38, g)
        for i in range(7):
            a = math.radians(i * 360 / 7 + 12)
            r = 38 + (3.5 if i % 2 else 1.5)
            pen.circle(m, 50 + math.cos(a) * r * 0.92, 50 + math.sin(a) * r * 0.92, 7.5 if i % 2 else 6.0, g)
    fm = pen.sticker(ball, P.SLIME, ow, shade=dict(radius=16, ambient=0.8, diffuse=0.4, spec=0.45, shine=12, dark=P.SLIME_DARK))

    # swirl
    pts = []
    for i in range(60):
        t = i / 59.0
        a = t * 4.2 * math.pi
        r = 4 + 26 * t
        pts.append((50 + math.cos(a) * r, 50 + math.sin(a) * r))
    sm = pen.mask()
    pen.line(sm, pts, 5.0)
    sm.intersect(fm)
    cv.paint(sm, P.SLIME_DARK, 0.7)

    def bubbles(m, g):
        pen.circle(m, 66, 62, 4, g)
        pen.circle(m, 34, 66, 3, g)
        pen.circle(m, 60, 30, 2.4, g)
    bm = pen.mask()
    bubbles(bm, 0)
    cv.paint(bm, P.SLIME_LIGHT, 0.8)
    gm = pen.mask()
    pen.ellipse(gm, 38, 32, 9, 5)
    cv.paint(gm.blurred(size * 0.01), (255, 255, 240), 0.85)
