"""Anchoring the table's fixed points to source vertices, and the two warps
that move the anchors and one extreme vertex per extent side onto the table."""
import math
import sys

from geometry import local_warp, signed_area

PENULTIMATE_WINDOW = 0.25  # the penultimate point is sought in this last share of a ring
SAME = 0.005               # metres: a coordinate equal to a table value
SIDES = ((0, -1, 0), (1, 1, 0), (2, -1, 1), (3, 1, 1))  # (extent index, sign, axis)


def points_to_pass(rows):
    """{table point: rings that must pass through it}: each first point for
    its own ring, and every first or penultimate point for each other ring
    whose extent has a side on it (the rings met there in the outline the
    table was taken from)."""
    need = {}
    for r, row in enumerate(rows):
        need.setdefault(row.first, set()).add(r)
    for row in rows:
        need.setdefault(row.penultimate, set())
    for q, rs in need.items():
        for r, row in enumerate(rows):
            x0, x1, y0, y1 = row.extent
            on_side = min(abs(x0 - q[0]), abs(x1 - q[0]), abs(y0 - q[1]), abs(y1 - q[1])) < SAME
            if on_side and q != row.penultimate:
                rs.add(r)
    return {q: rs for q, rs in need.items() if rs}


def anchor_first_points(g, rows, log):
    """{table point: vertex}: for each point to pass, the nearest vertex that
    every ring which must pass there holds (points needed by most rings
    first; no vertex anchors two points)."""
    anchors = {}
    for q, rs in sorted(points_to_pass(rows).items(), key=lambda kv: -len(kv[1])):
        used = set(anchors.values())
        cand = [v for v in g.rings[min(rs)] if rs <= g.owners[v] and v not in used]
        if not cand:
            sys.exit(f"no source vertex is common to {[rows[r].name for r in sorted(rs)]}")
        v = min(cand, key=lambda v: math.dist(g.pos[v], q))
        anchors[q] = v
        log.append(f"  anchor {q} for {', '.join(rows[r].name for r in sorted(rs))}:"
                   f" source vertex {math.dist(g.pos[v], q):.0f} m away")
    return anchors


def orient_and_anchor_penultimates(g, rows, anchors, log):
    """Turn every ring clockwise, start it at its first point's vertex, and
    anchor its penultimate point to the nearest vertex in the last quarter of
    the ring.  Returns, per ring, the vertices that lie between the
    penultimate and the first point: they must go."""
    cuts = []
    for r, row in enumerate(rows):
        ids = g.rings[r]
        if signed_area([g.pos[v] for v in ids + ids[:1]]) > 0:
            ids = ids[::-1]
        i = ids.index(anchors[row.first])
        ids = ids[i:] + ids[:i]
        used = set(anchors.values())
        window = max(3, int(len(ids) * PENULTIMATE_WINDOW))
        v = min((v for v in ids[-window:] if v not in used),
                key=lambda v: math.dist(g.pos[v], row.penultimate))
        anchors[row.penultimate] = v
        g.rings[r] = ids
        cut = ids[ids.index(v) + 1:]
        cuts.append(cut)
        log.append(f"  anchor {row.penultimate} for {row.name}, before the closing point: source vertex"
                   f" {math.dist(g.pos[v], row.penultimate):.0f} m away,"
                   f" {len(cut)} source vertices dropped after it")
        if len(ids) - len(cut) < row.points - 1:
            sys.exit(f"{row.name}: the source ring has too few points")
    return cuts


# ------------------------------------------------------------------ warps
def warp_onto_table(g, rows, anchors, cut, log):
    """Two local warps: the anchors onto their table points; then one extreme
    vertex per extent side onto that side, the anchors held.  Then every
    vertex is clamped into the extents of the rings that hold it.  Returns
    the extreme vertices, {(ring, extent index): vertex}."""
    pinned = {v: q for q, v in anchors.items()}
    warp_all(g, pinned)
    extremes = choose_extremes(g, rows, set(pinned), cut)
    onto_sides = side_targets(g, rows, extremes, pinned)
    steps = sorted(math.dist(g.pos[v], t) for v, t in onto_sides.items())
    log.append(f"  extent sides: {len(steps)} source vertices moved onto them,"
               f" median {steps[len(steps) // 2]:.0f} m, most {steps[-1]:.0f} m")
    warp_all(g, {**pinned, **onto_sides})
    g.clamp([row.extent for row in rows], g.rings, keep=set(pinned) | set(onto_sides))
    return extremes


def warp_all(g, targets):
    """Warp every vertex so that each vertex in targets lands on its target."""
    warp = local_warp([g.pos[v] for v in targets], list(targets.values()))
    g.pos = [warp(p) for p in g.pos]
    for v, q in targets.items():
        g.pos[v] = q


def choose_extremes(g, rows, locked, cut):
    """For each ring and extent side: a locked vertex already on that side,
    else the ring's most extreme free vertex that stays (then locked too)."""
    extremes = {}
    between = {v for vs in cut for v in vs}
    for r, row in enumerate(rows):
        for k, sign, axis in SIDES:
            on_side = [v for v in g.rings[r]
                       if v in locked and abs(g.pos[v][axis] - row.extent[k]) < SAME]
            v = on_side[0] if on_side else max(
                (v for v in g.rings[r] if v not in locked and v not in between),
                key=lambda v: sign * g.pos[v][axis])
            locked.add(v)
            extremes[(r, k)] = v
    return extremes


def side_targets(g, rows, extremes, pinned):
    """{vertex: its position moved onto its extent side(s)} for the extremes
    that are not anchors."""
    targets = {}
    for (r, k), v in extremes.items():
        if v not in pinned:
            axis = SIDES[k][2]
            t = list(targets.get(v, g.pos[v]))
            t[axis] = rows[r].extent[k]
            targets[v] = tuple(t)
    return targets

