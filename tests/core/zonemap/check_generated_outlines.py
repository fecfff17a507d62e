"""Run the outline generator into a temporary folder and compare its output
byte for byte with the committed file. Exit status 77 (skipped) when the
boundary data is not at hand, 1 when the files differ or the generator fails.

    python3 check_generated_outlines.py GENERATOR TOPOJSON COMMITTED
"""
import difflib
import os
import subprocess
import sys
import tempfile

SKIPPED = 77


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    generator, topojson, committed = sys.argv[1:]
    if not os.path.exists(topojson):
        print(f"skipped: {topojson} is not at hand")
        return SKIPPED
    with tempfile.TemporaryDirectory() as work:
        made = os.path.join(work, os.path.basename(committed))
        run = subprocess.run([sys.executable, "-B", generator, "--topojson", topojson,
                              "--output", made], capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            return 1
        with open(made, "rb") as f:
            fresh = f.read()
    with open(committed, "rb") as f:
        kept = f.read()
    if fresh == kept:
        print(f"{committed}: as generated")
        return 0
    diff = difflib.unified_diff(kept.decode("utf-8", "replace").splitlines(),
                                fresh.decode("utf-8", "replace").splitlines(),
                                "committed", "generated", lineterm="")
    print("\n".join(list(diff)[:60]))
    return 1


if __name__ == "__main__":
    sys.exit(main())
