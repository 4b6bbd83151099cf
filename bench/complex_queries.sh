#!/usr/bin/env bash
# Random complex queries answered by the incremental classifier against
# Konclude: runs the property test tests/parsers/ComplexQueryPeerTest.cpp
# with SCALE times its terminologies and queries, in ROUNDS rounds of other
# seeds, and prints one row per round and source (random terminologies, the
# small shared ontologies) and a total: queries, answers compared (every road
# with -m, -ms, with and without -e), answers that hold, wrong answers per
# road (the file in order, shuffled, each query alone, after a reload, after
# an increment, after a reload of a first part and the rest as an
# increment), answers left out because the named query on the extended
# ontology is wrong too, program runs, wall-clock seconds. Then, when the
# shared data has el-galen, COUNT queries (subsumes? (some r F) (some r F'))
# with F' ⊑ F told and ∃r.F' in the ontology, each of which holds, and how
# many answer U.
#
# usage: bash bench/complex_queries.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository with its tests (default: a
#              Release tree in /tmp/korvane-bench-complex-build, configured
#              and built when needed)
# environment: SCALE (default 8), ROUNDS (default 3), SEED (first seed,
#              default 1000), COUNT (el-galen queries, default 3000)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/lib/common.sh"
build=${1:-/tmp/korvane-bench-complex-build}
scale=${SCALE:-8}
rounds=${ROUNDS:-3}
seed=${SEED:-1000}
count=${COUNT:-3000}

if ! command -v Konclude >/dev/null 2>&1; then
    echo "Konclude not found (apt-get install konclude)" >&2
    exit 1
fi
bench_build "$root" "$build" ON complex_query_road_tests incremental-classifier || exit 1
tool="$build/tests/parsers/complex_query_road_tests"
program="$build/incremental-classifier/incremental-classifier"

row() { printf '%-8s %-8s %8s %9s %8s %6s %6s %6s %6s %6s %6s %9s %6s %7s\n' "$@"; }
row seed source queries compared holding order shuffle alone reload increm re+inc excluded runs wall_s
failed=0
declare -A total
for ((round = 0; round < rounds; round++)); do
    s=$((seed + round * 100000))
    start=$(date +%s.%N)
    out=$(KORVANE_COMPLEX_SCALE=$scale KORVANE_COMPLEX_SEED=$s "$tool" --gtest_filter='ComplexQueryPeer.*' 2>&1)
    end=$(date +%s.%N)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')
    lines=$(grep '^complex queries' <<<"$out")
    if [ "$(wc -l <<<"$lines")" -ne 2 ]; then
        echo "round from seed $s gave no summary:" >&2
        tail -40 <<<"$out" >&2
        failed=1
        continue
    fi
    previous=0
    while read -r line; do
        source=$(sed -E 's/^complex queries \(([a-z]+).*/\1/' <<<"$line")
        # The numbers in order: queries, compared, holding, wrong, the wrong
        # ones per road, excluded, program runs.
        read -r queries compared holding _ w1 w2 w3 w4 w5 w6 excluded runs < <(sed -E 's/^[^:]*://' <<<"$line" |
            grep -oE '[0-9]+' | tr '\n' ' ')
        # The run counter goes on over the two tests of a round.
        own=$((runs - previous))
        previous=$runs
        row "$s" "$source" "$queries" "$compared" "$holding" "$w1" "$w2" "$w3" "$w4" "$w5" "$w6" "$excluded" "$own" \
            "$seconds"
        for k in queries compared holding w1 w2 w3 w4 w5 w6 excluded; do
            total[$k]=$(( ${total[$k]:-0} + ${!k} ))
        done
        total[runs]=$(( ${total[runs]:-0} + own ))
        [ $((w1 + w2 + w3 + w4 + w5 + w6)) -eq 0 ] || failed=1
    done <<<"$lines"
    total[seconds]=$(awk -v a="${total[seconds]:-0}" -v b="$seconds" 'BEGIN { printf "%.2f", a + b }')
    if [ "$failed" -ne 0 ]; then
        grep -A3 'Failure' <<<"$out" | head -40 >&2
    fi
    grep '^excluded' <<<"$out" | head -10 >&2
done
row total all "${total[queries]:-0}" "${total[compared]:-0}" "${total[holding]:-0}" "${total[w1]:-0}" \
    "${total[w2]:-0}" "${total[w3]:-0}" "${total[w4]:-0}" "${total[w5]:-0}" "${total[w6]:-0}" \
    "${total[excluded]:-0}" "${total[runs]:-0}" "${total[seconds]:-0}"

. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
galen="$data/el-galen.krss"
if [ -f "$galen" ]; then
    work=$(mktemp -d /tmp/korvane-bench-complex-XXXXXX)
    trap 'rm -rf "$work"' EXIT
    # Told pairs F' ⊑ F between names, and the existentials ∃r.F' over a name.
    grep -oE '^\(implies [A-Za-z0-9_-]+ [A-Za-z0-9_-]+\)$' "$galen" | tr -d '()' | awk '{ print $2, $3 }' \
        >"$work/told"
    grep -oE '\(some [A-Za-z0-9_-]+ [A-Za-z0-9_-]+\)' "$galen" | tr -d '()' | awk '{ print $2, $3 }' | sort -u \
        >"$work/existentials"
    awk 'NR == FNR { up[$1] = up[$1] " " $2; next }
         ($2 in up) { n = split(up[$2], s, " "); for (i = 1; i <= n; i++) print "(subsumes? (some " $1 " " s[i] ") (some " $1 " " $2 "))" }' \
        "$work/told" "$work/existentials" | awk -v seed="$seed" 'BEGIN { srand(seed) } { print rand() "\t" $0 }' |
        sort -n | cut -f2- | head -n "$count" >"$work/queries"
    asked=$(wc -l <"$work/queries")
    start=$(date +%s.%N)
    holding=$("$program" -i="$galen" -q="$work/queries" -m -o=/dev/null -h=/dev/null 2>/dev/null | grep -cx U)
    end=$(date +%s.%N)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')
    printf '\nel-galen, (subsumes? (some r F) (some r F2)) with F2 told below F: %d asked, %d answer U, %s s\n' \
        "$asked" "$holding" "$seconds"
    [ "$holding" -eq "$asked" ] || failed=1
fi
exit $failed
