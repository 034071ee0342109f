"""The level maps. Each map is drawn in world units (origin at the centre, y up, one unit per tile)
with the helpers of mapkit; most are mirror-symmetric so that every player has the same chances.

Vertical spacing follows the character tuning: a held jump lifts the feet about 4.5 tiles and a
double jump about 9, so stacked platforms are 3-4 tiles apart and double-jump steps 5-7."""
import os

import numpy as np
from PIL import Image, ImageDraw

from common import ASSETS, write_json
from mapkit import MapBuilder, tileset_json

TILESET = "tiles.json"
EDITOR_PREVIEW_THEME = "Green"


# ------------------------------------------------------------------------------------------------
def tutorial():
    """Wide training ground. The in-game hints sit at fixed points: a goal over the centre (0, 9),
    the double-jump line at (0, 3), the drop-through line at (0, -3) and the wall-climb lines at
    x = +/-30; the climbing walls rise on both sides of those lines."""
    m = MapBuilder("tutorial.json", "Tutorial", "Green", 72, 36, seed=5)
    m.frame()                                   # walls x in [-36,-34) and [34,36), floor top -14
    # climbing walls: pillars with a floor-level passage under them into the side shafts
    m.rect(-26, -24, -9, 8, mirror=True)
    m.platform(-24, -20, 8, mirror=True)        # high walkway from the pillar top toward the goal
    m.platform(-19, -16, 4, mirror=True)        # step between the ledges and the walkway
    # floor steps (solid, so that a giant alien turns at them) and the centre
    m.rect(-14, -8, -14, -10, mirror=True)      # steps, 4 above the floor
    m.platform(-6, 6, -6)                       # drop-through platform under the "+" hint
    m.platform(-15, -9, 0, mirror=True)         # double-jump ledges, 6 above the drop platform
    m.platform(-4, 4, 5)                        # goal platform: zone above it, hint text at y 9
    # spawners
    m.spawner(-19, -14, "normal", mirror=True)
    m.spawner(-1, -14, "giant")
    m.spawner(-24, 8, "golden", mirror=True)
    # goal zones: the hint's zone first
    m.zone("Goal", -3, 5, 6, 3)
    m.zone("West Walk", -23, 8, 3, 3)
    m.zone("East Walk", 20, 8, 3, 3)
    # random events
    m.event("Sky", -8, 9, 16, 5)
    m.event("West Floor", -23, -13, 8, 2.5)
    m.event("East Floor", 15, -13, 8, 2.5)
    # portals at the bottom of the shafts link the two sides
    m.portal("Shafts", -34, -14, "Left")
    m.portal("Shafts", 33, -14, "Right")
    # spawn points
    m.spawn_point("P0", -6, -14)
    m.spawn_point("P1", 6, -14)
    m.spawn_point("P2", -11.5, -10)
    m.spawn_point("P3", 11.5, -10)
    return m


def mossy_hollow():
    m = MapBuilder("mossy_hollow.json", "Mossy Hollow", "Green", 64, 36, seed=11)
    m.frame()
    m.rect(-5, 5, -14, -12)                     # central mound
    m.rect(-12, -9, 14, 16, mirror=True)        # stalactites
    m.rect(-20, -18, 13, 16, mirror=True)
    m.rect(-24, -17, -14, -10, mirror=True)     # steps
    m.rect(-30, -25, -6, -4, mirror=True)       # low wall ledges, top -4
    m.platform(-15, -8, -6, mirror=True)        # T2
    m.platform(-4, 4, -2)                       # centre
    m.platform(-17, -12, 0, mirror=True)        # T2.5
    m.rect(-25, -19, 1, 3, mirror=True)         # islands, top 3
    m.rect(-30, -27, 6, 8, mirror=True)         # high wall ledges, top 8
    m.platform(-14, -7, 6, mirror=True)         # T5
    m.platform(-5, 5, 10)                       # summit
    m.spawner(-1, -12, "giant")
    m.spawner(-14, -14, "normal", mirror=True)
    m.spawner(-28, -4, "normal", mirror=True)
    m.spawner(-25, 3, "golden", mirror=True)
    m.zone("Centre", -3, -2, 6, 3)
    m.zone("West Step", -23, -10, 5, 3)
    m.zone("East Island", 19, 3, 5, 3)
    m.zone("West Island", -24, 3, 5, 3)
    m.zone("East Step", 18, -10, 5, 3)
    m.zone("Summit", -3, 10, 6, 3)
    m.event("Centre Sky", -9, 1, 18, 8)
    m.event("West Heights", -29, -3, 8, 3.5)
    m.event("East Heights", 21, -3, 8, 3.5)
    m.event("Low Centre", -8, -11.5, 16, 4)
    m.portal("Floor", -30, -14, "Left")
    m.portal("Floor", 29, -14, "Right")
    m.portal("High", -30, 8, "Left")
    m.portal("High", 29, 8, "Right")
    m.spawn_point("P0", -10, -14)
    m.spawn_point("P1", 10, -14)
    m.spawn_point("P2", -20.5, -10)
    m.spawn_point("P3", 20.5, -10)
    return m


def crystal_caverns():
    m = MapBuilder("crystal_caverns.json", "Crystal Caverns", "Ice", 64, 36, seed=23)
    m.frame()
    m.rect(-3, 3, -8, 4)                        # floating ice pillar, top 4
    m.rect(-22, -16, -14, -12, mirror=True)     # floor mounds, top -12
    m.platform(-15, -7, -9, mirror=True)        # T1
    m.rect(-30, -24, -8, -6, mirror=True)       # wall ledges, top -6
    m.platform(-22, -14, -3, mirror=True)       # T2
    m.platform(-12, -5, 1, mirror=True)         # T3 beside the pillar
    m.platform(-28, -21, 4, mirror=True)        # T4
    m.rect(-18, -10, 6, 8, mirror=True)         # ice islands, top 8
    m.rect(-30, -26, 9, 11, mirror=True)        # high wall ledges, top 11
    m.platform(-6, 6, 11)                       # bridge above the pillar
    m.rect(-24, -21, 14, 16, mirror=True)       # icicle teeth under the ceiling
    m.rect(-8, -6, 15, 16, mirror=True)
    m.spawner(-1, -14, "giant")
    m.spawner(-20, -12, "normal", mirror=True)
    m.spawner(-28, -6, "normal", mirror=True)
    m.spawner(-18, 8, "golden", mirror=True)
    m.zone("Pillar", -3, 4, 6, 3)
    m.zone("West Ledge", -29, -6, 4, 3)
    m.zone("East Island", 11, 8, 5, 3)
    m.zone("West Island", -16, 8, 5, 3)
    m.zone("East Ledge", 25, -6, 4, 3)
    m.zone("Bridge", -3, 11, 6, 3)
    m.event("Under Pillar", -6, -13.5, 12, 5)
    m.event("West Cave", -29, -1, 7, 4)
    m.event("East Cave", 22, -1, 7, 4)
    m.event("High Sky", -9, 8.5, 18, 3)
    m.portal("Floor", -30, -14, "Left")
    m.portal("Floor", 29, -14, "Right")
    m.portal("High", -30, 11, "Left")
    m.portal("High", 29, 11, "Right")
    m.spawn_point("P0", -10, -14)
    m.spawn_point("P1", 10, -14)
    m.spawn_point("P2", -11, -9)
    m.spawn_point("P3", 11, -9)
    return m


def red_mesa():
    m = MapBuilder("red_mesa.json", "Red Mesa", "Desert", 64, 36, seed=37)
    m.frame()
    m.rect(-30, -21, -14, -6, mirror=True)      # mesas, top -6
    m.rect(-21, -16, -14, -10, mirror=True)     # steps, top -10
    m.platform(-6, 6, -9)                       # valley platform
    m.platform(-14, -8, -5, mirror=True)        # side shelves
    m.rect(-6, 6, -4, -1)                       # table rock, top -1
    m.platform(-18, -13, 0, mirror=True)
    m.rect(-27, -19, 2, 4, mirror=True)         # floating chunks, top 4
    m.platform(-3, 3, 4)
    m.platform(-15, -9, 7, mirror=True)
    m.platform(-4, 4, 11)                       # crown
    m.rect(-30, -27, 9, 11, mirror=True)        # high wall ledges, top 11
    m.rect(-16, -12, 14, 16, mirror=True)       # overhangs
    m.spawner(-1, -1, "giant")
    m.spawner(-12, -14, "normal", mirror=True)
    m.spawner(-25, -6, "normal", mirror=True)
    m.spawner(-27, 4, "golden", mirror=True)
    m.zone("Table", -3, -1, 6, 3)
    m.zone("West Mesa", -29, -6, 4, 3)
    m.zone("East Chunk", 20, 4, 5, 3)
    m.zone("West Chunk", -25, 4, 5, 3)
    m.zone("East Mesa", 25, -6, 4, 3)
    m.zone("Crown", -3, 11, 6, 3)
    m.event("Valley", -9, -13.5, 18, 3)
    m.event("West Sky", -29, -3, 8, 4)
    m.event("East Sky", 21, -3, 8, 4)
    m.event("High Centre", -8, 6.5, 16, 3.5)
    m.portal("Mesas", -30, -6, "Left")
    m.portal("Mesas", 29, -6, "Right")
    m.portal("High", -30, 11, "Left")
    m.portal("High", 29, 11, "Right")
    m.spawn_point("P0", -9, -14)
    m.spawn_point("P1", 9, -14)
    m.spawn_point("P2", -18.5, -10)
    m.spawn_point("P3", 18.5, -10)
    return m


def frost_spires():
    m = MapBuilder("frost_spires.json", "Frost Spires", "Ice", 64, 36, seed=41)
    m.frame()
    m.rect(-14, -10, -9, 6, mirror=True)        # twin spires with an archway under each, top 6
    m.platform(-6, 6, -9)                       # well
    m.platform(-9, -4, -4, mirror=True)
    m.platform(-3, 3, 1)
    m.platform(-9, -5, 5, mirror=True)
    m.platform(-10, 10, 10)                     # bridge between the spire tops
    m.rect(-30, -24, -8, -6, mirror=True)       # outer wall ledges, top -6
    m.platform(-22, -16, -9, mirror=True)
    m.platform(-23, -17, -2, mirror=True)
    m.rect(-30, -25, 3, 5, mirror=True)         # high wall ledges, top 5
    m.platform(-22, -16, 8, mirror=True)
    m.rect(-22, -19, 14, 16, mirror=True)       # icicle teeth
    m.spawner(-1, -14, "giant")
    m.spawner(-28, -6, "normal", mirror=True)
    m.spawner(-18, -14, "normal", mirror=True)
    m.spawner(-14, 6, "golden", mirror=True)
    m.zone("Well", -3, 1, 6, 3)
    m.zone("West Spire", -13, 6, 3, 3)
    m.zone("East Floor", 20, -14, 5, 3)
    m.zone("West Floor", -25, -14, 5, 3)
    m.zone("East Spire", 10, 6, 3, 3)
    m.zone("Bridge", -3, 10, 6, 3)
    m.event("Well", -8, -13, 16, 3.5)
    m.event("West Yard", -28, -13, 7, 2.5)
    m.event("East Yard", 21, -13, 7, 2.5)
    m.event("Sky", -9, 11, 18, 4)
    m.portal("Low", -30, -14, "Left")
    m.portal("Low", 29, -14, "Right")
    m.portal("High", -30, 5, "Left")
    m.portal("High", 29, 5, "Right")
    m.spawn_point("P0", -21, -14)
    m.spawn_point("P1", 21, -14)
    m.spawn_point("P2", -19, -10)
    m.spawn_point("P3", 19, -10)
    return m


def all_maps():
    return [tutorial(), mossy_hollow(), crystal_caverns(), red_mesa(), frost_spires()]


# ------------------------------------------------------------------------------------------------
def preview(mb, fg, bg, images, background, path, scale=0.5):
    """Composite the map (background picture, decorations, tiles) with its objects outlined."""
    W, H = mb.W, mb.H
    px = int(64 * scale)
    img = background.convert("RGBA").resize((W * px, H * px))
    cache = {}

    def tile(tid):
        if tid not in cache:
            cache[tid] = images[tid][1].resize((px, px), Image.LANCZOS)
        return cache[tid]

    for layer in (bg, fg):
        for r in range(H):
            for c in range(W):
                if layer[r, c] >= 0:
                    img.alpha_composite(tile(int(layer[r, c])), (c * px, r * px))
    d = ImageDraw.Draw(img)
    colours = {"Zones": (90, 255, 120), "RandomEvents": (255, 220, 60), "Portals": (200, 110, 255),
               "SpawnPoints": (255, 255, 255)}
    for layer, o in mb.objects:
        x0 = o["x"] / 64 * px
        y0 = o["y"] / 64 * px
        x1 = x0 + o["width"] / 64 * px
        y1 = y0 + o["height"] / 64 * px
        col = colours[layer]
        if layer == "RandomEvents":
            d.ellipse([x0, y0, x1, y1], outline=col, width=2)
        else:
            d.rectangle([x0, y0, x1, y1], outline=col, width=2)
        d.text((x0 + 3, y0 + 2), o["name"], fill=col)
    if mb.name == "Tutorial":
        def wp(x, y):
            return (x + W / 2) * px, (H / 2 - y) * px
        for (x, y) in [(1.25, -2.5), (-6.4, 3.5), (31.25, 0.6), (-28.75, 0.6), (-2.5, -2.5), (-1.25, -2.5)]:
            a, b = wp(x - 0.75, y + 0.75)
            c, e = wp(x + 0.75, y - 0.75)
            d.rectangle([a, b, c, e], outline=(120, 200, 255), width=2)
        for (text, x, y, sc) in [("Stand at an active goal to deposit slimes", 0, 9, 1.0),
                                 ("Press     in midair to double jump", 0, 3, 0.75), ("+", 0, -3, 0.75),
                                 ("Hold     to", -30, 0, 1), ("Hold     to", 30, 0, 1),
                                 ("wall climb", -30, -2, 1), ("wall climb", 30, -2, 1)]:
            half = len(text) * 0.5 * sc * 0.8
            a, b = wp(x - half, y + 0.5 * sc)
            c, e = wp(x + half, y - 0.5 * sc)
            d.rectangle([a, b, c, e], outline=(255, 255, 255), width=1)
            d.text((a, b), text, fill=(255, 255, 255))
    # play-field bounds
    bx0 = (2) * px
    bx1 = (W - 1) * px
    by0 = 1 * px
    by1 = (H - 2) * px
    d.rectangle([bx0, by0, bx1, by1], outline=(255, 80, 80), width=1)
    img.convert("RGB").save(path)


def write_map(doc, path):
    """Map JSON with every tile layer's data written one map row per line."""
    import json
    rows = {}
    for i, layer in enumerate(doc["layers"]):
        if "data" in layer:
            key = "@@DATA%d@@" % i
            w = layer["width"]
            data = layer["data"]
            rows[key] = "[\n" + ",\n".join("  " + ",".join(str(v) for v in data[r * w:(r + 1) * w])
                                             for r in range(layer["height"])) + "\n ]"
            layer["data"] = key
    text = json.dumps(doc, indent=1)
    for key, txt in rows.items():
        text = text.replace('"%s"' % key, txt)
    json.loads(text)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text + "\n")


def build(theme_images, backgrounds, preview_dir=None):
    out = os.path.join(ASSETS, "levels")
    written = []
    ts = tileset_json("tiles")
    p = os.path.join(out, TILESET)
    write_json(ts, p)
    written.append(p)
    # Copies of one theme's tile pictures next to the tile set, so that the tile-map editor (which
    # looks for images beside the tile-set file) shows the tiles while a map is being edited. The
    # game reads the pictures from the colour folders under assets/img.
    for tid, (fname, img) in sorted(theme_images[EDITOR_PREVIEW_THEME].items()):
        p = os.path.join(out, fname)
        img.save(p, format="PNG", optimize=True)
        written.append(p)
    stats = {}
    for mb in all_maps():
        doc, fg, bg, issues = mb.to_json(TILESET)
        p = os.path.join(out, mb.fname)
        write_map(doc, p)
        written.append(p)
        stats[mb.fname] = (mb.counts(), issues)
        if preview_dir:
            os.makedirs(preview_dir, exist_ok=True)
            preview(mb, fg, bg, theme_images[mb.color], backgrounds[mb.color],
                    os.path.join(preview_dir, mb.fname.replace(".json", ".png")))
    return stats, written
