#!/usr/bin/env bash
# Fuzzes the programs' inputs with AFL++ over a build instrumented for it
# and checked by AddressSanitizer and UndefinedBehaviorSanitizer.
#
# Usage: scripts/fuzz.sh [--seconds N | --execs N] [--seed S] [--jobs J] [--out DIR] [--build DIR]
#                        [HARNESS...]
#   --seconds N  fuzz each harness for N seconds (default 5)
#   --execs N    fuzz each harness for about N executions instead
#   --seed S     the fuzzer's random seed (default 1)
#   --jobs J     harnesses fuzzed at once (default: the number of cores)
#   --out DIR    where the fuzzers work (default BUILD/fuzz); each harness's
#                folder there is emptied first
#   --build DIR  the instrumented build (default build-fuzz)
# Without names, every harness of fuzz/harnesses/ is fuzzed. Each starts from
# its seeds and its regression corpus (tests/fuzz/regressions/NAME/). Prints
# the executions, paths, crashes and hangs of each; fails when any harness
# found a crash or a hang, lists the inputs and makes the first crashes
# small with afl-tmin; they belong in the regression corpus once the fault
# is fixed.
set -euo pipefail
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
cd "$SOURCE"
. scripts/lib/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES $FUZZ_PACKAGES
. scripts/lib/fuzzing.sh

limit=(-V 5)
seed=1
jobs=$(nproc 2>/dev/null || echo 4)
names=()
FUZZ_BUILD=$SOURCE/build-fuzz
FUZZ_WORK=
while [ $# -gt 0 ]; do
    case $1 in
    --seconds) limit=(-V "$2"); shift 2 ;;
    --execs) limit=(-E "$2"); shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --out) FUZZ_WORK=$(mkdir -p "$2" && cd "$2" && pwd); shift 2 ;;
    --build) FUZZ_BUILD=$(mkdir -p "$2" && cd "$2" && pwd); shift 2 ;;
    -h|--help) sed -n '2,20s/^# \{0,1\}//p' "$0"; exit 0 ;;
    -*) echo "Unknown option: $1" >&2; exit 2 ;;
    *) names+=("$1"); shift ;;
    esac
done
[ ${#names[@]} -gt 0 ] || mapfile -t names < <(fuzz_harness_names)
FUZZ_WORK=${FUZZ_WORK:-$FUZZ_BUILD/fuzz}
for name in "${names[@]}"; do
    [ -f "$FUZZ_HARNESSES/$name.sh" ] || { echo "No harness $name in fuzz/harnesses/" >&2; exit 2; }
done

CC=afl-clang-fast CXX=afl-clang-fast++ cmake -S . -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVANE_SANITIZE=ON -DKORVANE_TESTS=OFF -DKORVANE_FUZZ_DRIVERS=ON >/dev/null
AFL_QUIET=1 ninja -C "$FUZZ_BUILD" classifier pinpointer pinpoint-encoder incremental-classifier reader-driver >/dev/null

# A sanitizer report aborts, so that the fuzzer sees a crash.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:halt_on_error=1:symbolize=0
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:symbolize=0
export AFL_NO_UI=1 AFL_SKIP_CPUFREQ=1 AFL_NO_AFFINITY=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1

rm -rf "${FUZZ_WORK:?}/written" "$FUZZ_WORK/heads"
mkdir -p "$FUZZ_WORK"
fuzz_prepare "$FUZZ_BUILD" "$FUZZ_WORK"

# Fuzzes harness $1 into $FUZZ_WORK/$1/findings.
fuzz_one() {
    local name=$1 dir=$FUZZ_WORK/$1
    rm -rf "$dir"
    fuzz_load "$name"
    mkdir -p "$dir/seeds"
    local f i=0
    for f in "${seeds[@]}" "$FUZZ_REGRESSIONS/$name"/*; do
        [ -f "$f" ] || continue
        i=$((i + 1))
        cp "$f" "$dir/seeds/$i-${f##*/}"
    done
    fuzz_command @@
    afl-fuzz -i "$dir/seeds" -o "$dir/findings" -s "$seed" "${limit[@]}" -t 5000+ \
        -x "$SOURCE/fuzz/dictionaries/$dictionary" -- "${command_line[@]}" >"$dir/afl.log" 2>&1
}

pids=()
for name in "${names[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
    fuzz_one "$name" &
    pids+=($!)
done
statuses=()
for pid in "${pids[@]}"; do
    status=0
    wait "$pid" || status=$?
    statuses+=("$status")
done

# Makes the first crashes of harness $1 small, into $FUZZ_WORK/$1/minimised.
fuzz_minimise() {
    local name=$1 dir=$FUZZ_WORK/$1 f
    fuzz_load "$name"
    fuzz_command @@
    mkdir -p "$dir/minimised"
    find "$dir/findings/default/crashes" -type f -name 'id:*' | head -n 5 | while read -r f; do
        afl-tmin -i "$f" -o "$dir/minimised/$(basename "$f" | cut -d, -f1 | tr : -)" -- "${command_line[@]}" \
            >>"$dir/afl-tmin.log" 2>&1 || true
    done
    if [ -n "$(ls -A "$dir/minimised")" ]; then
        echo "    made small in $dir/minimised/"
    fi
}

stat() { sed -n "s/^$1 *: //p" "$2" 2>/dev/null; }
failed=0
printf '%-24s %10s %9s %6s %8s %6s\n' harness executions "exec/s" paths crashes hangs
for i in "${!names[@]}"; do
    name=${names[$i]}
    dir=$FUZZ_WORK/$name
    stats=$dir/findings/default/fuzzer_stats
    if [ "${statuses[$i]}" -ne 0 ] || [ ! -f "$stats" ]; then
        printf '%-24s the fuzzer failed; the end of %s:\n' "$name" "$dir/afl.log"
        tail -n 15 "$dir/afl.log"
        failed=1
        continue
    fi
    crashes=$(stat saved_crashes "$stats")
    hangs=$(stat saved_hangs "$stats")
    printf '%-24s %10s %9s %6s %8s %6s\n' "$name" "$(stat execs_done "$stats")" "$(stat execs_per_sec "$stats")" \
        "$(stat corpus_count "$stats")" "$crashes" "$hangs"
    if [ "$crashes" != 0 ] || [ "$hangs" != 0 ]; then
        failed=1
        find "$dir/findings/default/crashes" "$dir/findings/default/hangs" -type f -name 'id:*' | sed 's/^/    /'
        fuzz_minimise "$name"
    fi
done
exit "$failed"
