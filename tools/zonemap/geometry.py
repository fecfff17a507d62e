"""Exact predicates on centimetre points, areas, and the local warp."""
import math

WARP_RADIUS = 8000.0   # metres: reach of the local warp around each control


def signed_area(closed):
    """Shoelace area of a closed point list; negative when clockwise."""
    return 0.5 * sum(closed[i][0] * closed[i + 1][1] - closed[i + 1][0] * closed[i][1]
                     for i in range(len(closed) - 1))


def triangle_area(a, b, c):
    return abs((b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1])) / 2


def centimetres(p):
    """A rounded point as whole centimetres, for exact tests."""
    return (round(p[0] * 100), round(p[1] * 100))


def orientation(a, b, c):
    v = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])
    return (v > 0) - (v < 0)


def on_segment(p, a, b):
    return (orientation(a, b, p) == 0 and min(a[0], b[0]) <= p[0] <= max(a[0], b[0])
            and min(a[1], b[1]) <= p[1] <= max(a[1], b[1]))


def segments_meet(a, b, c, d):
    """Segments a-b and c-d cross, or an end point of one lies on the other
    other than at a common end point (a touch, an overlap or a fold)."""
    if (max(a[1], b[1]) < min(c[1], d[1]) or max(c[1], d[1]) < min(a[1], b[1])
            or max(a[0], b[0]) < min(c[0], d[0]) or max(c[0], d[0]) < min(a[0], b[0])):
        return False
    if (orientation(a, b, c) * orientation(a, b, d) < 0
            and orientation(c, d, a) * orientation(c, d, b) < 0):
        return True
    ends = {a, b} & {c, d}
    return any(p not in ends and on_segment(p, s, t)
               for p, (s, t) in ((a, (c, d)), (b, (c, d)), (c, (a, b)), (d, (a, b))))


def strictly_inside(p, poly):
    """p inside the closed polygon and not on its boundary (exact)."""
    odd = False
    for a, b in zip(poly, poly[1:]):
        if (a[1] > p[1]) != (b[1] > p[1]):
            lhs = (p[0] - a[0]) * (b[1] - a[1])
            rhs = (b[0] - a[0]) * (p[1] - a[1])
            if lhs == rhs:
                return False
            if (lhs < rhs) == (b[1] > a[1]):
                odd = not odd
        elif a[1] == p[1] and (p == a or (b[1] == p[1] and min(a[0], b[0]) <= p[0] <= max(a[0], b[0]))):
            return False
    return odd


def local_warp(sources, targets, radius=WARP_RADIUS):
    """A map that moves each source point onto its target and leaves places
    far from every control unchanged: the displacement is a Gaussian-weighted
    blend of the control displacements, damped where the weights sum below 1."""
    controls = [(s, (t[0] - s[0], t[1] - s[1])) for s, t in zip(sources, targets)]

    def warp(p):
        sw = sx = sy = 0.0
        for (cx, cy), (dx, dy) in controls:
            r2 = ((p[0] - cx) ** 2 + (p[1] - cy) ** 2) / (radius * radius)
            if r2 < 25:
                w = math.exp(-r2)
                sw += w
                sx += w * dx
                sy += w * dy
        n = max(1.0, sw)
        return (p[0] + sx / n, p[1] + sy / n)
    return warp
