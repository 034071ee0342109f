"""Archetype files under assets/json: players, fists, aliens and
the slime display.  Written by make.py so they stay in step with the image names.

Layout: {"name": ..., "components": [Transform, Sprite]} with the Transform
first and plain "Sprite" components (gameplay looks the
sprite up as Sprite, so no "SpriteAnimated").  Every Transform gives all five
keys (an absent key reads as 0)."""

import json
import os

IMG = './assets/img/'

# Sizes in world units (1 unit = 1 tile).  The images keep these aspects.
PLAYER_SIZE = 1.5
FIST_SIZE = 1.1          # the code makes the fists with local scale 1.1
ALIEN_SIZE = 1.2
GIANT_SIZE = 4.0
SLIMEBOX_SCALE = (7.0, 9.0)       # HUD: 9/45 NDC tall = 10 % of the screen height, aspect 7:9
MAGAZINE_SCALE = (2.5, 8.0)       # HUD: tall and narrow; on screen 0.199 : 1 (image 72 x 362)


def _transform(sx, sy):
    return {"type": "Transform", "posX": 0.0, "posY": 0.0, "scaleX": sx, "scaleY": sy, "rotation": 0.0}


def _sprite(name):
    return {"type": "Sprite", "filename": IMG + name, "opacity": 1.0}


ARCHETYPES = [
    # file, archetype name, scale, image
    ("playerA.json", "PlayerA", (PLAYER_SIZE, PLAYER_SIZE), "PlayerRed.png"),
    ("playerB.json", "PlayerB", (PLAYER_SIZE, PLAYER_SIZE), "PlayerBlue.png"),
    ("playerC.json", "PlayerC", (PLAYER_SIZE, PLAYER_SIZE), "PlayerYellow.png"),
    ("playerD.json", "PlayerD", (PLAYER_SIZE, PLAYER_SIZE), "PlayerGrey.png"),
    ("fistA.json", "fistA", (FIST_SIZE, FIST_SIZE), "RedFist.png"),
    ("fistB.json", "fistB", (FIST_SIZE, FIST_SIZE), "BlueFist.png"),
    ("aliendude.json", "aliendude", (ALIEN_SIZE, ALIEN_SIZE), "NeonAlien.png"),
    ("aliengiant.json", "aliengiant", (GIANT_SIZE, GIANT_SIZE), "AlienGiant.png"),
    ("aliengolden.json", "aliengolden", (ALIEN_SIZE, ALIEN_SIZE), "AlienGolden.png"),
    ("slimebox.json", "slimebox", SLIMEBOX_SCALE, "RedSlimebox.png"),
    ("slimemagazine.json", "slimemagazine", MAGAZINE_SCALE, "SlimeMagazine.png"),
]


def write_all(root):
    out = os.path.join(root, 'assets', 'json')
    os.makedirs(out, exist_ok=True)
    written = []
    for fname, name, (sx, sy), img in ARCHETYPES:
        doc = {"name": name, "components": [_transform(sx, sy), _sprite(img)]}
        path = os.path.join(out, fname)
        with open(path, 'w', newline='\n') as f:
            json.dump(doc, f, indent=4)
            f.write('\n')
        written.append(os.path.relpath(path, root))
    return written
