#!/usr/bin/env bash
# Each ontology dealt to parts by seeded draws (80/20, 50/50, and three
# increments 70/10/10/10), classified part after part as increments, against
# one classification of the whole: the named pairs of the whole and those
# that the incremental classification misses or has beyond them. The same
# splits as the incremental classification test, for the files too large
# for it.
#
# usage: bash bench/incremental_agreement.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: build)
# environment: ONTOLOGIES (names under data/ontologies/ without .krss;
#              default: el-galen), SEEDS (default: 20261209 1 2 3)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
program=$build/bench/bench_incremental_agreement
ninja -C "$build" bench_incremental_agreement >/dev/null || exit 1

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
exit $status
