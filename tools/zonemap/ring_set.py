"""Simplification to the exact point counts, repairs and closing of holes,
on rings that share their vertices."""
import heapq
import math

from geometry import (centimetres, segments_meet, signed_area, strictly_inside,
                      triangle_area)

ONE_POINT = "two vertices on one point"


class RingSet:
    """The rings of one zone as lists of shared vertices, and what drops and
    puts back vertices: the simplification, the repairs and the closing of
    holes.  A shared vertex is dropped from every ring or from none.  A
    vertex's importance is the largest triangle it spans in any ring that
    holds it (Visvalingam-Whyatt)."""

    def __init__(self, g, rows, locked, cut, log):
        self.g, self.rows, self.log = g, rows, log
        self.cut_rings = {r for r, vs in enumerate(cut) if vs}   # closing edge made by a cut
        between = {v for vs in cut for v in vs}
        self.target = [row.points - 1 for row in rows]   # distinct vertices
        self.alive = [list(ids) for ids in g.rings]
        self.order = [{v: i for i, v in enumerate(ids)} for ids in g.rings]
        self.locked = set(locked) | g.junctions()
        self.removed = set()
        for v in sorted(between):
            self.drop(v)
        self.forced = set(between)   # dropped for good, never put back

    def rings_of(self, v):
        return [r for r in sorted(self.g.owners[v]) if v in self.alive[r]]

    def neighbours(self, r, v):
        ring = self.alive[r]
        i = ring.index(v)
        return ring[i - 1], ring[(i + 1) % len(ring)]

    def importance(self, v):
        pos = self.g.pos
        best = 0.0
        for r in self.rings_of(v):
            a, b = self.neighbours(r, v)
            best = max(best, triangle_area(pos[a], pos[v], pos[b]))
        return best

    def drop(self, v):
        rs = self.rings_of(v)
        for r in rs:
            self.alive[r].remove(v)
        return rs

    def greedy(self, allowed, only_ring=None):
        """Drop the least important vertex again and again, never taking a
        ring below its target; only vertices whose rings are all in allowed
        (and, if given, one of them is only_ring)."""
        current, heap = {}, []
        for v in range(len(self.g.pos)):
            rs = self.rings_of(v)
            if (v not in self.locked and v not in self.removed and rs
                    and all(r in allowed for r in rs)
                    and (only_ring is None or only_ring in rs)):
                current[v] = self.importance(v)
                heap.append((current[v], v))
        heapq.heapify(heap)
        while heap:
            imp, v = heapq.heappop(heap)
            if v in self.removed or current.get(v) != imp:
                continue
            rs = self.rings_of(v)
            if not rs or any(len(self.alive[r]) <= self.target[r] for r in rs):
                continue
            touched = {u for r in rs for u in self.neighbours(r, v)}
            self.drop(v)
            self.removed.add(v)
            for u in touched:
                if u in current and u not in self.locked and u not in self.removed:
                    current[u] = max(self.importance(u), imp)
                    heapq.heappush(heap, (current[u], u))

    def simplify(self):
        # A ring without a vertex of its own (all its borders are with rings
        # of the set, e.g. a landlocked prefecture) goes first: otherwise its
        # neighbours reach their targets first and freeze the shared borders.
        n = len(self.rows)
        captive = [r for r in range(n) if all(len(self.g.owners[v]) > 1 for v in self.alive[r])]
        for r in captive:
            self.log.append(f"  {self.rows[r].name} has no vertex of its own: simplified first")
            nbrs = {o for v in self.alive[r] for o in self.g.owners[v]}
            self.greedy(nbrs | {r}, only_ring=r)
        self.greedy(set(range(n)))
        self.rebalance()

    def put_back_options(self, r):
        """Removed vertices of ring r alone (not dropped for good), each with
        its place in the ring: [(triangle it spans there, vertex, index)],
        largest triangle first."""
        pos, ring = self.g.pos, self.alive[r]
        options = []
        for v in sorted(self.removed):
            if self.g.owners[v] != {r} or v in self.forced:
                continue
            k = self.order[r][v]
            j = next((i for i, u in enumerate(ring) if self.order[r][u] > k), len(ring))
            a, b = ring[j - 1], ring[j % len(ring)]
            options.append((triangle_area(pos[a], pos[v], pos[b]), v, j))
        options.sort(key=lambda o: -o[0])   # stable: equal triangles keep vertex order
        return options

    def reinsert(self, r, fits=None):
        """Put back the best removed vertex of ring r alone (the largest
        triangle; with fits, the best one that fits).  False when none."""
        for _, v, j in self.put_back_options(r):
            if fits is None or fits(r, j, v):
                self.alive[r].insert(j, v)
                self.removed.discard(v)
                return True
        return False

    def rebalance(self):
        """A ring stuck above its target (its remaining vertices are shared
        with rings already at theirs) drops its least important shared vertex;
        each neighbour thereby pushed below target gets back its best own
        vertex (coast, or border with a prefecture outside the set)."""
        for r, row in enumerate(self.rows):
            while len(self.alive[r]) > self.target[r]:
                cand = [v for v in self.alive[r] if v not in self.locked]
                if not cand:
                    break
                v = min(cand, key=self.importance)
                rs = self.drop(v)
                self.removed.add(v)
                self.log.append(f"  rebalance: {row.name} dropped a shared vertex")
                for o in rs:
                    if o != r and len(self.alive[o]) < self.target[o] and not self.reinsert(o):
                        self.log.append(f"  !! could not give {self.rows[o].name} a vertex back")
        for r, row in enumerate(self.rows):
            if len(self.alive[r]) != self.target[r]:
                self.log.append(f"  !! {row.name}: {len(self.alive[r]) + 1} points, table {row.points}")

    # ---- repairs after the last clamp and the rounding
    def repair(self, anchors, hard):
        """Clamping and rounding can put two vertices on one point, or fold an
        outline onto itself or onto a neighbour (vertices pushed onto one
        extent side).  Until no defect is left: two vertices on one point
        become one; otherwise the least important vertex involved that is not
        hard (an anchor or extreme) is dropped, junctions last.  Each ring
        left below its target gets back one of its own removed vertices that
        fits."""
        junctions = self.g.junctions()
        for _ in range(100):
            found = self.first_defect()
            if not found:
                return
            involved, what = found
            where = self.g.pos[involved[0]]
            names = ", ".join(dict.fromkeys(self.rows[r].name
                                            for v in involved for r in self.rings_of(v)))
            if what == ONE_POINT:
                done = self.merge(*involved, anchors, hard)
            else:
                cand = [v for v in dict.fromkeys(involved) if v not in hard]
                done = bool(cand) and self.remove_and_refill(
                    min(cand, key=lambda v: (v in junctions, self.importance(v))))
            if not done:
                self.log.append(f"  !! {what} at {where} ({names}): cannot repair")
                return
            self.log.append(f"  repair: {what} at {where} ({names})")
        self.log.append("  !! repairs gave up")

    def save(self):
        return ([list(ring) for ring in self.alive], set(self.removed), set(self.forced),
                [set(o) for o in self.g.owners], [dict(o) for o in self.order])

    def restore(self, saved):
        self.alive, self.removed, self.forced, self.g.owners, self.order = saved

    def refill(self, rings):
        """Give each ring below its target one removed vertex of its own that fits."""
        return all(self.reinsert(r, fits=self.fits) for r in rings
                   if len(self.alive[r]) < self.target[r])

    def remove_and_refill(self, v):
        """Drop v for good and refill its rings; undone (False) when that fails."""
        saved = self.save()
        rs = self.drop(v)
        self.removed.add(v)
        self.forced.add(v)
        if self.refill(rs):
            return True
        self.restore(saved)
        return False

    def merge(self, u, v, anchors, hard):
        """Make two vertices on one point one vertex: the anchor stays, else
        an extreme, else the one in more rings.  The other leaves the rings
        that hold both and is replaced by the one that stays everywhere else.
        Undone (False) when a ring cannot be refilled."""
        if u in anchors and v in anchors:
            return False
        keep, gone = sorted((u, v), key=lambda w: (w not in anchors, w not in hard,
                                                   -len(self.rings_of(w)), w))
        saved = self.save()
        short = []
        for r in self.rings_of(gone):
            ring = self.alive[r]
            i = ring.index(gone)
            if keep in ring:
                del ring[i]
                short.append(r)
            else:
                ring[i] = keep
                self.g.owners[keep].add(r)
                self.order[r][keep] = self.order[r][gone]
        self.removed.add(gone)
        self.forced.add(gone)
        if self.refill(short):
            if gone in hard:
                hard.add(keep)
            return True
        self.restore(saved)
        return False

    # ---- holes left by the closing edges
    def close_cut_holes(self, hard):
        """Where the table's closing edge (penultimate point to first point)
        cuts across source vertices, neighbours that met along the cut can
        leave a small hole between them.  Such a hole goes to the neighbour
        with the longest single edge on it: that ring takes the hole's other
        vertices into its outline (they become shared) and drops as many
        vertices of its own, least important first, keeping every outline
        free of defects.  Other holes are real (an exclave left out) and
        stay."""
        tried = set()
        while True:
            cuts = {(self.alive[r][-1], self.alive[r][0]) for r in self.cut_rings}
            todo = [c for c in self.holes() if cuts & set(c) and frozenset(c) not in tried]
            if not todo:
                return
            cycle = todo[0]
            tried.add(frozenset(cycle))
            where = self.g.pos[cycle[0][0]]
            names = ", ".join(dict.fromkeys(self.rows[self.edge_ring(e)].name for e in cycle))
            if not self.absorb(cycle, hard):
                self.log.append(f"  !! cannot close the hole at {where} ({names})")
                continue
            self.log.append(f"  closed a hole at {where} ({names})")

    def edge_ring(self, e):
        return next(r for r, ring in enumerate(self.alive)
                    if e in zip(ring, ring[1:] + ring[:1]))

    def holes(self):
        """Regions no outline covers, enclosed by outlines: cycles of edges
        that a single ring has, walked in ring direction, with positive area
        (the outer boundary of all outlines comes out negative).  A cycle
        through a vertex where it could go two ways is not followed."""
        directed = {(a, b) for ring in self.alive for a, b in zip(ring, ring[1:] + ring[:1])}
        single = sorted(e for e in directed if (e[1], e[0]) not in directed)
        leaving = {}
        for a, b in single:
            leaving.setdefault(a, []).append(b)
        seen, found = set(), []
        for e in single:
            if e in seen:
                continue
            cycle = [e]
            seen.add(e)
            while cycle[-1][1] != e[0] and len(leaving.get(cycle[-1][1], ())) == 1:
                nxt = (cycle[-1][1], leaving[cycle[-1][1]][0])
                if nxt in seen:
                    break
                cycle.append(nxt)
                seen.add(nxt)
            area = signed_area([self.g.pos[a] for a, _ in cycle] + [self.g.pos[e[0]]])
            if cycle[-1][1] == e[0] and area > 0:
                found.append(cycle)
        return found

    def absorb(self, cycle, hard):
        """Give the hole to a ring with a single edge s-t on it (not its
        closing edge) whose extent holds the hole's other vertices: they go
        between s and t.  Longest such edge first."""
        closing = {(ring[-1], ring[0]) for ring in self.alive}
        rings = [self.edge_ring(e) for e in cycle]
        options = [i for i, e in enumerate(cycle) if e not in closing and rings.count(rings[i]) == 1]
        for i in sorted(options, key=lambda i: -math.dist(*(self.g.pos[v] for v in cycle[i]))):
            o, (s, t) = rings[i], cycle[i]
            others = [a for a, _ in cycle[i + 1:] + cycle[:i]][1:]   # t's successors back to s
            x0, x1, y0, y1 = self.rows[o].extent
            if not all(x0 <= self.g.pos[v][0] <= x1 and y0 <= self.g.pos[v][1] <= y1 for v in others):
                continue
            saved = self.save()
            ring = self.alive[o]
            j = ring.index(s) + 1
            ring[j:j] = others[::-1]
            step = (self.order[o][t] - self.order[o][s]) / (len(others) + 1)
            for k, v in enumerate(others[::-1], 1):
                self.g.owners[v].add(o)
                self.order[o][v] = self.order[o][s] + k * step
            if self.trim(o, len(others), hard):
                return True
            self.restore(saved)
        return False

    def trim(self, r, count, hard):
        """Drop count vertices of ring r alone, least important first, each
        leaving no defect."""
        for _ in range(count):
            own = [v for v in self.alive[r] if self.g.owners[v] == {r} and v not in hard]
            for v in sorted(own, key=self.importance):
                saved = self.save()
                self.drop(v)
                self.removed.add(v)
                if not self.first_defect():
                    break
                self.restore(saved)
            else:
                return False
        return True

    def edges(self):
        """Every edge once, as (vertex, vertex) with the smaller first."""
        return sorted({(min(a, b), max(a, b)) for ring in self.alive
                       for a, b in zip(ring, ring[1:] + ring[:1])})

    def first_defect(self):
        """(vertices involved, what) for the first defect, or None: two
        vertices on one point; edges that cross or touch (a fold included);
        an outline entering another one (a vertex strictly inside it, or an
        edge between two of their common vertices that is not an edge of the
        other and runs inside it)."""
        P = [centimetres(p) for p in self.g.pos]
        at = {}
        for ring in self.alive:
            for v in ring:
                if at.setdefault(P[v], v) != v:
                    return (at[P[v]], v), ONE_POINT
        edges = sorted(self.edges(), key=lambda e: min(P[e[0]][0], P[e[1]][0]))
        for i, (a, b) in enumerate(edges):
            right = max(P[a][0], P[b][0])
            for c, d in edges[i + 1:]:
                if min(P[c][0], P[d][0]) > right:
                    break
                if segments_meet(P[a], P[b], P[c], P[d]):
                    return (a, b, c, d), "edges cross or touch"
        for r, ring in enumerate(self.alive):
            poly = [P[v] for v in ring + ring[:1]]
            twice = [(2 * x, 2 * y) for x, y in poly]
            own_edges = {frozenset(e) for e in zip(ring, ring[1:] + ring[:1])}
            for o, other in enumerate(self.alive):
                if o == r:
                    continue
                common = set(ring) & set(other)
                for v in other:
                    if v not in common and strictly_inside(P[v], poly):
                        return (v,), f"a vertex inside {self.rows[r].name}"
                for a, b in zip(other, other[1:] + other[:1]):
                    mid = (P[a][0] + P[b][0], P[a][1] + P[b][1])
                    if (a in common and b in common and frozenset((a, b)) not in own_edges
                            and strictly_inside(mid, twice)):
                        return (a, b), f"a border edge inside {self.rows[r].name}"
        return None

    def fits(self, r, j, v):
        """Whether putting v back at index j of ring r, between a and b,
        makes no defect: a-b is no other ring's edge, v is on no vertex and
        in no other outline, the new edges a-v and v-b meet no edge, and no
        vertex lies inside the triangle a-v-b."""
        ring = self.alive[r]
        a, b = ring[j - 1], ring[j % len(ring)]
        if any(o != r and frozenset((a, b)) in {frozenset(e) for e in zip(other, other[1:] + other[:1])}
               for o, other in enumerate(self.alive) if a in other and b in other):
            return False
        P = [centimetres(p) for p in self.g.pos]
        alive = {u for other in self.alive for u in other}
        if any(P[u] == P[v] for u in alive):
            return False
        for c, d in self.edges():
            if {c, d} != {a, b} and (segments_meet(P[a], P[v], P[c], P[d])
                                     or segments_meet(P[v], P[b], P[c], P[d])):
                return False
        if any(u not in (a, b) and strictly_inside(P[u], [P[a], P[v], P[b], P[a]]) for u in alive):
            return False
        return not any(o != r and strictly_inside(P[v], [P[u] for u in other + other[:1]])
                       for o, other in enumerate(self.alive))

