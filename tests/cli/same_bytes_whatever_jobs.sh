#!/usr/bin/env bash
# Every command that works on several threads writes and prints the same
# bytes on 4 threads as on one: a batch of sheets (some damaged, two with one
# stem), one sheet's blocks spread over the jobs, the tiles and the check.
# In the ThreadSanitizer build a race ends the command with exit status 66.
#
#   same_bytes_whatever_jobs.sh VESK_CLI WORK_DIR
set -euo pipefail
cli=$(readlink -f "$1")
work=$2
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 ${TSAN_OPTIONS:-}"

rm -rf "$work"
mkdir -p "$work/in/more"
for i in 0 1 2 3 4; do
  "$cli" sample "$work/in/sheet$i.tqb" --origin "$((i * 2000 - 8000)),-36000" --seed "$i" \
    --buildings 12 --dem 9x7 --texture 32 --image 80x60 >/dev/null
done
"$cli" sample "$work/in/more/sheet0.tqb" --seed 9 --buildings 6 --without image >/dev/null
"$cli" sample "$work/in/bare.tqb" --seed 5 --without dem --without ortho --without name >/dev/null
head -c 20000 "$work/in/sheet1.tqb" >"$work/in/cut.tqb"
printf 'not a sheet' >"$work/in/text.tqb"

# Runs one command with --jobs N into out-N/TAG, keeping its output, errors and status.
run() {
  local jobs=$1 tag=$2
  shift 2
  local out=$work/out-$jobs/$tag
  mkdir -p "$out"
  local status=0
  (cd "$out" && "$cli" "${@//@OUT@/files}" --jobs "$jobs" >stdout 2>stderr) || status=$?
  if [ "$status" -eq 66 ]; then
    echo "a data race in: vesk-cli $* --jobs $jobs"
    cat "$out/stderr"
    exit 1
  fi
  # The time a batch took is the one thing that may differ.
  sed -i -E 's/ in [0-9.]+ s/ in - s/' "$out/stdout"
  if [ -f "$out/files/report.json" ]; then
    sed -i -E 's/"seconds": [0-9.]+/"seconds": -/' "$out/files/report.json"
  fi
  echo "$status" >"$out/status"
}

for jobs in 1 4; do
  run "$jobs" convert convert "$work/in" "$work/in/more" --all --out @OUT@ --quiet \
    --report @OUT@/report.json
  run "$jobs" convert-one convert "$work/in/sheet2.tqb" --all --out @OUT@
  run "$jobs" tiles tiles "$work/in" "$work/in/more" --out @OUT@ --quiet --report @OUT@/report.json
  run "$jobs" check check "$work/in" "$work/in/more" --json
done
diff -r "$work/out-1" "$work/out-4"
echo "convert, tiles and check wrote and said the same on 1 and 4 threads:" \
  "$(find "$work/out-4" -type f | wc -l) files"
