#!/usr/bin/env bash
# vesk-cli tiles in 3 shards run by GNU parallel, then merged, must give the
# very files of one run over the same sheets.
#
#   tiles_shards_parallel.sh VESK_CLI WORK_DIR
set -euo pipefail
cli=$1
work=$2
if ! command -v parallel >/dev/null 2>&1; then
  echo "GNU parallel is not installed; scripts/deps.sh installs it (Debian package parallel)"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work/in"
# Seven sheets, so that the shards hold 3, 2 and 2; one of them in zone 7.
for i in 0 1 2 3 4 5; do
  "$cli" sample "$work/in/sheet$i.tqb" --origin "$((i * 2000 - 8000)),-36000" --seed "$i" \
    --buildings 8 --dem 9x7 --texture 32 >/dev/null
done
"$cli" sample "$work/in/kanazawa.tqb" --zone 7 --origin 60000,-40000 --buildings 8 --dem 9x7 \
  --texture 32 >/dev/null

"$cli" tiles "$work/in" --out "$work/one" --quiet >/dev/null
parallel --will-cite --halt now,fail=1 -j 3 \
  "$cli" tiles "$work/in" --out "$work/sharded" --quiet --jobs 1 --shard {}/3 ::: 0 1 2 >/dev/null
"$cli" tiles --merge "$work/sharded"

diff -r "$work/one" "$work/sharded"
sheets=$(find "$work/sharded/sheets" -name tileset.json | wc -l)
blocks=$(find "$work/sharded/sheets" -name '*.glb' ! -name sheet.glb | wc -l)
echo "3 shards and a merge give the files of one run: $sheets sheets, $blocks blocks"
[ "$sheets" -eq 7 ] && [ "$blocks" -eq 175 ]
