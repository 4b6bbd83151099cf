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

. "$root/bench/lib/common.sh"
bench_need_konclude || exit 1
bench_build "$root" "$build" ON classifier_random_tests || exit 1
tool="$build/tests/classifier/classifier_random_tests"
work=$(mktemp -d /tmp/korvane-bench-random-XXXXXX)
trap 'rm -rf "$work"' EXIT

format='%-13s %7s %9s %12s %13s %8s\n'
# shellcheck disable=SC2059
printf "$format" seeds tried agreeing disagreeing subsumptions wall_s
failed=0
for ((round = 0; round < rounds; round++)); do
    first=$((seed + round * count))
    seconds=$(bench_timed "$work/out" env KORVANE_RANDOM_ONTOLOGIES="$count" KORVANE_RANDOM_SEED="$first" "$tool")
    line=$(bench_summary "$work/out" 'random terminologies:' "round from seed $first") || {
        failed=1
        continue
    }
    # tried, agreeing, disagreeing, subsumptions.
    read -r -a numbers < <(sed -E 's/^random terminologies: ([0-9]+) tried, ([0-9]+) agreeing, ([0-9]+) '\
'disagreeing, ([0-9]+) .*/\1 \2 \3 \4/' <<<"$line")
    echo "${numbers[*]} $seconds" >>"$work/rows"
    # shellcheck disable=SC2059
    printf "$format" "$first-$((first + count - 1))" "${numbers[@]}" "$seconds"
    if [ "${numbers[2]}" -ne 0 ]; then
        # The first disagreements, with their terminologies.
        grep -A12 '^terminology ' "$work/out" | head -60 >&2
        failed=1
    fi
done
bench_total "$format" 0 "$work/rows" total
exit $failed
