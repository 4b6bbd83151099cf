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

bench_need_konclude || exit 1
bench_build "$root" "$build" ON complex_query_road_tests incremental-classifier || exit 1
tool="$build/tests/parsers/complex_query_road_tests"
program="$build/incremental-classifier/incremental-classifier"
work=$(mktemp -d /tmp/korvane-bench-complex-XXXXXX)
trap 'rm -rf "$work"' EXIT

format='%-8s %-8s %8s %9s %8s %6s %6s %6s %6s %6s %6s %9s %6s %7s\n'
# shellcheck disable=SC2059
printf "$format" seed source queries compared holding order shuffle alone reload increm re+inc excluded runs wall_s
failed=0
for ((round = 0; round < rounds; round++)); do
    s=$((seed + round * 100000))
    for source in random shared; do
        test=RandomConceptsOverRandomTerminologies
        [ "$source" = random ] || test=RandomConceptsOverSharedOntologies
        seconds=$(bench_timed "$work/out" env KORVANE_COMPLEX_SCALE="$scale" KORVANE_COMPLEX_SEED="$s" "$tool" \
            --gtest_filter="ComplexQueryPeer.$test")
        line=$(bench_summary "$work/out" 'complex queries' "round from seed $s ($source)") || {
            failed=1
            continue
        }
        # queries, compared, holding, wrong, the wrong ones per road,
        # excluded, program runs.
        read -r -a n < <(sed -E 's/^[^:]*://' <<<"$line" | grep -oE '[0-9]+' | tr '\n' ' ')
        numbers=("${n[@]:0:3}" "${n[@]:4}")
        echo "${numbers[*]} $seconds" >>"$work/rows"
        # shellcheck disable=SC2059
        printf "$format" "$s" "$source" "${numbers[@]}" "$seconds"
        if [ "${n[3]}" -ne 0 ]; then
            grep -A3 'Failure' "$work/out" | head -40 >&2
            failed=1
        fi
        grep '^excluded' "$work/out" | head -10 >&2
    done
done
bench_total "$format" 0 "$work/rows" total all

. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
galen="$data/el-galen.krss"
if [ -f "$galen" ]; then
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
    seconds=$(bench_seconds "$start")
    printf '\nel-galen, (subsumes? (some r F) (some r F2)) with F2 told below F: %d asked, %d answer U, %s s\n' \
        "$asked" "$holding" "$seconds"
    [ "$holding" -eq "$asked" ] || failed=1
fi
exit $failed
