"""The outlines of one zone, from the main rings of its prefectures to closed
rings that meet the required table."""
import struct

from anchors import anchor_first_points, orient_and_anchor_penultimates, warp_onto_table
from ring_set import RingSet
from topology import ZoneGraph


def extent_of(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs), max(xs), min(ys), max(ys))


def make_zone(zone, rows, main_rings, log):
    """([(name, closed outline)], [extent of the source ring]) for one zone,
    in table order."""
    g = ZoneGraph(zone, [main_rings[row.name] for row in rows])
    source_extents = [extent_of([g.pos[v] for v in ring]) for ring in g.rings]
    anchors = anchor_first_points(g, rows, log)
    cut = orient_and_anchor_penultimates(g, rows, anchors, log)
    extremes = warp_onto_table(g, rows, anchors, cut, log)
    hard = set(anchors.values()) | set(extremes.values())
    rings = RingSet(g, rows, hard, cut, log)
    rings.simplify()
    g.clamp([row.extent for row in rows], rings.alive)
    g.pos = [(round(x, 2), round(y, 2)) for x, y in g.pos]
    rings.repair(set(anchors.values()), hard)
    rings.close_cut_holes(hard)
    outlines = [(row.name, [g.pos[v] for v in ring + ring[:1]])
                for row, ring in zip(rows, rings.alive)]
    return outlines, source_extents


def problems(rows, outlines):
    """Names of the outlines that miss their row of the table."""
    found = []
    for row, (name, ring) in zip(rows, outlines):
        if (len(ring) != row.points or ring[0] != row.first or ring[-1] != row.first
                or ring[-2] != row.penultimate or extent_of(ring) != row.extent):
            found.append(name)
    return found


def single(value):
    """The float a C++ compiler makes of the shortest literal of value."""
    return struct.unpack("<f", struct.pack("<f", value))[0]


def merged_in_single_precision(zone, outlines):
    """Points of a zone that differ but become one point as floats."""
    points = {p for _, ring in outlines for p in ring}
    floats = {}
    for p in sorted(points):
        floats.setdefault((single(p[0]), single(p[1])), []).append(p)
    return [f"zone {zone}: {same} become one float point"
            for same in floats.values() if len(same) > 1]
