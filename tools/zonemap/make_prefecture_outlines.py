"""Make the prefecture outlines of the zone 6 and zone 9 survey maps as a C++
source file of constant tables.

Reads the prefecture boundaries (TopoJSON, MLIT N03 2021 simplified to 1 %)
and writes, for zone 6 and zone 9, a closed outline per prefecture in the
order of the required table, in plane rectangular metres of the zone (X east,
Y north), rounded to the centimetre and written in the shortest form of the
stored single-precision floats.  Every outline meets its row of the table
exactly: number of points, first point (also the last), point before the
closing point, and extent.  Points that two neighbours share are identical in
both, every outline runs clockwise, nothing crosses.  Same input, same bytes.

    python3 tools/zonemap/make_prefecture_outlines.py [--topojson FILE] [--output FILE]

Paths are taken relative to the current folder; the defaults are relative to
the repository root: ../shared/zonemap/prefectures-topo-s0010.json and
src/core/zonemap/PrefectureOutlines.cpp.
"""
import sys

sys.dont_write_bytecode = True   # keep the source tree free of __pycache__

import argparse  # noqa: E402
import hashlib  # noqa: E402
import os  # noqa: E402

from cpp_writer import cpp_source  # noqa: E402
from required_table import REQUIRED_TABLE  # noqa: E402
from topology import read_main_rings  # noqa: E402
from zone_outlines import make_zone, merged_in_single_precision, problems  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_TOPOJSON = os.path.join(ROOT, "..", "shared", "zonemap", "prefectures-topo-s0010.json")
DEFAULT_OUTPUT = os.path.join(ROOT, "src", "core", "zonemap", "PrefectureOutlines.cpp")


def sha256_of(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def write_atomically(path, text):
    """Write through a temporary file, so a failed run leaves no half-written file."""
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(tmp, path)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--topojson", default=DEFAULT_TOPOJSON)
    ap.add_argument("--output", default=DEFAULT_OUTPUT)
    args = ap.parse_args()
    if not os.path.exists(args.topojson):
        sys.exit(f"{args.topojson}: not found (the boundary data is described in"
                 " tools/zonemap/README.md)")
    names = [row.name for rows in REQUIRED_TABLE.values() for row in rows]
    main_rings = read_main_rings(args.topojson, names)
    zones, bad = [], []
    for zone, rows in REQUIRED_TABLE.items():
        log = [f"zone {zone}"]
        outlines, source_extents = make_zone(zone, rows, main_rings, log)
        print("\n".join(log))
        zones.append((zone, rows, outlines, source_extents))
        bad += problems(rows, outlines) + merged_in_single_precision(zone, outlines)
        bad += [line.strip() for line in log if "!!" in line]
    if bad:
        sys.exit("not as the table requires: " + "; ".join(bad))
    text = cpp_source(os.path.basename(args.topojson), sha256_of(args.topojson), zones)
    write_atomically(args.output, text)
    total = sum(len(ring) for _, _, outlines, _ in zones for _, ring in outlines)
    print(f"wrote {args.output}: {total} points")


if __name__ == "__main__":
    main()
