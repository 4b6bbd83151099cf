#!/usr/bin/env bash
# Random terminologies rich in role axioms (role hierarchies, chains of two
# and three roles, transitivities, top as a filler) on every road of
# tests/reasoner/LibraryRandomClassificationTest.cpp: the library's
# classification with the axioms as drawn, shuffled and split into a first
# part and an increment, the classifier program, the incremental classifier
# storing a first part and reloading it with the rest as an increment (named
# and complex queries), and Konclude as the reference where the role box is
# regular (else the classifier). Runs the test in ROUNDS rounds of COUNT
# terminologies with consecutive seeds from SEED and prints one row per round
# (terminologies, regular ones, subsumptions expected, complex answers
# expected, terminologies on which some road disagrees with the reference,
# wall-clock seconds), a total, and the disagreements of each road over all
# rounds.
#
# usage: bash bench/library_random_classification.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository with its tests (default: a
#              Release tree in /tmp/korvane-bench-tests-build, configured and
#              built when needed)
# environment: COUNT (terminologies per round, default 1000), ROUNDS
#              (default 5), SEED (first seed, default 1)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-tests-build}
count=${COUNT:-1000}
rounds=${ROUNDS:-5}
seed=${SEED:-1}

if ! command -v Konclude >/dev/null 2>&1; then
    echo "Konclude not found (apt-get install konclude)" >&2
    exit 1
fi
. "$root/bench/lib/common.sh"
if ! bench_build "$root" "$build" ON classifier incremental-classifier library_random_tests; then
    echo "cannot build the classifiers and library_random_tests in $build (are its tests on?)" >&2
    exit 1
fi
tool=$build/tests/reasoner/library_random_tests

work=$(mktemp -d /tmp/korvane-library-random-XXXXXX)
trap 'rm -rf "$work"' EXIT

row_format='%-13s %7s %8s %13s %8s %12s %8s\n'
# shellcheck disable=SC2059
printf "$row_format" seeds cases regular subsumptions complex disagreeing wall_s
total_cases=0 total_regular=0 total_subsumptions=0 total_complex=0 total_disagreeing=0 total_seconds=0
failed=0
: >"$work/roads"
for ((round = 0; round < rounds; round++)); do
    first=$((seed + round * count))
    start=$(date +%s.%N)
    KORVANE_RANDOM_ONTOLOGIES=$count KORVANE_RANDOM_SEED=$first "$tool" >"$work/out" 2>&1
    seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
    line=$(grep -m1 '^random roads:' "$work/out")
    if [ -z "$line" ]; then
        echo "round from seed $first gave no summary:" >&2
        tail -20 "$work/out" >&2
        failed=1
        continue
    fi
    read -r cases regular subsumptions complex disagreeing < <(sed -E 's/^random roads: ([0-9]+) cases, '\
'([0-9]+) regular, ([0-9]+) subsumptions expected, ([0-9]+) complex answers expected, ([0-9]+) cases '\
'disagreeing.*/\1 \2 \3 \4 \5/' <<<"$line")
    # One "NAME: N disagreeing" per road after the seeds.
    sed -E 's/^[^)]*\); //' <<<"$line" | tr ';' '\n' | sed -E 's/^ +//; /^$/d' >>"$work/roads"
    # shellcheck disable=SC2059
    printf "$row_format" "$first-$((first + count - 1))" "$cases" "$regular" "$subsumptions" "$complex" \
        "$disagreeing" "$seconds"
    if [ "$disagreeing" -ne 0 ]; then
        # The first disagreements, with their terminologies.
        grep -A40 ' against ' "$work/out" | head -60 >&2
        failed=1
    fi
    total_cases=$((total_cases + cases))
    total_regular=$((total_regular + regular))
    total_subsumptions=$((total_subsumptions + subsumptions))
    total_complex=$((total_complex + complex))
    total_disagreeing=$((total_disagreeing + disagreeing))
    total_seconds=$(awk -v a="$total_seconds" -v b="$seconds" 'BEGIN { printf "%.2f", a + b }')
done
# shellcheck disable=SC2059
printf "$row_format" total "$total_cases" "$total_regular" "$total_subsumptions" "$total_complex" \
    "$total_disagreeing" "$total_seconds"

echo
printf '%-52s %12s\n' road disagreements
awk -F': ' '/disagreeing/ { n[$1] += $2 + 0; if (!($1 in seen)) { seen[$1] = 1; order[++k] = $1 } }
    END { for (i = 1; i <= k; i++) printf "%-52s %12d\n", order[i], n[order[i]] }' "$work/roads"
exit $failed
