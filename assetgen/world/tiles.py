"""Level tile images: solid ground pieces chosen by neighbourhood, jump-through platforms, spawner pipes
and background decorations, one set per colour theme. Every tile is 64 x 64 and tiles seamlessly."""
import os

import numpy as np

from canvas import Canvas, box, capsule, circle, clamp_bloom, ellipse, finish, polygon, union
from common import ASSETS, OUTLINE, coverage, max_sum, periodic_noise, save_png, smooth, to_image, downsample
from themes import KIND_COLOURS, THEMES

T = 64          # tile size in pixels
SS = 4          # supersampling
OW = 4.0        # outline width (px)
R_CORNER = 14.0  # rounding of convex corners (px)
BLOOM = 1.60    # keep tiles well under the glow threshold

# ----------------------------------------------------------------------------------------------
# The tile set. Ids are fixed; the map generator and the tile-set file use this table.
# kind: "solid" (Collides), "platform" (Passthrough), "spawner" (Spawner + SpawnerType), "deco" (none)
# For solid tiles: N, E, S, W say which sides are open (exposed); inner = concave corner (diagonal open).
# ----------------------------------------------------------------------------------------------
SOLID_PIECES = [
    # id, file, open sides (N E S W), open diagonal for inner corners
    (0, "ground_fill.png", "", None),
    (1, "ground_top.png", "N", None),
    (2, "ground_top_left.png", "NW", None),
    (3, "ground_top_right.png", "NE", None),
    (4, "ground_left.png", "W", None),
    (5, "ground_right.png", "E", None),
    (6, "ground_bottom.png", "S", None),
    (7, "ground_bottom_left.png", "SW", None),
    (8, "ground_bottom_right.png", "SE", None),
    (9, "ground_inner_top_left.png", "", "NW"),
    (10, "ground_inner_top_right.png", "", "NE"),
    (11, "ground_inner_bottom_left.png", "", "SW"),
    (12, "ground_inner_bottom_right.png", "", "SE"),
    (13, "ground_block.png", "NESW", None),
    (14, "ledge_left.png", "NSW", None),
    (15, "ledge_mid.png", "NS", None),
    (16, "ledge_right.png", "NES", None),
    (17, "column_top.png", "NEW", None),
    (18, "column_mid.png", "EW", None),
    (19, "column_bottom.png", "ESW", None),
]
PLATFORM_PIECES = [
    (20, "platform_left.png", "left"),
    (21, "platform_mid.png", "mid"),
    (22, "platform_right.png", "right"),
    (23, "platform_single.png", "single"),
]
SPAWNER_PIECES = [
    (24, "spawner_normal.png", "normal", 0),
    (25, "spawner_giant.png", "giant", 1),
    (26, "spawner_golden.png", "golden", 2),
]
DECO_PIECES = [
    (27, "deco_tuft.png", "tuft"),
    (28, "deco_bush.png", "bush"),
    (29, "deco_tall.png", "tall"),
    (30, "deco_hang.png", "hang"),
    (31, "deco_rock.png", "rock"),
]


def tile_table():
    """[(id, file, kind, extra)] for every tile of the set, in id order."""
    rows = []
    for tid, f, sides, inner in SOLID_PIECES:
        rows.append((tid, f, "solid", (sides, inner)))
    for tid, f, part in PLATFORM_PIECES:
        rows.append((tid, f, "platform", part))
    for tid, f, kind, stype in SPAWNER_PIECES:
        rows.append((tid, f, "spawner", (kind, stype)))
    for tid, f, what in DECO_PIECES:
        rows.append((tid, f, "deco", what))
    rows.sort()
    return rows


def solid_id_for(open_n, open_e, open_s, open_w, diag):
    """Pick the solid tile id for a cell. diag: dict of open diagonals {'NW': bool, ...}."""
    key = ("N" if open_n else "") + ("E" if open_e else "") + ("S" if open_s else "") + ("W" if open_w else "")
    if key == "":
        for tid, _f, sides, inner in SOLID_PIECES:
            if inner and diag.get(inner):
                return tid
        return 0
    for tid, _f, sides, inner in SOLID_PIECES:
        if inner is None and set(sides) == set(key):
            return tid
    raise KeyError(key)


# ----------------------------------------------------------------------------------------------
# Shared fields (periodic over one tile so that neighbouring tiles always match)
# ----------------------------------------------------------------------------------------------
class Fields:
    def __init__(self, theme):
        rng = np.random.default_rng(theme.seed)
        n = T * SS
        self.noise_lo = periodic_noise(rng, n, ((1, 1.0), (2, 0.6), (3, 0.4)))
        self.noise_hi = periodic_noise(rng, n, ((6, 1.0), (9, 0.7), (13, 0.5), (17, 0.4)))
        self.noise_mid = periodic_noise(rng, n, ((3, 1.0), (4, 0.8), (5, 0.6)))
        npts = {"Green": 5, "Ice": 4, "Desert": 9}[theme.folder]
        self.f1, self.f2, self.cell = worley_ids(rng, n, npts)
        self.cell_shade = rng.uniform(-1, 1, npts)
        # wave shapes (integer frequencies over one tile)
        self.wave_phase = rng.uniform(0, 2 * np.pi, 4)


def worley_ids(rng, size, n_points):
    pts = rng.uniform(0, size, (n_points, 2))
    y, x = np.mgrid[0:size, 0:size] + 0.5
    best1 = np.full((size, size), np.inf)
    best2 = np.full((size, size), np.inf)
    ids = np.zeros((size, size), dtype=int)
    for i, (px, py) in enumerate(pts):
        for ox in (-size, 0, size):
            for oy in (-size, 0, size):
                d = np.hypot(x - (px + ox), y - (py + oy))
                closer = d < best1
                best2 = np.where(closer, best1, np.minimum(best2, d))
                ids = np.where(closer, i, ids)
                best1 = np.where(closer, d, best1)
    return best1 / SS, best2 / SS, ids


def fill_texture(theme, F, X, Y):
    """Interior rock colour for supersampled coordinates (the arrays are the canvas grid)."""
    th = theme
    lo = F.noise_lo[..., None]
    hi = F.noise_hi[..., None]
    if th.folder == "Green":
        shade = F.cell_shade[F.cell][..., None]
        base = th.fill + (th.fill_light - th.fill) * np.clip(0.35 + 0.25 * shade - 0.03 * F.f1[..., None], 0, 1)
        base = base + 0.03 * lo + 0.02 * hi
        edge = F.f2 - F.f1
        crack = smooth(2.2, 0.8, edge)[..., None]
        base = base * (1 - 0.45 * crack) + th.crack * 0.45 * crack
        moss = smooth(0.55, 0.75, F.noise_mid + 0.2 * F.noise_hi)[..., None] * 0.55
        base = base * (1 - moss) + th.speck * moss
        return base
    if th.folder == "Ice":
        shade = F.cell_shade[F.cell][..., None]
        # facets: brightness by cell plus a diagonal gradient
        diag = ((X + Y) % 64 / 64.0)[..., None]
        base = th.fill + (th.fill_light - th.fill) * np.clip(0.4 + 0.35 * shade + 0.15 * lo, 0, 1)
        base = base + (th.fill_dark - th.fill) * 0.25 * diag
        edge = F.f2 - F.f1
        crack = smooth(2.0, 0.6, edge)[..., None]
        base = base * (1 - 0.7 * crack) + th.crack * 0.7 * crack
        glint = smooth(0.78, 0.92, F.noise_hi)[..., None]
        base = base * (1 - 0.35 * glint) + th.speck * 0.35 * glint
        return base
    # Desert: sandstone strata, four bands per tile, gently waving
    wave = 3.0 * np.sin(2 * np.pi * X / 64.0 + F.wave_phase[0]) + 1.5 * np.sin(4 * np.pi * X / 64.0 + F.wave_phase[1])
    v = (Y + wave + 2.0 * F.noise_lo) / 16.0
    band = np.floor(v).astype(int) % 4
    frac = v - np.floor(v)
    tones = np.array([th.fill, th.fill_light, th.fill, th.fill_dark * 0.5 + th.fill * 0.5])
    base = tones[band]
    line = smooth(0.12, 0.0, frac)[..., None] * 0.6
    base = base * (1 - line) + th.crack * line
    base = base + 0.035 * hi
    pebble = smooth(1.4, 0.4, F.f1)[..., None] * 0.8
    base = base * (1 - pebble) + th.speck * pebble
    return base


# ----------------------------------------------------------------------------------------------
# Solid pieces
# ----------------------------------------------------------------------------------------------
def solid_distance(X, Y, open_n, open_e, open_s, open_w, open_diag):
    """Distance (px) from points of the centre tile to the open space around it, with convex corners
    rounded. open_diag: set of open diagonal cells among 'NW','NE','SW','SE' (only those whose two
    neighbouring sides are closed matter)."""
    inf = np.full(X.shape, 1e6)
    d = inf.copy()
    if open_n:
        d = np.minimum(d, Y)
    if open_s:
        d = np.minimum(d, T - Y)
    if open_w:
        d = np.minimum(d, X)
    if open_e:
        d = np.minimum(d, T - X)
    corners = {"NW": (0.0, 0.0, open_n, open_w), "NE": (T, 0.0, open_n, open_e),
               "SW": (0.0, T, open_s, open_w), "SE": (T, T, open_s, open_e)}
    for name, (cx, cy, a, b) in corners.items():
        if a and b:
            # rounded convex corner: inside the corner square measure to the arc
            sx = 1.0 if cx == 0 else -1.0
            sy = 1.0 if cy == 0 else -1.0
            ax, ay = cx + sx * R_CORNER, cy + sy * R_CORNER
            region = (sx * (X - ax) < 0) & (sy * (Y - ay) < 0)
            arc = R_CORNER - np.hypot(X - ax, Y - ay)
            d = np.where(region, arc, d)
        elif not a and not b and name in open_diag:
            d = np.minimum(d, np.hypot(X - cx, Y - cy))
    return d


def render_solid(theme, F, sides, inner):
    c = Canvas(T, T, SS)
    X, Y = c.X, c.Y
    on, oe, os_, ow = ("N" in sides), ("E" in sides), ("S" in sides), ("W" in sides)
    diag = {inner} if inner else set()

    def dist(x, y):
        return solid_distance(x, y, on, oe, os_, ow, diag)

    d = dist(X, Y)
    h = 0.25
    gx = dist(X + h, Y) - dist(X - h, Y)
    gy = dist(X, Y + h) - dist(X, Y - h)
    # outward normal = -gradient
    nx, ny = -gx, -gy
    top_ish = (-ny >= np.abs(nx)) & (d < 1e5)
    bot_ish = (ny >= np.abs(nx)) & (d < 1e5)
    side_ish = ~(top_ish | bot_ish) & (d < 1e5)

    th = theme
    rgb = fill_texture(th, F, X, Y)

    # side rims
    s_w = OW + 5.0
    rim = side_ish & (d < s_w)
    rim_col = th.rim + 0.04 * F.noise_hi[..., None]
    rgb = np.where(rim[..., None], rim_col, rgb)
    # underside
    wave_b = 7.0 + 2.0 * np.sin(2 * np.pi * 3 * X / 64.0 + F.wave_phase[2])
    under = bot_ish & (d < OW + wave_b)
    rgb = np.where(under[..., None], th.under + 0.03 * F.noise_hi[..., None], rgb)
    # top surface (moss / snow / sand crust) with a scalloped lower edge
    if th.folder == "Green":
        g = 12.0 + 3.0 * np.sin(2 * np.pi * 4 * X / 64.0 + F.wave_phase[0]) + 2.0 * np.sin(2 * np.pi * 7 * X / 64.0)
    elif th.folder == "Ice":
        g = 12.0 + 3.5 * np.abs(np.sin(2 * np.pi * 3 * X / 64.0 + F.wave_phase[0])) + 1.5 * np.sin(2 * np.pi * 5 * X / 64.0)
    else:
        g = 9.0 + 2.0 * np.sin(2 * np.pi * 2 * X / 64.0 + F.wave_phase[0]) + 1.0 * np.sin(2 * np.pi * 9 * X / 64.0)
    topband = top_ish & (d < OW + g)
    tcol = th.top + (th.top_light - th.top) * np.clip(0.5 + 0.6 * F.noise_hi, 0, 1)[..., None] * 0.6
    # darker toward the lower edge of the band
    depth = np.clip((d - OW) / np.maximum(g, 1), 0, 1)[..., None]
    tcol = tcol * (1 - 0.35 * depth) + th.top_dark * 0.35 * depth
    rgb = np.where(topband[..., None], tcol, rgb)
    # highlight line just under the outline on top surfaces
    hl = top_ish & (d >= OW) & (d < OW + 2.0)
    rgb = np.where(hl[..., None], th.top_light, rgb)
    # shadow line under the band
    sh = top_ish & (d >= OW + g) & (d < OW + g + 2.0)
    rgb = np.where(sh[..., None], rgb * 0.72, rgb)
    # side highlight line
    shl = side_ish & (d >= OW) & (d < OW + 1.5)
    rgb = np.where(shl[..., None], th.rim * 1.18, rgb)

    # outline and coverage
    out = np.array(OUTLINE) / 255.0
    line = coverage(OW - d, 0.6)
    rgb = rgb * (1 - line[..., None]) + out * line[..., None]
    alpha = coverage(d, 0.6)
    rgb = clamp_bloom(rgb, BLOOM)
    rgb_s = downsample(rgb * alpha[..., None], SS)
    a_s = downsample(alpha[..., None], SS)[..., 0]
    rgb_s = np.where(a_s[..., None] > 1e-6, rgb_s / np.maximum(a_s[..., None], 1e-6), out)
    return to_image(rgb_s, a_s)


# ----------------------------------------------------------------------------------------------
# Jump-through platforms: a slab whose walkable top is the tile's top edge
# ----------------------------------------------------------------------------------------------
SLAB = 26.0


def _slab(c, x0, x1):
    # rounded box with radius 9 on the end caps; straight top/bottom
    return box(c, x0, 0.0, x1, SLAB, r=9.0 if (x0 > 0 or x1 < T) else 0.0)


def render_platform(theme, F, part):
    th = theme
    c = Canvas(T, T, SS)
    X, Y = c.X, c.Y
    # hanging bits under the slab (drawn first, behind the slab)
    hang_x = {"left": [22, 46], "mid": [14, 42], "right": [18, 42], "single": [22, 42]}[part]
    for i, hx in enumerate(hang_x):
        ln = 12 + 6 * ((i + len(part)) % 2)
        if th.folder == "Green":
            s = capsule(c, hx, SLAB - 4, hx + 2 * (-1) ** i, SLAB + ln, 3.2)
            c.shape(s, th.drip, outline=2.5)
            c.shape(circle(c, hx + 2 * (-1) ** i, SLAB + ln, 4.5), th.top, outline=2.5)
        elif th.folder == "Ice":
            s = polygon(c, [(hx - 6, SLAB - 3), (hx + 6, SLAB - 3), (hx + 0.5, SLAB + ln + 4)])
            c.shape(s, th.plat_light, outline=2.5)
        else:
            s = box(c, hx - 3, SLAB - 4, hx + 3, SLAB + 7, r=2)
            c.shape(s, th.plat_dark, outline=2.5)
    sdf = _slab(c, 5.0 if part in ("left", "single") else -40.0, T - 5.0 if part in ("right", "single") else T + 40.0)
    # body colour
    if th.folder == "Green":
        grain = 0.5 + 0.5 * np.sin(2 * np.pi * (Y / 5.0 + 0.6 * np.sin(2 * np.pi * 2 * X / 64.0)))
        body = th.plat + (th.plat_light - th.plat) * (0.35 * grain)[..., None]
        seam = (np.abs(((X + 16) % 32) - 16) < 1.2) & (Y > 6)
        body = np.where(seam[..., None], th.plat_dark, body)
        knot = circle(c, 44, 14, 2.6) > 0
        body = np.where(knot[..., None], th.plat_dark, body)
    elif th.folder == "Ice":
        streak = 0.5 + 0.5 * np.sin(2 * np.pi * (X + Y * 1.5) / 21.33)
        body = th.plat + (th.plat_light - th.plat) * (0.45 * streak ** 4)[..., None]
    else:
        band = (Y // 7).astype(int) % 2
        body = np.where(band[..., None] == 1, th.plat, th.plat * 0.85 + th.plat_dark * 0.15)
        body = body + 0.04 * F.noise_hi[..., None]
    # top band and underside shading by depth from the top / bottom
    top = Y < OW + 6.0
    body = np.where(top[..., None], th.plat_top, body)
    hl = (Y >= OW) & (Y < OW + 1.8)
    body = np.where(hl[..., None], th.plat_top * 1.12, body)
    under = Y > SLAB - OW - 4.0
    body = np.where(under[..., None], body * 0.72, body)
    c.shape(sdf, body, outline=OW)
    return finish(c, BLOOM)


# ----------------------------------------------------------------------------------------------
# Spawner pipes (sit on the ground tile below; aliens pop out of the mouth)
# ----------------------------------------------------------------------------------------------
def render_spawner(theme, F, kind):
    th = theme
    kc = {k: np.array([int(v[i:i + 2], 16) for i in (1, 3, 5)]) / 255.0 for k, v in KIND_COLOURS[kind].items()}
    c = Canvas(T, T, SS)
    X, Y = c.X, c.Y
    wide = kind == "giant"
    bx0, bx1 = (12, 52) if wide else (15, 49)
    rx0, rx1 = (5, 59) if wide else (9, 55)
    rim_top = 14 if wide else 18
    # pipe body with cylindrical shading
    t = np.clip((X - bx0) / (bx1 - bx0), 0, 1)
    cyl = 1 - (2 * t - 0.65) ** 2
    body_col = th.pipe_dark + (th.pipe_light - th.pipe_dark) * np.clip(cyl, 0, 1)[..., None]
    # kind band around the body
    band = (Y > 44) & (Y < 52)
    body_col = np.where(band[..., None], kc["rim"] * (0.75 + 0.35 * np.clip(cyl, 0, 1))[..., None], body_col)
    c.shape(box(c, bx0, rim_top + 8, bx1, T + 6), body_col, outline=OW)
    # rim
    tr = np.clip((X - rx0) / (rx1 - rx0), 0, 1)
    cylr = np.clip(1 - (2 * tr - 0.65) ** 2, 0, 1)
    rim_col = kc["rim"] * 0.7 + (kc["rim_light"] - kc["rim"] * 0.7) * cylr[..., None]
    c.shape(box(c, rx0, rim_top, rx1, rim_top + 14, r=5), rim_col, outline=OW)
    # mouth: dark hole with glowing slime surface
    mx, my = (rx0 + rx1) / 2, rim_top + 4.0
    mouth = ellipse(c, mx, my, (rx1 - rx0) / 2 - 6, 4.5)
    c.shape(mouth, np.array([0.08, 0.05, 0.14]), outline=0)
    slime = ellipse(c, mx, my + 2.0, (rx1 - rx0) / 2 - 9, 2.6)
    c.shape(slime, kc["slime"], outline=0)
    # bubbles popping out of the mouth
    bubbles = {"normal": [(mx - 8, my - 8, 4.0), (mx + 6, my - 13, 3.0)],
               "golden": [(mx + 6, my - 9, 4.0), (mx - 7, my - 13, 2.6)],
               "giant": [(mx - 10, my - 8, 4.5), (mx + 9, my - 9, 4.0), (mx, my - 13, 3.0)]}[kind]
    for (bx, by, br) in bubbles:
        if by - br < 0.5:
            by = br + 0.8
        c.shape(circle(c, bx, by, br), kc["slime_light"], outline=2.0)
    # slime drip over the rim (normal) / glint (golden) / teeth (giant)
    if kind == "normal":
        c.shape(union(capsule(c, rx0 + 8, rim_top + 6, rx0 + 8, rim_top + 19, 3.2),
                      circle(c, rx0 + 8, rim_top + 5, 4.0)), kc["slime"], outline=2.0)
    elif kind == "golden":
        gx, gy = bx0 + 9, 36
        star = polygon(c, [(gx, gy - 7), (gx + 2, gy - 2), (gx + 7, gy), (gx + 2, gy + 2),
                           (gx, gy + 7), (gx - 2, gy + 2), (gx - 7, gy), (gx - 2, gy - 2)])
        c.shape(star, kc["slime_light"], outline=2.0)
    else:
        for i in range(5):
            tx = rx0 + 8 + i * ((rx1 - rx0 - 16) / 4.0)
            tooth = polygon(c, [(tx - 3.5, rim_top + 12), (tx + 3.5, rim_top + 12), (tx, rim_top + 19)])
            c.shape(tooth, np.array([0.60, 0.58, 0.52]), outline=1.8)
        # hazard eyes on the body
        c.shape(circle(c, 26, 36, 3.2), kc["slime_light"], outline=1.8)
        c.shape(circle(c, 38, 36, 3.2), kc["slime_light"], outline=1.8)
    return finish(c, BLOOM)


# ----------------------------------------------------------------------------------------------
# Decorations (background layer only; no collision)
# ----------------------------------------------------------------------------------------------
def render_deco(theme, F, what):
    th = theme
    c = Canvas(T, T, SS)
    rng = np.random.default_rng(theme.seed * 100 + len(what))
    g = th.folder
    if what == "tuft":
        if g == "Green":
            for i, (x, h, lean) in enumerate([(18, 20, -6), (26, 30, -2), (33, 24, 3), (40, 32, 6), (47, 18, 8)]):
                blade = polygon(c, [(x - 3.5, 64), (x + 3.5, 64), (x + lean, 64 - h)])
                c.shape(blade, th.deco_a if i % 2 else th.top, outline=2.5)
        elif g == "Ice":
            for i, (x, h, lean, w) in enumerate([(22, 22, -5, 6), (32, 34, 1, 8), (43, 20, 6, 6)]):
                shard = polygon(c, [(x - w, 64), (x - w * 0.6, 64 - h * 0.7), (x + lean, 64 - h), (x + w * 0.8, 64 - h * 0.6), (x + w, 64)])
                c.shape(shard, th.deco_a if i == 1 else th.deco_b, outline=2.5)
        else:
            for i, (x, h, lean) in enumerate([(20, 18, -8), (28, 26, -3), (35, 22, 2), (43, 28, 7)]):
                c.shape(polygon(c, [(x - 2.5, 64), (x + 2.5, 64), (x + lean, 64 - h)]), th.top_dark if i % 2 else th.top, outline=2.2)
    elif what == "bush":
        if g == "Green":
            # glowing mushroom cluster (dim: tiles never glow)
            for (x, h, r) in [(22, 18, 9), (40, 26, 11)]:
                c.shape(box(c, x - 3, 64 - h, x + 3, 66, r=2), np.array([0.62, 0.60, 0.56]), outline=2.5)
                cap = union(ellipse(c, x, 64 - h, r, r * 0.7))
                c.shape(cap, th.deco_b, outline=3)
                for k in range(3):
                    c.shape(circle(c, x - r * 0.5 + k * r * 0.5, 64 - h - r * 0.25, 1.6), th.deco_b * 1.25, outline=0)
        elif g == "Ice":
            mound = union(ellipse(c, 24, 58, 16, 12), ellipse(c, 40, 56, 14, 14), box(c, 8, 58, 56, 66))
            c.shape(mound, th.top, outline=3)
            c.shape(ellipse(c, 38, 50, 6, 3), th.top_light, outline=0)
        else:
            # round barrel cactus with a flower
            c.shape(ellipse(c, 32, 48, 15, 16), th.deco_a, outline=3)
            for k in (-8, 0, 8):
                c.shape(capsule(c, 32 + k, 38, 32 + k * 1.2, 58, 1.2), th.deco_a * 0.75, outline=0)
            c.shape(circle(c, 32, 31, 5), th.deco_c, outline=2.5)
    elif what == "tall":
        if g == "Green":
            stem = capsule(c, 30, 64, 34, 20, 3.5)
            c.shape(stem, th.top_dark, outline=2.5)
            for (y, s) in [(46, -1), (36, 1), (27, -1)]:
                leaf = ellipse(c, 32 + s * 11, y, 10, 4.5)
                c.shape(leaf, th.deco_a, outline=2.5)
            c.shape(circle(c, 34, 17, 6), th.deco_c, outline=3)
        elif g == "Ice":
            c.shape(polygon(c, [(22, 64), (26, 30), (32, 8), (38, 30), (42, 64)]), th.deco_a, outline=3)
            c.shape(polygon(c, [(12, 64), (14, 44), (20, 34), (24, 64)]), th.deco_c, outline=2.5)
            c.shape(polygon(c, [(40, 64), (46, 40), (52, 48), (54, 64)]), th.deco_b, outline=2.5)
            c.shape(polygon(c, [(30, 30), (32, 14), (34, 30)]), th.deco_b * 1.2, outline=0)
        else:
            trunk = box(c, 26, 14, 38, 66, r=6)
            arm_l = union(box(c, 12, 30, 20, 48, r=4), box(c, 12, 42, 30, 50, r=4))
            arm_r = union(box(c, 44, 22, 52, 40, r=4), box(c, 34, 34, 52, 42, r=4))
            c.shape(union(trunk, arm_l, arm_r), th.deco_b, outline=3)
            for k in (29, 35):
                c.shape(capsule(c, k, 20, k, 60, 0.9), th.deco_b * 0.7, outline=0)
    elif what == "hang":
        if g == "Green":
            for (x, ln, ph) in [(20, 44, 0.0), (36, 30, 1.0), (48, 50, 2.0)]:
                ys = np.linspace(0, ln, 8)
                pts = [(x + 3 * np.sin(y / 8 + ph), y) for y in ys]
                for (ax, ay), (bx, by) in zip(pts[:-1], pts[1:]):
                    c.shape(capsule(c, ax, ay, bx, by, 2.4), th.top_dark, outline=2.0)
                for (ax, ay) in pts[2::2]:
                    c.shape(ellipse(c, ax + 5, ay, 4.5, 2.6), th.top, outline=2.0)
        elif g == "Ice":
            for (x, ln, w) in [(16, 30, 6), (28, 46, 8), (42, 24, 6), (52, 36, 5)]:
                c.shape(polygon(c, [(x - w, -2), (x + w, -2), (x + 0.5, ln)]), th.deco_b, outline=2.5)
        else:
            for (x, ln) in [(18, 34), (30, 22), (44, 42)]:
                ys = np.linspace(0, ln, 6)
                pts = [(x + 2.5 * np.sin(y / 6 + x), y) for y in ys]
                for (ax, ay), (bx, by) in zip(pts[:-1], pts[1:]):
                    c.shape(capsule(c, ax, ay, bx, by, 1.8), th.deco_d, outline=1.8)
    elif what == "rock":
        if g == "Green":
            c.shape(ellipse(c, 30, 56, 16, 10), th.fill_light, outline=3)
            c.shape(ellipse(c, 28, 49, 11, 4), th.top, outline=2.5)
            c.shape(ellipse(c, 48, 59, 7, 5), th.fill_light * 0.9, outline=2.5)
        elif g == "Ice":
            c.shape(polygon(c, [(14, 64), (18, 50), (30, 42), (44, 48), (50, 64)]), th.fill_light, outline=3)
            c.shape(polygon(c, [(24, 50), (30, 44), (40, 48), (30, 52)]), th.crack, outline=0)
        else:
            # an alien skull half buried in the sand
            c.shape(ellipse(c, 30, 54, 15, 12), np.array([0.62, 0.56, 0.50]), outline=3)
            c.shape(circle(c, 24, 52, 3.6), np.array(OUTLINE) / 255.0, outline=0)
            c.shape(circle(c, 35, 52, 3.6), np.array(OUTLINE) / 255.0, outline=0)
            c.shape(ellipse(c, 32, 64, 22, 5), th.top, outline=2.5)
            c.shape(ellipse(c, 50, 60, 6, 4), th.fill_light, outline=2.5)
    return finish(c, BLOOM)


# ----------------------------------------------------------------------------------------------
def render_theme(theme):
    F = Fields(theme)
    images = {}
    for tid, fname, kind, extra in tile_table():
        if kind == "solid":
            img = render_solid(theme, F, *extra)
        elif kind == "platform":
            img = render_platform(theme, F, extra)
        elif kind == "spawner":
            img = render_spawner(theme, F, extra[0])
        else:
            img = render_deco(theme, F, extra)
        images[tid] = (fname, img)
    return images


def render_missing():
    """The 'missing tile' square: a loud checker with a question mark (kept under the glow limit)."""
    c = Canvas(T, T, SS)
    X, Y = c.X, c.Y
    chk = ((X // 16).astype(int) + (Y // 16).astype(int)) % 2
    mag = np.array([0.75, 0.0, 0.72])
    dark = np.array([0.12, 0.10, 0.14])
    col = np.where(chk[..., None] == 0, mag, dark)
    c.shape(box(c, 0, 0, T, T), col, outline=OW)
    q = union(capsule(c, 25, 22, 32, 17, 4.5), capsule(c, 32, 17, 39, 23, 4.5), capsule(c, 39, 23, 32, 33, 4.5),
              capsule(c, 32, 33, 32, 39, 4.5))
    c.shape(q, np.array([0.52, 0.52, 0.52]), outline=3)
    c.shape(circle(c, 32, 48, 5), np.array([0.52, 0.52, 0.52]), outline=3)
    return finish(c, BLOOM)


def build(preview_dir=None):
    written = []
    results = {}
    for theme in THEMES:
        imgs = render_theme(theme)
        results[theme.folder] = imgs
        for tid, (fname, img) in imgs.items():
            path = os.path.join(ASSETS, "img", theme.folder, fname)
            save_png(img, path)
            written.append(path)
            assert max_sum(img) < 1.667, (theme.folder, fname, max_sum(img))
    miss = render_missing()
    save_png(miss, os.path.join(ASSETS, "img", "missingTex.png"))
    written.append(os.path.join(ASSETS, "img", "missingTex.png"))
    return results, written
