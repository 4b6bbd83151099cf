#!/usr/bin/env bash
# Each ontology dealt to parts by seeded draws (80/20, 50/50, and three
# increments 70/10/10/10), classified part after part as increments, against
# one classification of the whole: the named pairs of the whole and those
# that the incremental classification misses or has beyond them. The same
# splits as the incremental classification test, for the files too large
# for it.
#
# Then the incremental classifier's reload roads on random terminologies
# with top and bottom axioms, each dealt to a first part and an increment:
# the first part stored, reloaded and given the increment; the whole stored
# and reloaded; the increment added in two halves with a store and a reload
# between them; each asking named and complex queries, against the roads
# without a reload (tests/incremental-classifier/ReloadAgreementTest.cpp).
# Per option set: the cases (terminologies that some road without a reload
# classified), their queries, the reload answers that no road without a
# reload gives (faults of the reload), and the queries whose roads without
# a reload disagree among themselves (faults of classification or of the
# query reader).
#
# usage: bash bench/incremental_agreement.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: build)
# environment: ONTOLOGIES (names under data/ontologies/ without .krss;
#              default: el-galen), SEEDS (default: 20261209 1 2 3),
#              RELOAD_CASES (random terminologies per option set; default
#              2000; 0 leaves the reload table out)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
program=$build/bench/bench_incremental_agreement
ninja -C "$build" bench_incremental_agreement incremental_classifier_e2e_tests >/dev/null || exit 1

printf '%-20s %-12s %10s %8s %8s %8s\n' ontology split seed pairs missing extra
status=0
for name in ${ONTOLOGIES:-el-galen}; do
    for seed in ${SEEDS:-20261209 1 2 3}; do
        for split in 80,20 50,50 70,10,10,10; do
            read -r _ pairs _ missing _ extra < <("$program" -s "$seed" "$split" "$data/$name.krss")
            printf '%-20s %-12s %10s %8s %8s %8s\n' "$name" "$split" "$seed" "$pairs" "$missing" "$extra"
            [ "$missing" = 0 ] && [ "$extra" = 0 ] || status=1
        done
    done
done
cases=${RELOAD_CASES:-2000}
if [ "$cases" -gt 0 ]; then
    echo
    printf '%-16s %8s %8s %14s %18s\n' options cases queries reload-faults references-apart
    for options in "-m" "-ms" "-m -e" "-m -c" "-m -x" "-m -y" "-m -r" "-m -e -x"; do
        read -r _ found _ queries _ faults _ apart < <(KORVANE_RELOAD_OPTIONS=$options KORVANE_RELOAD_CASES=$cases \
            "$build/tests/incremental-classifier/incremental_classifier_e2e_tests" \
            --gtest_filter='Random/ReloadAgreement.*' | sed -nE 's/^reload roads \([^)]*\): //p')
        printf '%-16s %8s %8s %14s %18s\n' "$options" "$found" "$queries" "$faults" "$apart"
        [ "$faults" = 0 ] || status=1
    done
fi
exit $status
