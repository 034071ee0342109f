#!/usr/bin/env python3
"""Builds Vendrabolt's own images and archetype files.

Run from the repository root:   /usr/bin/python3 assetgen/images/make.py
Needs Python 3, Pillow, NumPy and the Lato font (fonts-lato).  Deterministic:
fixed seeds, no time stamps; the same files come out on every run.

Writes every image under assets/img/ except the level tiles, level
backgrounds, the missing-tile image and the particle textures (another
generator makes those), plus B.png at the root and the archetype files under
assets/json/ (archetypes.py).
"""

import os
import sys
import multiprocessing as mp

sys.dont_write_bytecode = True   # keep the source tree clean

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
ROOT = os.path.dirname(os.path.dirname(HERE))

from gfx import Canvas, save_png   # noqa: E402
import palette as P                # noqa: E402
import characters as C             # noqa: E402
import ui                          # noqa: E402
import hud                         # noqa: E402
import icons as I                  # noqa: E402
import scenes                      # noqa: E402
import pages                       # noqa: E402
import devimages as D              # noqa: E402
import archetypes                  # noqa: E402


# ------------------------------------------------------------------ sprite builders

def player_img(colour):
    def f():
        s = 96  # 1.5 x 1.5 world units at 64 px per unit
        cv = Canvas(s, s, 4)
        C.draw_player(cv, s / 2, s / 2, s, colour)
        cv.tame()
        return cv.image()
    return f


def fist_img(colour):
    def f():
        s = 106  # the fist quad is 1.1 x the 1.5-unit body
        cv = Canvas(s, s, 4)
        C.draw_fist(cv, s / 2, s / 2, 44, colour, ow=7)
        cv.tame()
        return cv.image()
    return f


def alien_img(kind, s=80):
    def f():
        cv = Canvas(s, s, 4)
        C.draw_slime_alien(cv, s / 2, s / 2, s, kind)
        return cv.image()
    return f


def giant_img():
    s = 256  # 4 x 4 units
    cv = Canvas(s, s, 4)
    C.draw_giant(cv, s / 2, s / 2, s)
    return cv.image()


def meteor_img():
    s = 64  # 1 x 1 unit
    cv = Canvas(s, s, 4)
    C.draw_meteor(cv, s / 2, s / 2, s)
    return cv.image()


def face_button_img():
    s = 96  # 1.5 x 1.5 units
    cv = Canvas(s, s, 4)
    I.draw_face_button(cv, s / 2, s / 2, s * 0.98, 'A', ow=4)
    cv.tame()
    return cv.image()


def stick_img():
    s = 96
    cv = Canvas(s, s, 4)
    I.draw_stick(cv, s / 2, s / 2, s * 0.98, 'L', ow=4)
    cv.tame()
    return cv.image()


BTN = (480, 240)      # 2:1, the main menu's 22 x 11
BTN169 = (427, 240)   # 16:9, the pause menu's 4 x 2.25
BTNWIDE = (528, 240)  # 2.2:1, Back (19x7 .. 25x12) and the end-of-round buttons (4W:3H)

# (path relative to the repository root, builder, purpose)
IMAGES = [
    # intro
    ('assets/img/Halvaro_WHITE.png', scenes.slide_studio, 'intro slide 0: studio logo (white on transparent)'),
    ('assets/img/LogoForPravet.png', scenes.slide_team, 'intro slide 1: team / game logo'),
    ('assets/img/controllerRecommended.png', scenes.slide_controller, 'intro slide 2: game controller recommended'),
    ('assets/img/FMOD_Logo_Black.png', scenes.slide_audio, 'intro slide 3: neutral audio credit (no vendor logo)'),
    ('assets/img/Background.png', scenes.menu_backdrop, 'menu backdrop frame; translucent middle'),
    # main menu
    ('assets/img/MainMenu.png', scenes.main_menu, 'title screen picture'),
    ('assets/img/ButtonPlay.png', lambda: ui.button(464, 266, 'Play', 'green'), 'Play button (main menu 40x23, level select, last how-to-play page)'),
    ('assets/img/ButtonCredits.png', lambda: ui.button(*BTN, label='Credits'), 'Credits button (main menu, pause)'),
    ('assets/img/ButtonOptions.png', lambda: ui.button(*BTN, label='Options'), 'Options button (main menu, pause)'),
    ('assets/img/ButtonControls.png', lambda: ui.button(*BTN, label='Controls'), 'Controls button: opens the how-to-play pages'),
    ('assets/img/ButtonQuit.png', lambda: ui.button(*BTN, label='Quit', style='red'), 'Quit button (main menu, pause)'),
    ('assets/img/quit_confirmation.png', lambda: ui.confirmation(1280, 720, 'Are you sure you\nwant to quit?', 'Choose Yes or No below.'), 'quit question, 16:9, lower quarter clear'),
    ('assets/img/ButtonYes.png', lambda: ui.button(*BTN, label='Yes', style='green'), 'Confirm button'),
    ('assets/img/ButtonNo.png', lambda: ui.button(*BTN, label='No', style='red'), 'Cancel button'),
    ('assets/img/cursor.png', ui.cursor, 'mouse pointer, tip at 20 % / 10 %'),
    # level select, options, how-to-play
    ('assets/img/ButtonBack.png', lambda: ui.button(*BTNWIDE, label='Back'), 'Back button (level select, options, how-to-play, credits)'),
    ('assets/img/right_arrow.png', lambda: ui.arrow_button(480, 240, 'right'), 'right arrow button (next map, volume up, next page)'),
    ('assets/img/left_arrow.png', lambda: ui.arrow_button(480, 240, 'left'), 'left arrow button; also the tutorial down arrow (turned)'),
    ('assets/img/greenBox.png', lambda: ui.bar((70, 210, 70), (30, 140, 60)), 'music volume bar fill'),
    ('assets/img/yellowBox.png', lambda: ui.bar((236, 172, 0), (196, 120, 10)), 'effects volume bar fill'),
    ('assets/img/ButtonOn.png', lambda: ui.button(*BTN, label='On', style='green'), 'bloom on button'),
    ('assets/img/ButtonOff.png', lambda: ui.button(*BTN, label='Off', style='red'), 'bloom off button'),
    ('assets/img/music_volume.png', lambda: ui.label(800, 450, 'Music Volume', band_y=0.358), 'options label, 16:9'),
    ('assets/img/sfx_volume.png', lambda: ui.label(800, 450, 'SFX Volume', band_y=0.376), 'options label, 16:9'),
    ('assets/img/graphical_bloom.png', lambda: ui.label(800, 450, 'Graphical Bloom', band_y=0.464), 'options label, 16:9'),
    ('assets/img/htp_1.png', pages.page_controls, 'how-to-play page 1: controls (pad and keyboard)'),
    ('assets/img/htp_2.png', pages.page_moving, 'how-to-play page 2: double jump, wall jump, drop through, screen wrap'),
    ('assets/img/htp_3.png', pages.page_punch_slime, 'how-to-play page 3: punching and grabbing slime'),
    ('assets/img/htp_4.png', pages.page_deliver, 'how-to-play page 4: goal zones, delivery, winning'),
    ('assets/img/htp_5.png', pages.page_events, 'how-to-play page 5: the four random events'),
    # pause menu, end of round
    ('assets/img/ButtonResume.png', lambda: ui.button(*BTN169, label='Resume', style='green'), 'pause menu resume ("Play Button")'),
    ('assets/img/ButtonRestart.png', lambda: ui.button(*BTN169, label='Restart'), 'pause menu restart'),
    ('assets/img/restart_confirmation.png', lambda: ui.confirmation(1280, 720, 'Are you sure you\nwant to restart?', 'The round starts over from zero.'), 'restart question, same layout as quit'),
    ('assets/img/blackBox.png', lambda: ui.solid((0, 0, 0)), 'pause backdrop (solid black)'),
    ('assets/img/ButtonNextMap.png', lambda: ui.button(*BTNWIDE, label='Next Map', style='green'), 'end of round: next map'),
    ('assets/img/ButtonReplayMap.png', lambda: ui.button(*BTNWIDE, label='Replay Map'), 'end of round: replay map'),
    ('assets/img/ButtonMainMenu.png', lambda: ui.button(*BTNWIDE, label='Main Menu'), 'end of round: main menu'),
    # goal zones and slime display
    ('assets/img/DeactiveZone.png', lambda: hud.zone(False), 'inactive goal zone (stretched to the zone)'),
    ('assets/img/ActiveZone.png', lambda: hud.zone(True), 'active goal zone (stretched to the zone)'),
    ('assets/img/RedSlimebox.png', lambda: hud.slimebox('Red'), 'slime jar, player 1; transparent window'),
    ('assets/img/BlueSlimebox.png', lambda: hud.slimebox('Blue'), 'slime jar, player 2; transparent window'),
    ('assets/img/YellowSlimebox.png', lambda: hud.slimebox('Yellow'), 'slime jar, player 3; transparent window'),
    ('assets/img/GreySlimebox.png', lambda: hud.slimebox('Grey'), 'slime jar, player 4; transparent window'),
    ('assets/img/slimestack.png', hud.slimestack, 'slime fill of the jars (stretched vertically)'),
    ('assets/img/NeonAlien.png', alien_img('normal'), 'normal slime alien (faces left): aliendude sprite and magazine icon'),
    ('assets/img/AlienGolden.png', alien_img('golden'), 'golden slime alien (faces left): aliengolden sprite and icon'),
    ('assets/img/SlimeMagazine.png', hud.magazine, 'carried-slime magazine: five transparent slots'),
    # player pieces, meteor
    ('assets/img/RedFist.png', fist_img('Red'), 'player 1 fist (small mitten in the middle)'),
    ('assets/img/BlueFist.png', fist_img('Blue'), 'player 2 fist'),
    ('assets/img/YellowFist.png', fist_img('Yellow'), 'player 3 fist'),
    ('assets/img/GreyFist.png', fist_img('Grey'), 'player 4 fist'),
    ('assets/img/Alien.png', meteor_img, 'slime meteor / sandbox blob (round, spins)'),
    # tutorial hints
    ('assets/img/360 controller images/360_Left_Stick.png', stick_img, 'tutorial hint: left stick'),
    ('assets/img/360 controller images/360_A.png', face_button_img, 'tutorial hint: A button'),
    # developer and test states
    ('assets/img/WhitePurpleFighterHand.png', lambda: D.fighter_hand(D.WHITE_PURPLE, 64, glow=True), 'particle editor default texture / absorb effect'),
    ('assets/img/WhitePurpleRunner.png', lambda: D.runner(D.WHITE_PURPLE), 'graphics test "sample"'),
    ('assets/img/BlackPurpleFighterHand.png', lambda: D.fighter_hand(D.BLACK_PURPLE, 128), 'graphics test "sample2"'),
    ('assets/img/WhitePinkFighter.png', D.pink_fighter, 'graphics test "sample3" (5:3)'),
    ('assets/img/ScoreUI.png', D.score_bar, 'sandbox floor bar (10:1)'),
    ('B.png', D.crate, 'box test texture (unused; placeholder)'),
    # bodies the archetype files name
    ('assets/img/PlayerRed.png', player_img('Red'), 'player 1 body (faces right), playerA.json'),
    ('assets/img/PlayerBlue.png', player_img('Blue'), 'player 2 body, playerB.json'),
    ('assets/img/PlayerYellow.png', player_img('Yellow'), 'player 3 body, playerC.json'),
    ('assets/img/PlayerGrey.png', player_img('Grey'), 'player 4 body, playerD.json'),
    ('assets/img/AlienGiant.png', giant_img, 'giant alien "King of the Slimes" (faces left), aliengiant.json'),
]


def _build(i):
    path, fn, _ = IMAGES[i]
    img = fn()
    save_png(img, os.path.join(ROOT, path))
    return path, img.size


def main():
    os.chdir(ROOT)
    names = [p for p, _, _ in IMAGES]
    assert len(names) == len(set(names)), 'duplicate image name'
    jobs = int(os.environ.get('ASSETGEN_JOBS', str(min(8, os.cpu_count() or 1))))
    order = list(range(len(IMAGES)))
    if jobs > 1:
        ctx = mp.get_context('fork')
        with ctx.Pool(jobs) as pool:
            results = pool.map(_build, order, chunksize=1)
    else:
        results = [_build(i) for i in order]
    for path, size in results:
        print('%-58s %4d x %-4d' % (path, size[0], size[1]))
    for p in archetypes.write_all(ROOT):
        print(p)
    print('images: %d, archetype files: %d' % (len(results), len(archetypes.ARCHETYPES)))


if __name__ == '__main__':
    main()
