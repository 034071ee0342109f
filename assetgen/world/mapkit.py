"""Building blocks for level maps: a grid drawn in world units, automatic tile choice, map objects,
and output as tile-map-editor JSON (orthogonal map + external tile set).

World units: one unit per tile, origin at the map centre, y up. A cell [x, x+1) x [y, y+1) is
column x + W/2 and row H/2 - 1 - y (row 0 is the top row of the file)."""
import numpy as np

import tiles

TILE_PX = 64
SOLID, EMPTY, PLAT = "#", ".", "="
SPAWN_CH = {"normal": "n", "giant": "G", "golden": "g"}
SPAWN_ID = {"n": 24, "G": 25, "g": 26}
DECO_ID = {"tuft": 27, "bush": 28, "tall": 29, "hang": 30, "rock": 31}
FIRSTGID = 1


class MapBuilder:
    def __init__(self, fname, name, color, W, H, seed):
        assert W % 2 == 0 and H % 2 == 0
        self.fname, self.name, self.color = fname, name, color
        self.W, self.H, self.seed = W, H, seed
        self.g = np.full((H, W), EMPTY, dtype="<U1")
        self.objects = []          # (layer, dict)
        self.no_deco = set()       # cells kept free of decorations

    # -- cells ---------------------------------------------------------------------------------
    def cell(self, x, y):
        """(row, col) of the cell whose lower-left corner is world (x, y)."""
        return self.H // 2 - 1 - y, x + self.W // 2

    def inside(self, r, c):
        return 0 <= r < self.H and 0 <= c < self.W

    def put(self, x, y, ch):
        r, c = self.cell(x, y)
        assert self.inside(r, c), (x, y)
        self.g[r, c] = ch

    def get(self, x, y):
        r, c = self.cell(x, y)
        if not self.inside(r, c):
            return SOLID
        return self.g[r, c]

    def rect(self, x0, x1, y0, y1, ch=SOLID, mirror=False):
        """Fill cells covering x in [x0, x1), y in [y0, y1)."""
        for x in range(x0, x1):
            for y in range(y0, y1):
                self.put(x, y, ch)
        if mirror:
            self.rect(-x1, -x0, y0, y1, ch)

    def clear(self, x0, x1, y0, y1, mirror=False):
        self.rect(x0, x1, y0, y1, EMPTY, mirror)

    def platform(self, x0, x1, top, mirror=False):
        """A jump-through platform whose walkable top edge is at world y = top."""
        self.rect(x0, x1, top - 1, top, PLAT, mirror)

    def spawner(self, x, ground, kind, mirror=False):
        """A spawner pipe standing on the surface at y = ground, in the cell [x, x+1)."""
        self.put(x, ground, SPAWN_CH[kind])
        if mirror:
            self.put(-x - 1, ground, SPAWN_CH[kind])

    def frame(self, wall=2, floor=4, ceiling=2):
        W2, H2 = self.W // 2, self.H // 2
        self.rect(-W2, -W2 + wall, -H2, H2)
        self.rect(W2 - wall, W2, -H2, H2)
        self.rect(-W2, W2, -H2, -H2 + floor)
        self.rect(-W2, W2, H2 - ceiling, H2)

    # -- objects (rectangles in world units: x0, y0 = lower-left corner) --------------------------
    def _obj(self, layer, name, otype, x0, y0, w, h, props=None):
        px = (x0 + self.W / 2.0) * TILE_PX
        py = (self.H / 2.0 - (y0 + h)) * TILE_PX
        o = {"height": h * TILE_PX, "id": 0, "name": name, "rotation": 0, "type": otype,
             "visible": True, "width": w * TILE_PX, "x": px, "y": py}
        if props:
            o["properties"] = dict(props)
            o["propertytypes"] = {k: "string" for k in props}
        o["_world"] = (x0, y0, w, h)
        self.objects.append((layer, o))
        return o

    def zone(self, name, x0, y0, w=5, h=3):
        return self._obj("Zones", name, "Zone", x0, y0, w, h)

    def event(self, name, x0, y0, w, h):
        return self._obj("RandomEvents", name, "RandomEvent", x0, y0, w, h)

    def portal(self, name, x0, y0, direction, w=1, h=2):
        assert direction in ("Up", "Down", "Left", "Right")
        return self._obj("Portals", name, "Portal", x0, y0, w, h, {"Direction": direction})

    def spawn_point(self, name, x_center, ground):
        """A 1 x 1 spawn area whose centre is one unit above the surface at y = ground."""
        return self._obj("SpawnPoints", name, "SpawnPoint", x_center - 0.5, ground + 0.5, 1, 1)

    # -- queries ---------------------------------------------------------------------------------
    def is_solid_rc(self, r, c):
        if not self.inside(r, c):
            return True
        return self.g[r, c] == SOLID

    def counts(self):
        g = self.g
        return {
            "solid_tiles": int((g == SOLID).sum()),
            "platform_tiles": int((g == PLAT).sum()),
            "platforms": len(self.platform_runs()),
            "spawners": {k: int((g == ch).sum()) for k, ch in SPAWN_CH.items()},
            "zones": sum(1 for l, _ in self.objects if l == "Zones"),
            "event_areas": sum(1 for l, _ in self.objects if l == "RandomEvents"),
            "spawn_points": sum(1 for l, _ in self.objects if l == "SpawnPoints"),
            "portal_pairs": len({o["name"] for l, o in self.objects if l == "Portals"}),
            "colliders": len(self.solid_rectangles()),
        }

    def platform_runs(self):
        runs = []
        for r in range(self.H):
            c = 0
            while c < self.W:
                if self.g[r, c] == PLAT:
                    c0 = c
                    while c < self.W and self.g[r, c] == PLAT:
                        c += 1
                    runs.append((r, c0, c - c0))
                else:
                    c += 1
        return runs

    def solid_rectangles(self):
        """The same greedy merge as the game's level builder (grow right, then down)."""
        H, W = self.H, self.W
        solid = self.g == SOLID
        used = np.zeros_like(solid)
        rects = []
        for r in range(H):
            for c in range(W):
                if solid[r, c] and not used[r, c]:
                    w = 1
                    used[r, c] = True
                    while c + w < W and solid[r, c + w] and not used[r, c + w]:
                        used[r, c + w] = True
                        w += 1
                    h = 1
                    while r + h < H and all(solid[r + h, c + k] and not used[r + h, c + k] for k in range(w)):
                        for k in range(w):
                            used[r + h, c + k] = True
                        h += 1
                    rects.append((r, c, w, h))
        return rects

    # -- tile layers -----------------------------------------------------------------------------
    def foreground_ids(self):
        H, W = self.H, self.W
        ids = np.full((H, W), -1, dtype=int)
        issues = []
        for r in range(H):
            for c in range(W):
                ch = self.g[r, c]
                if ch == SOLID:
                    S = self.is_solid_rc
                    on, oe, os_, ow = not S(r - 1, c), not S(r, c + 1), not S(r + 1, c), not S(r, c - 1)
                    diag = {"NW": not S(r - 1, c - 1), "NE": not S(r - 1, c + 1),
                            "SW": not S(r + 1, c - 1), "SE": not S(r + 1, c + 1)}
                    need = [k for k, v in diag.items() if v and
                            {"NW": not on and not ow, "NE": not on and not oe,
                             "SW": not os_ and not ow, "SE": not os_ and not oe}[k]]
                    if (on or oe or os_ or ow) and need:
                        issues.append(("open diagonal beside an edge", r, c, need))
                    if not (on or oe or os_ or ow) and len(need) > 1:
                        issues.append(("several open diagonals", r, c, need))
                    ids[r, c] = tiles.solid_id_for(on, oe, os_, ow, diag)
                elif ch == PLAT:
                    lp = c > 0 and self.g[r, c - 1] in (PLAT, SOLID)
                    rp = c < W - 1 and self.g[r, c + 1] in (PLAT, SOLID)
                    ids[r, c] = {(True, True): 21, (False, True): 20, (True, False): 22, (False, False): 23}[(lp, rp)]
                elif ch in SPAWN_ID:
                    ids[r, c] = SPAWN_ID[ch]
        return ids, issues

    def background_ids(self):
        """Decorations: plants and rocks on open ground, hanging growth under ledges."""
        rng = np.random.default_rng(self.seed)
        H, W = self.H, self.W
        ids = np.full((H, W), -1, dtype=int)
        last = -5
        for r in range(1, H - 1):
            for c in range(2, W - 2):
                if self.g[r, c] != EMPTY or (r, c) in self.no_deco:
                    continue
                below, above = self.g[r + 1, c], self.g[r - 1, c]
                if below == SOLID and above != SOLID:
                    # keep the cells beside spawners clear (aliens appear there)
                    if SPAWN_ID.keys() & {self.g[r, c - 1], self.g[r, c + 1]}:
                        continue
                    if c - last > 1 and rng.random() < 0.30:
                        ids[r, c] = DECO_ID[rng.choice(["tuft", "tuft", "bush", "tall", "rock"])]
                        last = c
                elif above == SOLID and below == EMPTY and r + 2 < H and self.g[r + 2, c] == EMPTY:
                    if rng.random() < 0.22:
                        ids[r, c] = DECO_ID["hang"]
        return ids

    def mark_no_deco_object(self, o):
        x0, y0, w, h = o["_world"]
        for x in range(int(np.floor(x0)) - 1, int(np.ceil(x0 + w)) + 1):
            for y in range(int(np.floor(y0)), int(np.ceil(y0 + h))):
                r, c = self.cell(x, y)
                if self.inside(r, c):
                    self.no_deco.add((r, c))

    # -- output ----------------------------------------------------------------------------------
    def to_json(self, tileset_source):
        for layer, o in self.objects:
            if layer in ("Portals", "SpawnPoints"):
                self.mark_no_deco_object(o)
        fg, issues = self.foreground_ids()
        bg = self.background_ids()
        W, H = self.W, self.H

        def gids(ids):
            return [int(v + FIRSTGID) if v >= 0 else 0 for v in ids.reshape(-1)]

        layers = [
            {"data": gids(bg), "height": H, "id": 1, "name": "Background", "opacity": 1, "type": "tilelayer",
             "visible": True, "width": W, "x": 0, "y": 0},
            {"data": gids(fg), "height": H, "id": 2, "name": "Foreground", "opacity": 1, "type": "tilelayer",
             "visible": True, "width": W, "x": 0, "y": 0},
        ]
        next_obj = 1
        lid = 3
        for lname in ("Zones", "RandomEvents", "Portals", "SpawnPoints"):
            objs = []
            for layer, o in self.objects:
                if layer != lname:
                    continue
                oo = {k: v for k, v in o.items() if not k.startswith("_")}
                oo["id"] = next_obj
                next_obj += 1
                for k in ("x", "y", "width", "height"):
                    if float(oo[k]).is_integer():
                        oo[k] = int(oo[k])
                objs.append(dict(sorted(oo.items())))
            layers.append({"draworder": "topdown", "id": lid, "name": lname, "objects": objs, "opacity": 1,
                           "type": "objectgroup", "visible": True, "x": 0, "y": 0})
            lid += 1
        doc = {
            "height": H,
            "infinite": False,
            "layers": layers,
            "nextlayerid": lid,
            "nextobjectid": next_obj,
            "orientation": "orthogonal",
            "properties": {"Color": self.color, "Name": self.name},
            "propertytypes": {"Color": "string", "Name": "string"},
            "renderorder": "right-down",
            "tiledversion": "1.2.5",
            "tileheight": TILE_PX,
            "tilesets": [{"firstgid": FIRSTGID, "source": tileset_source}],
            "tilewidth": TILE_PX,
            "type": "map",
            "version": 1.2,
            "width": W,
        }
        return doc, fg, bg, issues


def tileset_json(name):
    tiles_obj, props, ptypes = {}, {}, {}
    rows = tiles.tile_table()
    for tid, fname, kind, extra in rows:
        k = str(tid)
        tiles_obj[k] = {"image": fname, "imageheight": 64, "imagewidth": 64}
        if kind == "solid":
            props[k] = {"Collides": True}
            ptypes[k] = {"Collides": "bool"}
        elif kind == "platform":
            props[k] = {"Passthrough": True}
            ptypes[k] = {"Passthrough": "bool"}
        elif kind == "spawner":
            props[k] = {"Spawner": True, "SpawnerType": extra[1]}
            ptypes[k] = {"Spawner": "bool", "SpawnerType": "int"}
    return {
        "columns": 0,
        "grid": {"height": 1, "orientation": "orthogonal", "width": 1},
        "margin": 0,
        "name": name,
        "spacing": 0,
        "tilecount": len(rows),
        "tiledversion": "1.2.5",
        "tileheight": 64,
        "tileproperties": props,
        "tilepropertytypes": ptypes,
        "tiles": tiles_obj,
        "tilewidth": 64,
        "type": "tileset",
        "version": 1.2,
    }
