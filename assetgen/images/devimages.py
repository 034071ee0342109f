"""Images used only by the developer and test states (the particle editor, the graphics test and the sandbox)
and the unused box-test texture B.png."""

from gfx import Canvas, OUT, vgrad, mix, pillow_shade
import characters as C
import palette as P

WHITE_PURPLE = dict(base=(136, 128, 144), light=(140, 134, 134), dark=(96, 60, 150), num=0)
BLACK_PURPLE = dict(base=(64, 44, 104), light=(110, 80, 170), dark=(34, 22, 60), num=0)
WHITE_PINK = dict(base=(150, 126, 132), light=(160, 124, 124), dark=(190, 70, 130), num=0)


def fighter_hand(pal, size, glow=False):
    """A mitten on a transparent square (the particle editor's default texture)."""
    cv = Canvas(size, size, 4)
    C.draw_fist(cv, size / 2, size / 2, size * 0.95, pal, ow=4.5)
    if not glow:
        cv.tame()
    return cv.image()


def runner(pal, size=128):
    cv = Canvas(size, size, 4)
    C.draw_player(cv, size / 2, size / 2, size, pal)
    cv.tame()
    return cv.image()


def pink_fighter(w=160, h=96):
    """5:3 picture: a white-pink alien throwing a punch."""
    cv = Canvas(w, h, 4)
    C.draw_player(cv, h * 0.52, h / 2, h, WHITE_PINK)
    C.draw_fist(cv, h * 1.12, h * 0.56, h * 0.42, WHITE_PINK, ow=7)
    # speed lines
    for i, y in enumerate((0.42, 0.56, 0.70)):
        m = cv.mask().line([(h * 0.86, h * y), (h * 0.96 + i * 3, h * y)], h * 0.03)
        cv.paint(m, P.UI_SOFT_TEXT)
    cv.tame()
    return cv.image()


def score_bar(w=640, h=64):
    """ScoreUI.png: a long flat bar (the sandbox floor), 10:1."""
    cv = Canvas(w, h, 2)
    om = cv.mask().rrect(2, 2, w - 2, h - 2, h * 0.35)
    cv.paint(om, OUT)
    fm = cv.mask().rrect(6, 6, w - 6, h - 6, h * 0.3)
    cv.paint(fm, vgrad(6, h - 6, (110, 84, 180), (60, 40, 120)))
    top = cv.mask().rrect(6, 6, w - 6, h * 0.42, h * 0.2)
    cv.paint(top, (70, 170, 80))
    for i in range(1, 10):
        x = w * i / 10.0
        sm = cv.mask().rect(x - 2, h * 0.5, x + 2, h - 10)
        cv.paint(sm, OUT, 0.5)
    cv.tame()
    return cv.image()


def crate(size=64):
    """B.png: a small crate (placeholder for the unused box test state)."""
    cv = Canvas(size, size, 4)
    s = size
    om = cv.mask().rrect(2, 2, s - 2, s - 2, s * 0.12)
    cv.paint(om, OUT)
    fm = cv.mask().rrect(5, 5, s - 5, s - 5, s * 0.1)
    pillow_shade(cv, fm, (170, 110, 60), radius=s * 0.08, ambient=0.85, spec=0.08, dark=(100, 60, 30))
    inner = cv.mask().rect(s * 0.22, s * 0.22, s * 0.78, s * 0.78)
    cv.paint(inner, (140, 88, 46))
    x1 = cv.mask().line([(s * 0.24, s * 0.24), (s * 0.76, s * 0.76)], s * 0.1)
    x1.line([(s * 0.76, s * 0.24), (s * 0.24, s * 0.76)], s * 0.1)
    cv.paint(x1.dilated(1.2), OUT)
    cv.paint(x1, (186, 124, 70))
    cv.tame()
    return cv.image()
