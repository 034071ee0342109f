"""Particle textures and the particle effect files.

The particle shader has no tint, so every colour is its own texture. Glowing effects (sparks, slime,
portals, stars, trails, streaks) are bright enough to bloom; dust, steam and the void are kept dim.
Textures keep their colour out to the transparent edge so that filtering never darkens the rim."""
import math
import os

import numpy as np

from canvas import Canvas, circle, polygon, union
from common import ASSETS, hexrgb, save_png, smooth, to_image, write_json

N = 64
TEX_DIR = "assets/img/particles"      # path form written into the effect files


def grid():
    y, x = np.mgrid[0:N, 0:N] + 0.5
    x = (x - N / 2) / (N / 2)
    y = (y - N / 2) / (N / 2)
    return x, y, np.hypot(x, y)


def glow(colour, core=0.5, sharp=1.3, edge=1.0):
    """Soft round glow: colour with a whitened core, alpha falling to 0 at the edge."""
    x, y, r = grid()
    c = hexrgb(colour)
    a = np.clip(1 - r / edge, 0, 1) ** sharp
    w = np.clip(1 - r / 0.45, 0, 1) ** 1.5 * core
    rgb = c * (1 - w[..., None]) + np.ones(3) * w[..., None]
    return to_image(rgb, a)


def ring_glow(colour, radius=0.55, width=0.22, core=0.3):
    x, y, r = grid()
    c = hexrgb(colour)
    a = np.exp(-((r - radius) / width) ** 2) + 0.35 * np.clip(1 - r / 0.5, 0, 1) ** 2
    a = np.clip(a, 0, 1) * np.clip((1 - r) / 0.08, 0, 1)
    w = np.exp(-((r - radius) / (width * 0.5)) ** 2) * core
    rgb = c * (1 - w[..., None]) + w[..., None]
    return to_image(rgb, a)


def spark(colour, core=0.85):
    """Four-point star spark with a white-hot centre."""
    x, y, r = grid()
    c = hexrgb(colour)
    ax, ay = np.abs(x), np.abs(y)
    rays = np.exp(-ay / 0.06) * np.clip(1 - ax, 0, 1) ** 1.5 + np.exp(-ax / 0.06) * np.clip(1 - ay, 0, 1) ** 1.5
    diag = np.exp(-np.abs(ax - ay) / 0.05) * np.clip(1 - r / 0.6, 0, 1) ** 2 * 0.5
    blob = np.clip(1 - r / 0.45, 0, 1) ** 2
    a = np.clip(rays + diag + blob, 0, 1) * np.clip((1 - r) / 0.1, 0, 1)
    w = np.clip(1 - r / 0.3, 0, 1) * core
    rgb = c * (1 - w[..., None]) + w[..., None]
    return to_image(rgb, a)


def star(colour, points=5, core=0.7):
    """A plump star with a soft halo (golden sparkles)."""
    c = Canvas(N, N, 4)
    pts = []
    for k in range(points * 2):
        ang = -math.pi / 2 + k * math.pi / points
        rad = 26 if k % 2 == 0 else 11
        pts.append((32 + rad * math.cos(ang), 33 + rad * math.sin(ang)))
    sdf = polygon(c, pts)
    col = hexrgb(colour)
    halo = np.clip(1 - np.hypot(c.X - 32, c.Y - 32) / 32, 0, 1) ** 2 * 0.45
    c.over(col, halo)
    c.over(col, np.clip(sdf / 1.5 + 0.5, 0, 1))
    centre = np.clip(1 - np.hypot(c.X - 32, c.Y - 33) / 9, 0, 1) * core
    c.over(np.ones(3), centre * (sdf > 0))
    rgb, a = c.image()
    return to_image(np.where(a[..., None] > 0.001, rgb, col), a)


def slime_drop(colour="#7CF25C", light="#C8FF9A", rim="#2E8A2A"):
    """A round slime blob with a highlight and a darker rim (splats and streaks)."""
    c = Canvas(N, N, 4)
    body = union(circle(c, 32, 36, 22), polygon(c, [(18, 26), (46, 26), (34, 6), (30, 6)]))
    c.shape(body, hexrgb(colour), outline=4.0, outline_rgb=hexrgb(rim))
    c.shape(circle(c, 24, 30, 6.5), hexrgb(light), outline=0)
    c.shape(circle(c, 40, 44, 3.0), hexrgb(light), outline=0)
    rgb, a = c.image()
    return to_image(np.where(a[..., None] > 0.001, rgb, hexrgb(rim)), a)


def puff(colour, alpha=0.85, lumps=((0, 0, 0.55), (-0.3, 0.15, 0.38), (0.32, 0.12, 0.4), (0.05, -0.28, 0.36)), seed=3):
    """A soft cloud made of overlapping round lumps (dust, steam)."""
    x, y, r = grid()
    a = np.zeros_like(r)
    for (cx, cy, rr) in lumps:
        d = np.hypot(x - cx, y - cy) / rr
        a = np.maximum(a, np.clip(1 - d, 0, 1) ** 0.8)
    # fade the outer rim softly
    a = smooth(0.0, 0.6, a) * alpha
    shade = 0.92 + 0.08 * (-y)                  # lighter on top
    rgb = hexrgb(colour)[None, None, :] * shade[..., None]
    return to_image(np.clip(rgb, 0, 1), a)


def void_blob():
    """Dark vortex speck: a near-black core inside a violet rim, so it reads against the night sky."""
    x, y, r = grid()
    core = hexrgb("#0E0618")
    rim = hexrgb("#8A4CD0")
    a = np.clip(1 - r, 0, 1) ** 0.5 * 0.95
    t = smooth(0.35, 0.8, r)
    rgb = core * (1 - t[..., None]) + rim * t[..., None]
    return to_image(rgb, a)


TEXTURES = {
    "spark_yellow.png": lambda: spark("#FFC23D"),
    "puff_white.png": lambda: ring_glow("#D8CCFF", radius=0.5, width=0.2, core=0.5),
    "dust_puff.png": lambda: puff("#A49AB8", alpha=0.8),
    "steam_puff.png": lambda: puff("#8A8A94", alpha=0.75, lumps=((0, 0.05, 0.5), (-0.28, 0.2, 0.36), (0.3, 0.18, 0.34), (0, -0.3, 0.4))),
    "slime_drop.png": lambda: slime_drop(),
    "slime_glow.png": lambda: glow("#7CF25C", core=0.5, sharp=1.1),
    "star_gold.png": lambda: star("#FFD34D"),
    "beacon_mint.png": lambda: glow("#7CFFC8", core=0.6, sharp=1.2),
    "portal_white.png": lambda: glow("#D2B8FF", core=0.7, sharp=1.3),
    "portal_purple.png": lambda: glow("#B45CFF", core=0.5, sharp=1.2),
    "portal_cyan.png": lambda: glow("#4CE6FF", core=0.5, sharp=1.2),
    "portal_orange.png": lambda: glow("#FF9A3C", core=0.5, sharp=1.2),
    "portal_pink.png": lambda: glow("#FF5CC8", core=0.5, sharp=1.2),
    "portal_lime.png": lambda: glow("#C8FF4C", core=0.5, sharp=1.2),
    "trail_red.png": lambda: glow("#E8474C", core=0.45, sharp=1.15),
    "trail_blue.png": lambda: glow("#3F7CE8", core=0.45, sharp=1.15),
    "trail_yellow.png": lambda: glow("#F2C53D", core=0.45, sharp=1.15),
    "trail_grey.png": lambda: glow("#9AA3AD", core=0.45, sharp=1.15),
    "void_dark.png": void_blob,
    "glow_white.png": lambda: glow("#FFFFFF", core=1.0, sharp=1.6),
}

PI = 3.1415927
HALF_PI = 1.5707964


def effect(tex, count, scale, delay, delay_vary, angle, angle_vary, speed, speed_vary, life, life_vary,
           drag, fading, shrinking, emitter):
    """One effect file, keys in the order the particle editor writes them."""
    return {
        "sourceFilenme": TEX_DIR + "/" + tex,
        "particleCount": int(count),
        "scale": float(scale),
        "emitDelay": float(delay),
        "emitDelayVary": float(delay_vary),
        "emitAngle": float(angle),
        "emitAngleVary": float(angle_vary),
        "emitSpeed": float(speed),
        "emitSpeedVary": float(speed_vary),
        "particleLifetime": float(life),
        "particleLifeVary": float(life_vary),
        "drag": float(drag),
        "doFading": bool(fading),
        "doShrinking": bool(shrinking),
        "ParticleEmitter": emitter,
    }


def basic(radius, wx=0.0, wy=0.0):
    return {"EmitterType": "BasicEmitter", "radius": float(radius), "windX": float(wx), "windY": float(wy)}


def absorb(radius, pull):
    return {"EmitterType": "AbsorbEmitter", "radius": float(radius), "pull": float(pull)}


def square(sx, sy, wx=0.0, wy=0.0):
    return {"EmitterType": "SquareEmitter", "sizeX": float(sx), "sizeY": float(sy), "windX": float(wx), "windY": float(wy)}


def effects():
    e = {}
    # Air jump: a puff under the feet, thrown down and behind a left-facing character (mirrored when
    # the character faces right).
    e["DoubleJump"] = effect("puff_white.png", 12, 0.2, 0.003, 0.0, -1.2, 0.6, 1.6, 0.6, 0.3, 0.08, 4.0,
                             True, True, basic(0.06))
    # Punch impact: a quick spray of sparks in every direction.
    e["DravikHit"] = effect("spark_yellow.png", 20, 0.15, 0.001, 0.0, 0.0, PI, 2.0, 0.8, 0.24, 0.06, 5.0,
                            True, True, basic(0.02))
    # Landing: dust kicked out sideways along the ground, drifting up a little.
    e["Landing"] = effect("dust_puff.png", 10, 0.18, 0.002, 0.0, HALF_PI, 1.45, 1.0, 0.4, 0.35, 0.1, 5.0,
                          True, False, basic(0.1, 0.0, 0.25))
    # Slime splat: drops thrown up and out, falling back.
    e["SlimeSplat"] = effect("slime_drop.png", 16, 0.06, 0.001, 0.0, HALF_PI, 1.4, 1.5, 0.6, 0.5, 0.15, 1.2,
                             True, True, basic(0.03, 0.0, -1.8))
    # Goal switch: a fountain of glowing slime over the new zone.
    e["SlimeBoom"] = effect("slime_glow.png", 40, 0.16, 0.002, 0.0, HALF_PI, 1.1, 3.2, 1.2, 0.8, 0.2, 1.2,
                            True, True, basic(0.15, 0.0, -3.0))
    # Teleport: a burst pushed outward at the arrival, a swirl sucked in at the departure.
    e["PortalIn"] = effect("portal_white.png", 28, 0.16, 0.002, 0.0, 0.0, PI, 1.2, 0.5, 0.4, 0.1, 2.0,
                           True, True, absorb(0.05, -6.0))
    e["PortalOut"] = effect("portal_purple.png", 24, 0.15, 0.003, 0.0, 0.0, PI, 0.3, 0.2, 0.35, 0.05, 1.0,
                            True, True, absorb(0.55, 7.0))
    # Portal pairs: endless glow filling the portal rectangle (the emitter is stretched to the portal).
    for i, (tex, wy) in enumerate((("portal_purple.png", 0.8), ("portal_cyan.png", 0.8), ("portal_orange.png", 0.8),
                                   ("portal_pink.png", 0.8), ("portal_lime.png", 0.8))):
        e["ProtoPortal%d" % i] = effect(tex, 0, 0.3, 0.012, 0.004, HALF_PI, PI, 0.25, 0.15, 0.8, 0.3, 1.0,
                                        True, True, square(1.0, 1.0, 0.0, wy))
    # Player trails: endless soft glow in each player's colour (red, blue, yellow, grey).
    for i, tex in enumerate(("trail_red.png", "trail_blue.png", "trail_yellow.png", "trail_grey.png")):
        e["CharacterTrail%d" % (i + 1)] = effect(tex, 0, 0.14, 0.015, 0.004, HALF_PI, PI, 0.05, 0.05, 0.35, 0.1,
                                                 2.0, True, True, basic(0.12, 0.0, 0.1))
    # Meteor: an endless spray of slime trailing the falling rock.
    e["SlimeSpew"] = effect("slime_glow.png", 0, 0.1, 0.012, 0.003, HALF_PI, PI, 0.5, 0.3, 0.5, 0.15, 1.0,
                            True, True, basic(0.06, 0.0, -0.6))
    # Steam: puffs rising from a spawner (also the active-spawner marker, topped up by the game).
    e["Steam"] = effect("steam_puff.png", 30, 0.22, 0.035, 0.01, HALF_PI, 0.4, 0.45, 0.15, 0.65, 0.15, 0.8,
                        True, False, basic(0.1, 0.0, 0.15))
    # Golden alien sparkle.
    e["Sparkle"] = effect("star_gold.png", 20, 0.09, 0.045, 0.015, HALF_PI, PI, 0.12, 0.06, 0.55, 0.2, 1.0,
                          True, True, basic(0.22, 0.0, 0.1))
    # Active goal marker: a rising column of mint light.
    e["TargetZone"] = effect("beacon_mint.png", 60, 0.12, 0.025, 0.008, HALF_PI, 0.12, 1.0, 0.3, 0.6, 0.15, 0.6,
                             True, True, basic(0.45))
    # Wormhole: dark specks sucked into the centre.
    e["void"] = effect("void_dark.png", 60, 0.16, 0.015, 0.005, 0.0, PI, 0.25, 0.1, 0.8, 0.15, 0.3,
                       True, True, absorb(0.45, 1.2))
    # Streaks (the game swaps in a line emitter): short-lived glows along the line.
    e["Streak"] = effect("glow_white.png", 20, 0.32, 0.004, 0.001, 0.0, PI, 0.05, 0.05, 0.35, 0.1, 1.0,
                         True, True, basic(0.0))
    e["SlimeStreak"] = effect("slime_glow.png", 60, 0.16, 0.008, 0.002, HALF_PI, PI, 0.2, 0.2, 0.3, 0.1, 1.0,
                              True, True, basic(0.0))
    return e


def check(name, d):
    """The rules the game relies on."""
    assert d["emitDelay"] + d["emitDelayVary"] > 0, name
    assert d["particleLifetime"] - d["particleLifeVary"] > 0, name
    t = d["ParticleEmitter"]["EmitterType"]
    assert t in ("BasicEmitter", "AbsorbEmitter", "SquareEmitter"), name
    if name.startswith("CharacterTrail"):
        assert d["particleCount"] == 0 and t == "BasicEmitter", name
    elif name.startswith("ProtoPortal"):
        assert d["particleCount"] == 0 and t == "SquareEmitter", name
    elif name != "SlimeSpew":
        assert d["particleCount"] > 0, name
    if name in ("Steam", "TargetZone"):
        # markers are topped up when under a second of emission is left: keep a particle's life short
        # enough that this happens before the count runs out
        assert d["particleLifetime"] + d["particleLifeVary"] + d["emitDelay"] + d["emitDelayVary"] < 1.0, name


def build():
    written = []
    for fname, fn in TEXTURES.items():
        p = os.path.join(ASSETS, "img", "particles", fname)
        save_png(fn(), p)
        written.append(p)
    # The jump and stomp dust is built in code and names its texture directly.
    p = os.path.join(ASSETS, "img", "SlimeParticle.png")
    save_png(slime_drop(), p)
    written.append(p)
    folder = os.path.join(ASSETS, "json", "particles")
    effs = effects()
    for name, d in effs.items():
        check(name, d)
        assert os.path.basename(d["sourceFilenme"]) in TEXTURES, name
        p = os.path.join(folder, name + ".json")
        write_json(d, p, indent=4)
        written.append(p)
    # the particle editor opens this one on entry
    p = os.path.join(folder, "latestParticleSession.json")
    write_json(effs["DravikHit"], p, indent=4)
    written.append(p)
    return written
