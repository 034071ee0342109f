"""Layout checks for the level maps: object placement rules and a reachability test that drives a
simulated player (same jump rules and tuning as the game) from every standing spot.

Run from the repository root:  /usr/bin/python3 assetgen/world/mapcheck.py  [map-name ...]
The asset build does not need it; it is a design aid."""
import math
import sys

sys.dont_write_bytecode = True

import numpy as np

from mapkit import PLAT, SOLID, SPAWN_ID

DT = 1.0 / 60.0


class Tuning:
    def __init__(self, d):
        self.a = float(d["acceleration"])
        self.J = float(d["jumpspeed"])
        self.M = float(d["maxspeed"])
        self.g = float(d["gravity"])
        self.drag = max(1, int(d["drag"]))


class World:
    def __init__(self, mb, body=1.75):
        self.mb = mb
        self.s = body
        self.W, self.H = mb.W, mb.H
        g = mb.g
        self.solid = g == SOLID
        self.plat = g == PLAT
        self.portals = []
        ports = [o for l, o in mb.objects if l == "Portals"]
        for i, a in enumerate(ports):
            for b in ports[i + 1:]:
                if a["name"] == b["name"]:
                    self.portals.append((a, b))
                    self.portals.append((b, a))

    def solid_at(self, x, y):
        c = int(math.floor(x)) + self.W // 2
        r = self.H // 2 - 1 - int(math.floor(y))
        if not (0 <= r < self.H and 0 <= c < self.W):
            return True
        return bool(self.solid[r, c])

    def box_hits(self, x0, x1, y0, y1, grid):
        eps = 1e-6
        c0 = int(math.floor(x0 + eps)) + self.W // 2
        c1 = int(math.floor(x1 - eps)) + self.W // 2
        r0 = self.H // 2 - 1 - int(math.floor(y1 - eps))
        r1 = self.H // 2 - 1 - int(math.floor(y0 + eps))
        for r in range(r0, r1 + 1):
            for c in range(c0, c1 + 1):
                if not (0 <= r < self.H and 0 <= c < self.W):
                    if grid is self.solid:
                        return True
                    continue
                if grid[r, c]:
                    return True
        return False

    def plat_strip_hit(self, x0, x1, y0, y1):
        """Platform colliders: 0.1-high strips on the top edge of each pass-through cell row."""
        eps = 1e-6
        c0 = int(math.floor(x0 + eps)) + self.W // 2
        c1 = int(math.floor(x1 - eps)) + self.W // 2
        for c in range(max(c0, 0), min(c1, self.W - 1) + 1):
            # candidate rows whose top edge lies within [y0 - 0.05, y1 + 0.05]
            for top in range(int(math.floor(y0 - 0.05)), int(math.ceil(y1 + 0.05)) + 1):
                r = self.H // 2 - top
                if 0 <= r < self.H and self.plat[r, c]:
                    if y0 < top + 0.05 and y1 > top - 0.05:
                        return True
        return False


def portal_exit(a, b, s):
    """Where a body entering portal a comes out (b is the partner)."""
    bx, by, bw, bh = b["_world"]
    cx, cy = bx + bw / 2, by + bh / 2
    d = a["properties"]["Direction"]
    off = {"Up": (0, 2 * bh), "Down": (0, -2 * bh), "Left": (-2 * bw, 0), "Right": (2 * bw, 0)}[d]
    return cx + off[0], cy + off[1]


class Player:
    def __init__(self, world, tun, x, y, vx=0.0):
        self.w, self.t = world, tun
        self.x, self.y, self.vx, self.vy = x, y, vx, 0.0
        self.ay = 0.0
        self.grounded = True
        self.doubleJump = False
        self.airJump = False
        self.jumpHeld = False
        self.dropThrough = False
        self.prev_jump = False
        self.cool = 0

    def det(self, cx, cy, sx, sy):
        s = self.w.s
        x, y = self.x + cx * s, self.y + cy * s
        return x - sx * s / 2, x + sx * s / 2, y - sy * s / 2, y + sy * s / 2

    def round_update(self):
        w = self.w
        if self.vy > 0:
            self.dropThrough = True
        if w.box_hits(*self.det(0, 0.5, 0.6, 0.1), w.solid):
            self.jumpHeld = True
        if w.box_hits(*self.det(-0.5, 0, 0.05, 0.6), w.solid) or w.box_hits(*self.det(0.5, 0, 0.05, 0.6), w.solid):
            self.jumpHeld = False
        bot = self.det(0, -0.5, 0.6, 0.1)
        stands = w.box_hits(*bot, w.solid) or (not self.dropThrough and w.plat_strip_hit(*bot))
        if stands and not self.grounded:
            self.ay = 0.0
            self.vy = 0.0
            self.grounded = True
            self.airJump = False
            self.jumpHeld = False
        elif not stands and self.grounded:
            self.ay = self.t.g
            self.grounded = False
            self.doubleJump = True
            if self.vy <= 0:
                self.airJump = True
        return stands

    def physics(self):
        w, s = self.w, self.w.s
        self.vy += self.ay * DT
        h = s / 2
        nx = self.x + self.vx * DT
        if w.box_hits(nx - h, nx + h, self.y - h, self.y + h, w.solid):
            # slide to contact
            step = 0.02 if self.vx > 0 else -0.02
            nx = self.x
            while not w.box_hits(nx + step - h, nx + step + h, self.y - h, self.y + h, w.solid) and abs(nx - self.x) < abs(self.vx * DT):
                nx += step
            self.vx = 0.0
        self.x = nx
        ny = self.y + self.vy * DT
        if w.box_hits(self.x - h, self.x + h, ny - h, ny + h, w.solid):
            if self.vy < 0:
                ny = math.floor(ny - h + 1e-6) + 1 + h
                if w.box_hits(self.x - h, self.x + h, ny - h, ny + h, w.solid):
                    ny = self.y
            else:
                ny = math.ceil(ny + h - 1e-6) - 1 - h
                if w.box_hits(self.x - h, self.x + h, ny - h, ny + h, w.solid):
                    ny = self.y
            self.vy = 0.0
        self.y = ny
        # portals
        if self.cool > 0:
            self.cool -= 1
            return
        for a, b in w.portals:
            ax, ay, aw, ah = a["_world"]
            if self.x + h > ax and self.x - h < ax + aw and self.y + h > ay and self.y - h < ay + ah:
                self.x, self.y = portal_exit(a, b, s)
                self.cool = 60
                return

    def move(self, d):
        t = self.t
        if d != 1:
            self.dropThrough = False
        a = t.a
        if d == 2:
            if not self.grounded:
                a = a / t.drag
            self.vx = max(self.vx - a, -t.M)
        elif d == 3:
            self.vx += a if self.grounded else a / t.drag
            self.vx = min(self.vx, t.M)
        elif self.grounded:
            self.vx = 0.0

    def jump(self, d):
        t = self.t
        self.move(d)
        if self.jumpHeld:
            return
        if d == 1:
            self.dropThrough = True
            self.jumpHeld = True
            return
        if self.grounded or self.doubleJump or self.airJump:
            self.vy = min(self.vy + t.J / 5.0, t.J)
        if self.grounded and not self.airJump:
            pass
        else:
            w = self.w
            left = w.box_hits(*self.det(-0.5, 0, 0.05, 0.6), w.solid)
            right = w.box_hits(*self.det(0.5, 0, 0.05, 0.6), w.solid)
            if left:
                self.vx = t.M * (0.8 if d == 2 else 1.0)
                self.vy = t.J
                self.airJump = False
            elif right:
                self.vx = -t.M * (0.8 if d == 3 else 1.0)
                self.vy = t.J
                self.airJump = False
            elif self.doubleJump and self.airJump:
                self.vy = max(self.vy, t.J / 5.0)
                self.vy = min(self.vy + t.J / 5.0, t.J)
                self.doubleJump = False
        if self.vy >= t.J:
            self.jumpHeld = True

    def frame(self, d, jump):
        stands = self.round_update()
        self.physics()
        if self.prev_jump and not jump:
            if self.doubleJump and not self.grounded:
                self.airJump = True
            if not self.doubleJump:
                self.airJump = False
            self.jumpHeld = False
        self.prev_jump = jump
        if jump:
            self.jump(d)
        else:
            self.move(d)
        return stands


def standable(world):
    """Cells (x, top) where a body can stand: support below, clearance above."""
    mb = world.mb
    spots = []
    need = int(math.ceil(world.s))
    for c in range(mb.W):
        for r in range(1, mb.H):
            ch_below = mb.g[r, c]
            if ch_below not in (SOLID, PLAT):
                continue
            if r - 1 < 0 or mb.g[r - 1, c] in (SOLID,):
                continue
            ok = all(r - k >= 0 and mb.g[r - k, c] != SOLID for k in range(1, need + 1))
            if not ok:
                continue
            x = c - mb.W // 2
            top = mb.H // 2 - r
            spots.append((x, top))
    return spots


def plans(tun):
    out = []
    for d, v0 in ((3, 0.0), (3, tun.M), (2, 0.0), (2, -tun.M), (4, 0.0)):
        for dj in (None, 12, 20, 30):
            for brake in (None, 14):
                if d == 4 and brake:
                    continue
                out.append((d, v0, dj, brake, False))
        out.append((d, v0, None, None, True))   # walk off / drop without jumping
    return out


def run_plan(world, tun, x, top, plan, on_plat):
    d, v0, dj, brake, walk = plan
    p = Player(world, tun, x + 0.5, top + world.s / 2 + 0.001, v0)
    opp = 2 if d == 3 else 3
    landed_after = 0
    for f in range(300):
        dd = d
        if brake is not None and f >= brake:
            dd = opp if d in (2, 3) else 4
        if walk:
            if on_plat and f < 2:
                jump, dd = True, 1
            else:
                jump = False
        else:
            jump = f < 24
            if dj is not None:
                jump = f < dj or dj + 2 <= f < dj + 26
        stands = p.frame(dd, jump)
        if not (-world.W / 2 + 2 <= p.x <= world.W / 2 - 1 and -world.H / 2 + 2 <= p.y <= world.H / 2 - 1):
            return None
        if f > 3 and p.grounded and stands:
            landed_after += 1
            if landed_after >= 2:
                return p.x, p.y - world.s / 2
        else:
            landed_after = 0
    return None


def reach(mb, tun, body=1.75):
    world = World(mb, body)
    spots = standable(world)
    spotset = set(spots)
    idx = {s: i for i, s in enumerate(spots)}
    edges = {i: set() for i in range(len(spots))}
    # walking
    for (x, top) in spots:
        for dx in (-1, 1):
            if (x + dx, top) in spotset:
                edges[idx[(x, top)]].add(idx[(x + dx, top)])
    pl = plans(tun)
    for (x, top) in spots:
        r, c = mb.cell(x, top - 1)
        on_plat = mb.g[r, c] == PLAT
        # only sample every other spot on long runs, but always run ends
        left_end = (x - 1, top) not in spotset
        right_end = (x + 1, top) not in spotset
        if not (left_end or right_end or x % 2 == 0):
            continue
        for plan in pl:
            res = run_plan(world, tun, x, top, plan, on_plat)
            if res is None:
                continue
            lx, ly = res
            key = (int(math.floor(lx)), int(round(ly)))
            if key not in idx:
                for dx in (0, -1, 1):
                    k2 = (int(math.floor(lx)) + dx, int(round(ly)))
                    if k2 in idx:
                        key = k2
                        break
            if key in idx:
                edges[idx[(x, top)]].add(idx[key])
    return spots, edges


def components(n, edges):
    """Strongly connected components (Tarjan, iterative)."""
    index = {}
    low = {}
    on = set()
    stack = []
    comps = []
    counter = [0]
    for v0 in range(n):
        if v0 in index:
            continue
        work = [(v0, iter(edges[v0]))]
        index[v0] = low[v0] = counter[0]
        counter[0] += 1
        stack.append(v0)
        on.add(v0)
        while work:
            v, it = work[-1]
            advanced = False
            for w in it:
                if w not in index:
                    index[w] = low[w] = counter[0]
                    counter[0] += 1
                    stack.append(w)
                    on.add(w)
                    work.append((w, iter(edges[w])))
                    advanced = True
                    break
                elif w in on:
                    low[v] = min(low[v], index[w])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[v])
            if low[v] == index[v]:
                comp = []
                while True:
                    w = stack.pop()
                    on.discard(w)
                    comp.append(w)
                    if w == v:
                        break
                comps.append(comp)
    return comps


def check_objects(mb, body=1.75):
    """Placement rules; returns a list of problems (strings)."""
    probs = []
    world = World(mb, body)
    h = body / 2

    def clear_box(cx, cy, hw, hh):
        return not world.box_hits(cx - hw, cx + hw, cy - hh, cy + hh, world.solid)

    for layer, o in mb.objects:
        x0, y0, w, hgt = o["_world"]
        cx, cy = x0 + w / 2, y0 + hgt / 2
        if layer == "SpawnPoints":
            if not clear_box(cx, cy + 0.4, h, h):
                probs.append("spawn point %s overlaps ground" % o["name"])
            if not world.box_hits(cx - 0.3, cx + 0.3, cy - 3.5, cy, world.solid) and not world.box_hits(
                    cx - 0.3, cx + 0.3, cy - 3.5, cy, world.plat):
                probs.append("spawn point %s has no ground close below" % o["name"])
        elif layer == "RandomEvents":
            if not clear_box(cx, cy, 2.0, 2.0):   # a giant alien (4 x 4) appears here
                probs.append("event area %s centre is blocked" % o["name"])
            bad = 0
            for k in range(24):
                a = 2 * math.pi * k / 24
                px, py = cx + math.cos(a) * w / 2, cy + math.sin(a) * hgt / 2
                if world.solid_at(px, py):
                    bad += 1
            if bad:
                probs.append("event area %s: %d/24 ellipse points inside ground" % (o["name"], bad))
        elif layer == "Zones":
            if world.box_hits(x0 + 0.05, x0 + w - 0.05, y0 + 0.05, y0 + hgt - 0.05, world.solid):
                probs.append("zone %s overlaps ground" % o["name"])
        elif layer == "Portals":
            if world.box_hits(x0 + 0.05, x0 + w - 0.05, y0 + 0.05, y0 + hgt - 0.05, world.solid):
                probs.append("portal %s overlaps ground" % o["name"])
    for a, b in world.portals:
        ex, ey = portal_exit(a, b, body)
        d = a["properties"]["Direction"]
        extra = {"Up": (0, 1.1 * body), "Down": (0, -1.1 * body), "Left": (-1.1 * body, 0), "Right": (1.1 * body, 0)}[d]
        for (px, py) in ((ex, ey), (ex + extra[0], ey + extra[1])):
            if not clear_box(px, py, h, h):
                probs.append("portal %s (%s) exit (%.2f, %.2f) is blocked" % (a["name"], d, px, py))
            bx, by, bw, bh = b["_world"]
            if px + h > bx and px - h < bx + bw and py + h > by and py - h < by + bh:
                probs.append("portal %s exit overlaps its partner" % a["name"])
    # spawners: support below, room around the top-left corner
    for r in range(mb.H):
        for c in range(mb.W):
            if mb.g[r, c] in SPAWN_ID:
                if r + 1 >= mb.H or mb.g[r + 1, c] not in (SOLID, PLAT):
                    probs.append("spawner at row %d col %d has no ground below" % (r, c))
                for (rr, cc) in ((r - 1, c - 1), (r - 1, c), (r, c - 1)):
                    if mb.g[rr, cc] == SOLID:
                        probs.append("spawner at row %d col %d is boxed in" % (r, c))
    return probs


def headroom(mb, need=4.3):
    """Surfaces where a 4-tile giant alien would jam its head: a platform strip or solid underside
    less than `need` above a walkable surface (giants walk on solid ground and platforms alike)."""
    out = []
    H, W = mb.H, mb.W
    for c in range(W):
        for r in range(1, H):
            if mb.g[r, c] not in (SOLID, PLAT) or mb.g[r - 1, c] in (SOLID,):
                continue
            top = H // 2 - r
            for k in range(1, 6):
                rr = r - k
                if rr < 0:
                    break
                ch = mb.g[rr, c]
                if ch == SOLID:
                    # the cell k rows up has its underside k - 1 above the surface
                    if k - 1 < 4.05:
                        out.append((c - W // 2, top, "solid", k - 1))
                    break
                if ch == PLAT:
                    # a platform strip reaches 0.11 below the platform's top edge, k above the surface
                    if k - 0.11 < need:
                        out.append((c - W // 2, top, "platform", k))
                    break
    return out


def report(mb, tun, body=1.75, verbose=True):
    probs = check_objects(mb, body)
    low = headroom(mb)
    if low:
        probs.append("low headroom for giants at %d surface cells: %s" % (len(low), low[:30]))
    _, _, _, issues = mb.to_json("tiles.json")
    for it in issues:
        probs.append("tiling: %s at row %d col %d %s" % it)
    spots, edges = reach(mb, tun, body)
    comps = components(len(spots), edges)
    comps.sort(key=len, reverse=True)
    main = set(comps[0]) if comps else set()
    stranded = [spots[i] for comp in comps[1:] for i in comp]
    if stranded:
        probs.append("%d standing spots outside the main connected part: %s" % (len(stranded), sorted(stranded)[:40]))
    # every zone, spawn point and spawner must touch the main part
    mainspots = [spots[i] for i in main]

    def near_main(x0, x1, y0, y1):
        return any(x0 - 0.5 <= sx + 0.5 <= x1 + 0.5 and y0 - 0.6 <= st <= y1 for (sx, st) in mainspots)

    for layer, o in mb.objects:
        x0, y0, w, hgt = o["_world"]
        if layer in ("Zones", "SpawnPoints"):
            if not near_main(x0, x0 + w, y0 - 1.2, y0 + hgt):
                probs.append("%s %s is not on the connected part" % (layer, o["name"]))
    if verbose:
        print("%-22s spots %d, components %d, main %d" % (mb.fname, len(spots), len(comps), len(main)))
        for p in probs:
            print("   -", p)
    return probs, spots, edges, comps


if __name__ == "__main__":
    import json
    import os
    import levels
    from common import ASSETS

    with open(os.path.join(ASSETS, "json", "characterGlobalsDefault.json")) as f:
        tun = Tuning(json.load(f))
    want = sys.argv[1:]
    for mb in levels.all_maps():
        if want and mb.fname not in want:
            continue
        report(mb, tun)
