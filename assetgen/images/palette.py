"""The shared palette (art-direction.md).  Colours of things that must not glow
keep r + g + b at or below gfx.NO_GLOW_SUM; slime and gold may glow."""

OUT = (30, 22, 48)          # outlines
INK = (30, 22, 48)          # dark text

# Player colours: base as in art-direction.md, kept under the bloom threshold.
PLAYERS = {
    'Red':    dict(base=(232, 71, 76),  light=(238, 98, 72),   dark=(150, 34, 58),  num=1),
    'Blue':   dict(base=(63, 124, 222), light=(70, 150, 188),  dark=(34, 62, 150),  num=2),
    'Yellow': dict(base=(218, 172, 18), light=(226, 182, 0),   dark=(170, 104, 16), num=3),
    'Grey':   dict(base=(122, 131, 144), light=(132, 138, 138), dark=(78, 84, 102), num=4),
}
PLAYER_ORDER = ['Red', 'Blue', 'Yellow', 'Grey']

# Slime (glows)
SLIME = (124, 242, 92)
SLIME_LIGHT = (200, 255, 170)
SLIME_DARK = (38, 150, 64)
SLIME_DEEP = (20, 92, 52)

GOLD = (255, 211, 77)
GOLD_LIGHT = (255, 240, 170)
GOLD_DARK = (196, 128, 20)

# Non-glowing UI colours
EYE_WHITE = (142, 140, 126)   # "white" that stays under the bloom threshold
PUPIL = (30, 22, 48)

UI_FACE_TOP = (124, 82, 200)
UI_FACE_BOT = (72, 42, 146)
UI_FACE_DEEP = (52, 30, 104)
UI_TEXT_TOP = (250, 178, 0)
UI_TEXT_BOT = (236, 120, 10)
UI_PANEL = (40, 28, 76)
UI_PANEL_EDGE = (92, 62, 160)
UI_BODY_TEXT = (150, 138, 120)    # light warm grey body text (under the bloom threshold)
UI_SOFT_TEXT = (124, 112, 122)    # secondary text

GREEN_FACE_TOP = (70, 188, 70)
GREEN_FACE_BOT = (30, 118, 58)
RED_FACE_TOP = (214, 70, 70)
RED_FACE_BOT = (138, 32, 52)

SKY_TOP = (14, 10, 34)
SKY_MID = (34, 22, 74)
SKY_LOW = (58, 32, 98)
