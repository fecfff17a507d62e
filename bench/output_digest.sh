#!/bin/bash
# Usage: bench/output_digest.sh VESK_CLI DIGEST_FILE
# Writes a set of sample sheets (whole, partial, foreign and corrupted ones),
# runs every output command on them and records a SHA-256 of every file
# written and of every command's standard output, standard error and exit
# status. Two digests that are equal show that a restructuring kept every
# output byte and every message.
set -u
cli=$(readlink -f "$1"); out=$(readlink -f -m "$2")
w=$(mktemp -d /tmp/digest.XXXXXX); cd "$w"
mkdir sheets
"$cli" sample sheets/a.tqb --seed 1 >/dev/null
"$cli" sample sheets/b.tqb --seed 2 --zone 1 --origin 1000,-2000 --buildings 120 --dem 81x61 --texture 512 >/dev/null
"$cli" sample sheets/c.tqb --seed 3 --without name --without ortho >/dev/null
"$cli" sample sheets/d.tqb --seed 4 --without dem --without image >/dev/null
"$cli" sample sheets/e.tqb --seed 5 --without buildings >/dev/null
"$cli" sample sheets/f.tqb --seed 6 --zone 19 --origin -2000,4000 --buildings 300 >/dev/null
printf 'not a sheet' > sheets/g.tqb
: > sheets/h.tqb
# a few corrupted copies (truncated, flipped bytes)
head -c 30000 sheets/a.tqb > sheets/t1.tqb
python3 - <<'PY'
import random
data = bytearray(open('sheets/b.tqb','rb').read())
r = random.Random(7)
for i in range(200):
    data[r.randrange(len(data))] = r.randrange(256)
open('sheets/t2.tqb','wb').write(data)
PY
run() { local tag=$1; shift; "$@" >"log.$tag.out" 2>"log.$tag.err"; echo "$?" >"log.$tag.rc"; }
for s in sheets/*.tqb; do n=$(basename "$s" .tqb)
  run info.$n "$cli" info "$s"
  run infojson.$n "$cli" info --json "$s"
  run check.$n "$cli" check "$s"
  run checkjson.$n "$cli" check --json "$s"
  mkdir -p exp/$n.glb exp/$n.gltf exp/$n.obj exp/$n.z conv/$n
  run exglb.$n "$cli" export --all --out exp/$n.glb "$s"
  run exgltf.$n "$cli" export --all --format gltf --out exp/$n.gltf "$s"
  run exobj.$n "$cli" export --all --format obj --out exp/$n.obj "$s"
  run exz.$n "$cli" export --all --compress --out exp/$n.z "$s"
  run conv.$n "$cli" convert --all --jobs 1 --out conv/$n "$s"
done
mkdir -p convbatch tiles tilesplain
run convbatch "$cli" convert --all --jobs 2 --quiet --report conv-report.json --out convbatch sheets
run tiles "$cli" tiles --jobs 2 --quiet --report tiles-report.json --out tiles sheets
run tilesplain "$cli" tiles --jobs 1 --no-compress --heights sea-level --out tilesplain sheets/a.tqb sheets/b.tqb sheets/f.tqb
run checkall "$cli" check --json --jobs 2 sheets
run survey "$cli" survey sheets
run surveyjson "$cli" survey --json sheets
run surveygeo "$cli" survey --geojson sheets
# reports carry times; drop them
for f in conv-report.json tiles-report.json; do [ -f "$f" ] && python3 -c "
import json,sys,re
t=open('$f').read()
t=re.sub(r'\"(seconds|elapsed[a-z_]*|duration[a-z_]*|time[a-z_]*)\": *[0-9.eE+-]+','\"\\1\": 0',t)
open('$f','w').write(t)"; done
sed -i -E 's/[0-9]+\.[0-9]+ ?s\b/T s/g' log.*.err log.*.out
find . -type f ! -path './sheets/*' -print0 | sort -z | xargs -0 sha256sum > "$out"
cd /; rm -rf "$w"
echo "digest of $(wc -l < "$out") files in $out"
