#!/usr/bin/env bash
# Random small terminologies classified by the classifier and by Konclude:
# how many agree on the subsumptions between named concepts. Runs the test
# tests/classifier/RandomClassificationTest.cpp with more terminologies, in
# ROUNDS rounds of COUNT terminologies with consecutive seeds from SEED, and
# prints one row per round and a total: terminologies tried, agreeing,
# disagreeing, subsumptions expected, wall-clock seconds.
#
# usage: bash bench/random_classification.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository with its tests (default: a
#              Release tree in /tmp/korvane-bench-random-build, configured
#              and built when needed)
# environment: COUNT (terminologies per round, default 250), ROUNDS
#              (default 4), SEED (first seed, default 1)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-random-build}
count=${COUNT:-250}
rounds=${ROUNDS:-4}
seed=${SEED:-1}

if ! command -v Konclude >/dev/null 2>&1; then
    echo "Konclude not found (apt-get install konclude)" >&2
    exit 1
fi
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
fi
ninja -C "$build" classifier_random_tests >/dev/null || exit 1
tool="$build/tests/classifier/classifier_random_tests"

printf '%-13s %7s %9s %12s %13s %8s\n' seeds tried agreeing disagreeing subsumptions wall_s
total_tried=0 total_agreeing=0 total_disagreeing=0 total_subsumptions=0 total_seconds=0
failed=0
for ((round = 0; round < rounds; round++)); do
    first=$((seed + round * count))
    start=$(date +%s.%N)
    out=$(KORVANE_RANDOM_ONTOLOGIES=$count KORVANE_RANDOM_SEED=$first "$tool" 2>&1)
    end=$(date +%s.%N)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')
    line=$(grep -m1 '^random terminologies:' <<<"$out")
    if [ -z "$line" ]; then
        echo "round from seed $first gave no summary:" >&2
        echo "$out" >&2
        failed=1
        continue
    fi
    read -r tried agreeing disagreeing subsumptions < <(sed -E \
        's/^random terminologies: ([0-9]+) tried, ([0-9]+) agreeing, ([0-9]+) disagreeing, ([0-9]+) .*/\1 \2 \3 \4/' <<<"$line")
    printf '%-13s %7d %9d %12d %13d %8s\n' "$first-$((first + count - 1))" "$tried" "$agreeing" "$disagreeing" \
        "$subsumptions" "$seconds"
    if [ "$disagreeing" -ne 0 ]; then
        # The first disagreements, with their terminologies.
        grep -A12 '^terminology ' <<<"$out" | head -60 >&2
        failed=1
    fi
    total_tried=$((total_tried + tried))
    total_agreeing=$((total_agreeing + agreeing))
    total_disagreeing=$((total_disagreeing + disagreeing))
    total_subsumptions=$((total_subsumptions + subsumptions))
    total_seconds=$(awk -v a="$total_seconds" -v b="$seconds" 'BEGIN { printf "%.2f", a + b }')
done
printf '%-13s %7d %9d %12d %13d %8s\n' total "$total_tried" "$total_agreeing" "$total_disagreeing" \
    "$total_subsumptions" "$total_seconds"
exit $failed
