"""The boundary data as rings of shared vertices."""
import json
import sys

import jprcs
from geometry import signed_area


def read_main_rings(path, names):
    """{name: main ring} for the wanted prefectures: the outer ring of largest
    area, as an open list of (longitude, latitude); islands and exclaves are
    left out."""
    with open(path, encoding="utf-8") as f:
        topo = json.load(f)
    (sx, sy), (tx, ty) = topo["transform"]["scale"], topo["transform"]["translate"]
    arcs = []
    for arc in topo["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * sx + tx, y * sy + ty))
        arcs.append(points)
    rings = {}
    for geometry in topo["objects"]["prefectures"]["geometries"]:
        name = geometry["properties"]["N03_001"]
        if name not in names:
            continue
        polygons = geometry["arcs"] if geometry["type"] == "MultiPolygon" else [geometry["arcs"]]
        outers = [_ring_from_arcs(arcs, polygon[0]) for polygon in polygons]
        rings[name] = max(outers, key=lambda r: abs(signed_area(r + r[:1])))
    missing = [n for n in names if n not in rings]
    if missing:
        sys.exit(f"{path}: no boundary for {', '.join(missing)}")
    return rings


def _ring_from_arcs(arcs, indexes):
    ring = []
    for i in indexes:
        arc = arcs[i] if i >= 0 else arcs[~i][::-1]
        ring.extend(arc if not ring else arc[1:])
    if ring[0] == ring[-1]:
        ring.pop()
    return ring



class ZoneGraph:
    """The main rings of one zone with every vertex stored once: a point that
    two prefectures share in the source is a single vertex of both rings, so
    moving or dropping it keeps the neighbours identical."""

    def __init__(self, zone, lonlat_rings):
        self.pos = []      # vertex -> (X, Y)
        self.rings = []    # ring (table index) -> open list of vertices
        index = {}
        for ring in lonlat_rings:
            ids = []
            for p in ring:
                if p not in index:
                    index[p] = len(self.pos)
                    self.pos.append(jprcs.forward(p[0], p[1], zone))
                if not ids or ids[-1] != index[p]:
                    ids.append(index[p])
            self.rings.append(ids)
        self.owners = [set() for _ in self.pos]   # vertex -> rings holding it
        for r, ids in enumerate(self.rings):
            for v in ids:
                self.owners[v].add(r)

    def junctions(self):
        """Shared vertices where the set of owning rings changes."""
        found = set()
        for ids in self.rings:
            n = len(ids)
            for i, v in enumerate(ids):
                own = self.owners[v]
                if len(own) > 1 and (own != self.owners[ids[i - 1]]
                                     or own != self.owners[ids[(i + 1) % n]]):
                    found.add(v)
        return found

    def clamp(self, boxes, alive, keep=frozenset()):
        """Move each vertex into the intersection of the extents of the rings
        that hold it (a function of the vertex alone, so shared points stay
        shared).  Vertices in keep do not move."""
        for v, (x, y) in enumerate(self.pos):
            rs = [r for r in self.owners[v] if v in alive[r]]
            if v in keep or not rs:
                continue
            x = min(max(x, max(boxes[r][0] for r in rs)), min(boxes[r][1] for r in rs))
            y = min(max(y, max(boxes[r][2] for r in rs)), min(boxes[r][3] for r in rs))
            self.pos[v] = (x, y)

