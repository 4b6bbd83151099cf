#!/usr/bin/env bash
# An increment of PERCENT % of an ontology's axioms (a seeded draw)
# classified on top of the classified rest, against one classification of
# the whole ontology: CPU seconds of each (the increment's with its parse and
# normalisation) and their ratio, per ontology.
#
# usage: bash bench/incremental_classification.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: build)
# environment: ONTOLOGIES (names under data/ontologies/ without .krss;
#              default: el-galen), PERCENT (default 1), SEED (default 1)

set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
program=$build/bench/bench_incremental_classification
ninja -C "$build" bench_incremental_classification >/dev/null
percent=${PERCENT:-1}
seed=${SEED:-1}

printf '%-20s %8s %10s %10s %10s %10s\n' ontology axioms full-s rest-s incr-s incr/full
for name in ${ONTOLOGIES:-el-galen}; do
    full=$("$program" full "$data/$name.krss")
    read -r rest incr axioms < <("$program" increment "$data/$name.krss" "$percent" "$seed")
    ratio=$(awk -v a="$incr" -v b="$full" 'BEGIN { printf "%.1f%%", 100 * a / b }')
    printf '%-20s %8s %10s %10s %10s %10s\n' "$name" "$axioms" "$full" "$rest" "$incr" "$ratio"
done
