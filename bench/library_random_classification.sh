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

. "$root/bench/lib/common.sh"
bench_need_konclude || exit 1
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
failed=0
: >"$work/roads"
for ((round = 0; round < rounds; round++)); do
    first=$((seed + round * count))
    seconds=$(bench_timed "$work/out" env KORVANE_RANDOM_ONTOLOGIES="$count" KORVANE_RANDOM_SEED="$first" "$tool")
    line=$(bench_summary "$work/out" 'random roads:' "round from seed $first") || {
        failed=1
        continue
    }
    # cases, regular, subsumptions, complex answers, disagreeing cases.
    read -r -a numbers < <(sed -E 's/^random roads: ([0-9]+) cases, ([0-9]+) regular, ([0-9]+) subsumptions '\
'expected, ([0-9]+) complex answers expected, ([0-9]+) cases disagreeing.*/\1 \2 \3 \4 \5/' <<<"$line")
    echo "${numbers[*]} $seconds" >>"$work/rows"
    # One "NAME: N disagreeing" per road after the seeds.
    sed -E 's/^[^)]*\); //' <<<"$line" | tr ';' '\n' | sed -E 's/^ +//; /^$/d' >>"$work/roads"
    # shellcheck disable=SC2059
    printf "$row_format" "$first-$((first + count - 1))" "${numbers[@]}" "$seconds"
    if [ "${numbers[4]}" -ne 0 ]; then
        # The first disagreements, with their terminologies.
        grep -A40 ' against ' "$work/out" | head -60 >&2
        failed=1
    fi
done
bench_total "$row_format" 0 "$work/rows" total

echo
printf '%-52s %12s\n' road disagreements
awk -F': ' '/disagreeing/ { n[$1] += $2 + 0; if (!($1 in seen)) { seen[$1] = 1; order[++k] = $1 } }
    END { for (i = 1; i <= k; i++) printf "%-52s %12d\n", order[i], n[order[i]] }' "$work/roads"
exit $failed
