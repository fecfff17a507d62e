#!/usr/bin/env bash
# The fuzzing step of scripts/test. Makes the seed corpus (sample sheets from
# vesk-cli, the reproducers from vesk-fuzz-seeds, the environment files of
# fuzz/seeds/), replays it through every harness, then fuzzes each harness for
# a bounded time. A finding fails the step and names its reproducer.
#
#   fuzz/run.sh FUZZ_BUILD VESK_CLI      (VESK_FUZZ_SECONDS: time per harness, default 5)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
cli=$2
seconds=${VESK_FUZZ_SECONDS:-5}

bin=$build/fuzz
corpus=$build/corpus
work=$build/work
findings=$build/findings
logs=$build/logs
harnesses=(open_convert environment survey model_export tiles check sgi)
# No input is larger than 32 KiB, so no allocation of 256 MiB is backed by its bytes.
limits=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=256)

# The harnesses write each input and its outputs below TMPDIR: in memory when
# the machine offers it, as a disk makes file creation the bottleneck. A
# timeout ends a harness without its clean-up, so the folder goes with the step.
# A full folder would read as a failed write, so memory only with room to spare.
scratch_parent=$build
if [[ -d /dev/shm && -w /dev/shm ]] &&
  (($(df -Pk /dev/shm | awk 'NR == 2 { print $4 }') >= 512 * 1024)); then
  scratch_parent=/dev/shm
fi
TMPDIR=$(mktemp -d "$scratch_parent/vesk-fuzz.XXXXXX") || exit 1
export TMPDIR
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if command -v llvm-symbolizer-14 >/dev/null; then
  export ASAN_SYMBOLIZER_PATH=$(command -v llvm-symbolizer-14)
fi
trap 'rm -rf "$TMPDIR"' EXIT

make_seeds() {
  rm -rf "$corpus"
  mkdir -p "$corpus/sheets"
  local sheets=$corpus/sheets
  "$cli" sample "$sheets/small.tqb" --buildings 2 --dem 3x3 --texture 4 --image 8x6 &&
    "$cli" sample "$sheets/no-image.tqb" --seed 2 --buildings 1 --dem 2x2 --texture 2 \
      --without image --name 'テスト図葉' &&
    "$cli" sample "$sheets/buildings-only.tqb" --seed 3 --buildings 3 \
      --without dem --without ortho --without image &&
    "$cli" sample "$sheets/dem-only.tqb" --seed 4 --dem 4x3 \
      --without buildings --without ortho --without image --without name &&
    "$bin/vesk_fuzz_seeds" "$corpus"
}

seed_dirs() {
  case $1 in
    environment) echo "$root/fuzz/seeds/environment $corpus/environment" ;;
    sgi) echo "$corpus/sgi" ;;
    *) echo "$corpus/sheets $corpus/open_convert" ;;
  esac
}

fuzz_options() {
  case $1 in
    environment) echo "-max_len=4096 -dict=$root/fuzz/seeds/environment.dict" ;;
    sgi) echo "-max_len=32768" ;;
    *) echo "-max_len=32768 -dict=$root/fuzz/seeds/sheet.dict" ;;
  esac
}

# The log without libFuzzer's progress lines: the oracle's words and the stack.
show_log() {
  grep -v -e '^#[0-9]' -e '^INFO:' "$1" | tail -n 60 | sed 's/^/    /'
}

replay() {
  local harness=$1 log=$logs/$1-replay.log
  local files
  # shellcheck disable=SC2046
  mapfile -t files < <(find $(seed_dirs "$harness") -type f | sort)
  if "$bin/vesk_fuzz_$harness" "${limits[@]}" -artifact_prefix="$findings/$harness/" \
    "${files[@]}" >"$log" 2>&1; then
    echo "fuzz: $harness replayed ${#files[@]} seeds"
    return 0
  fi
  echo "FUZZ FINDING: $harness fails on seed $(grep '^Running: ' "$log" | tail -n 1 | cut -c10-)"
  show_log "$log"
  return 1
}

fuzz() {
  local harness=$1 log=$logs/$1-fuzz.log
  mkdir -p "$work/$harness"
  # shellcheck disable=SC2046
  if "$bin/vesk_fuzz_$harness" "${limits[@]}" $(fuzz_options "$harness") \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/$harness/" \
    "$work/$harness" $(seed_dirs "$harness") >"$log" 2>&1; then
    echo "fuzz: $harness ran $(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" |
      grep -o '[0-9]*$') inputs in ${seconds}s, no finding"
    return 0
  fi
  local artifact
  artifact=$(grep -o "Test unit written to .*" "$log" | tail -n 1 | cut -c22-)
  echo "FUZZ FINDING: $harness; reproducer ${artifact:-(none written, see $log)}"
  echo "  replay with: $bin/vesk_fuzz_$harness ${artifact:-REPRODUCER}"
  show_log "$log"
  return 1
}

main() {
  local status=0 harness
  rm -rf "$findings" "$logs"
  mkdir -p "$logs"
  for harness in "${harnesses[@]}"; do
    mkdir -p "$findings/$harness"
  done
  if ! make_seeds >"$logs/seeds.log" 2>&1; then
    echo "FUZZ: cannot make the seed corpus"
    cat "$logs/seeds.log"
    return 1
  fi
  if ! "$bin/vesk_fuzz_utf8_check"; then
    echo "FUZZ: the UTF-8 oracle is wrong"
    status=1
  fi
  for harness in "${harnesses[@]}"; do
    replay "$harness" || status=1
  done
  for harness in "${harnesses[@]}"; do
    fuzz "$harness" || status=1
  done
  return $status
}

main
