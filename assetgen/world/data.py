"""Gameplay data files: the character tuning and the alien spawner file."""
import os

from common import ASSETS, write_json

# Movement tuning. A held jump rises J/5 per frame up to J, so with these values a jump lifts the
# feet about 4.5 tiles and a double jump about 9; running speed 12 tiles/s, reached in 8 frames.
CHARACTER_GLOBALS = {
    "acceleration": 1.5,
    "jumpspeed": 22.0,
    "maxspeed": 12.0,
    "gravity": -70.0,
    "drag": 2,
}

# Alien kinds. Weight is the slime value (normal 1, golden 5) and, for the giant, its hit points
# (each punch takes 2). moveSpeed is five times the walking speed.
AI_SPAWNER = {
    "type": "AI",
    "AI Types": [
        {"type": "normal", "canJump": True, "jumpRate": 0.15, "weight": 1, "moveSpeed": 10.0,
         "spawnRate": 1.5, "maxAlive": 5},
        {"type": "golden", "canJump": True, "jumpRate": 0.35, "weight": 5, "moveSpeed": 16.0,
         "spawnRate": 4.0, "maxAlive": 2},
        {"type": "giant", "canJump": False, "jumpRate": 0.0, "weight": 10, "moveSpeed": 5.0,
         "spawnRate": 6.0, "maxAlive": 1},
    ],
}


def build():
    p1 = os.path.join(ASSETS, "json", "characterGlobalsDefault.json")
    p2 = os.path.join(ASSETS, "json", "aitest.json")
    write_json(CHARACTER_GLOBALS, p1)
    write_json(AI_SPAWNER, p2)
    return [p1, p2]
