#!/usr/bin/env bash
# The road incremental-classifier -p -> pinpoint-encoder on the shared
# ontologies, in two tables.
#
# 1. Per ontology: the incremental classifier's run that writes the encoding,
#    its map and the pinpointing information; the pinpoint-encoder writing the
#    pinpointing encoding (CPU seconds of its two phases, and wall-clock); the
#    classifier classifying and encoding the same ontology with pinpointing
#    (TOTAL TIME), and the ratio pinpoint-encoder/classifier; then QUERIES
#    seeded queries between named concepts of the map answered with -m: the
#    wall-clock seconds of the whole run, the seconds of the query loop (the
#    sum of its per-query lines) and the answers that hold.
# 2. With a build that has the tests (TEST_BUILD, default build/ of this
#    repository): the road's checks against picosat (all selectors answer as
#    the original encoding; the selectors of each answer entail it; with -g
#    the classifier finds it on the ontology cut down to the answer's axioms)
#    with CHECKED queries per file on the files up to not-galen.
#
# usage: bash bench/pinpoint_encoder.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: ONTOLOGIES (default: not-galen el-galen), QUERIES (default
#              1000), CHECKED (default 200), SEED (default 1), TEST_BUILD

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
queries=${QUERIES:-1000}
checked=${CHECKED:-200}
seed=${SEED:-1}
ontologies=${ONTOLOGIES:-not-galen el-galen}
test_build=${TEST_BUILD:-$root/build}

. "$root/bench/lib/common.sh"
bench_build "$root" "$build" OFF classifier incremental-classifier pinpoint-encoder || exit 1
classifier=$build/classifier/classifier
incremental=$build/incremental-classifier/incremental-classifier
encoder=$build/pinpoint-encoder/pinpoint-encoder

work=$(mktemp -d /tmp/korvane-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

# Wall-clock seconds of a command, its standard output to $1, its standard
# error to $2.
timed() {
    local out=$1 err=$2
    shift 2
    local start end
    start=$(date +%s.%N)
    "$@" >"$out" 2>"$err"
    local status=$?
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f\n", b - a }'
    return $status
}
sum() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a + b }'; }

echo "| ontology | incremental-classifier -p (CPU s) | pinpoint-encoder: info + encoding (CPU s) | wall s | classifier, pinpointing (CPU s) | ratio | $queries queries -m: wall s | query loop s | hold |"
echo "|---|---|---|---|---|---|---|---|---|"
for name in $ontologies; do
    krss=$data/$name.krss
    if [ ! -f "$krss" ]; then
        echo "| $name | missing | | | | | | | |"
        continue
    fi
    d=$work/$name
    mkdir -p "$d"
    "$incremental" -i="$krss" -o="$d/body" -h="$d/header" -p="$d/pinpointing" -v="$d/map" 2>"$d/ic.err" >/dev/null ||
        { echo "| $name | failed | | | | | | | |"; continue; }
    ic=$(timing_seconds "$d/ic.err" "TOTAL TIME")
    cat "$d/header" "$d/body" >"$d/encoding"

    wall=$(timed /dev/null "$d/pe.err" "$encoder" -i="$d/encoding" -p="$d/pinpointing" -o="$d/pbody" -h="$d/pheader" \
        -a="$d/axioms") || { echo "| $name | $ic | failed | | | | | | |"; continue; }
    pe=$(sum "$(timing_seconds "$d/pe.err" "PARSING PINPOINTING INFO")" "$(timing_seconds "$d/pe.err" "PARSING AND PRODUCE NEW ENCODING")")

    "$classifier" -i="$krss" -o=/dev/null -h=/dev/null 2>"$d/cl.err" >/dev/null
    cl=$(timing_seconds "$d/cl.err" "TOTAL TIME")

    # Seeded pairs of named concepts: half of them a clause -a b 0 of the
    # encoding between two named concepts (most hold), half drawn at random.
    awk -v n="$queries" -v seed="$seed" '
        FNR == NR {
            if ($0 !~ /^[(#*]/) { v = $NF; sub(/ [0-9]+$/, ""); name[v] = $0; names[++count] = $0 }
            next
        }
        NF == 3 && $1 < 0 && ((-$1) in name) && ($2 in name) { derived[++pairs] = name[-$1] " " name[$2] }
        END {
            srand(seed)
            for (i = 0; i < n; ++i) {
                if (i % 2 == 0 && pairs > 0) {
                    split(derived[int(rand() * pairs) + 1], p, " ")
                    sub1 = p[1]; sup = p[2]
                } else {
                    sub1 = names[int(rand() * count) + 1]; sup = names[int(rand() * count) + 1]
                }
                print "(subsumes? " sup " " sub1 ")"
            }
        }' "$d/map" "$d/body" >"$d/queries"
    qwall=$(timed "$d/answers" "$d/q.err" "$encoder" -m -i="$d/encoding" -p="$d/pinpointing" -q="$d/queries" \
        -v="$d/map" -o=/dev/null -h=/dev/null) || { echo "| $name | $ic | $pe | $wall | $cl | $(ratio_x "$pe" "$cl") | failed | | |"; continue; }
    loop=$(awk '/^S \[[0-9]+\]: / { s += $3 } END { printf "%.2f\n", s }' "$d/q.err")
    hold=$(grep -c '^U$' "$d/answers")
    echo "| $name | $ic | $pe | $wall | $cl | $(ratio_x "$pe" "$cl") | $qwall | $loop | $hold of $queries |"
done

echo
road=$test_build/tests/pinpoint-encoder/pinpoint_road_tests
if [ ! -x "$road" ]; then
    echo "road checks: no $road (build the tests there, or set TEST_BUILD)"
    exit 0
fi
echo "| road checks, $checked queries per file | passed | failed | skipped | wall s |"
echo "|---|---|---|---|---|"
start=$(date +%s.%N)
KORVANE_ROAD_QUERIES=$checked "$road" --gtest_filter='*pizza*:*plana*:*not_galen*' >"$work/road.out" 2>&1
end=$(date +%s.%N)
passed=$(grep -c '^\[       OK \]' "$work/road.out")
failed=$(grep -c '^\[  FAILED  \] SharedData.*ms)$' "$work/road.out")
skipped=$(grep -c '^\[  SKIPPED \] SharedData' "$work/road.out")
echo "| pizza, pizza-bottom, plana-full, not-galen (with and without -g) | $passed | $failed | $skipped | $(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }') |"
grep -A8 '^\[  FAILED  \] SharedData\|Failure' "$work/road.out" | head -40
