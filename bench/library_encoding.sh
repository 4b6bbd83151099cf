#!/usr/bin/env bash
# The encoding written after the library's classification against its
# subsumed lists: PAIRS seeded pairs of named concepts per ontology (half
# holding), each decided by picosat on the encoding plus the query's two unit
# clauses; how many answers agree with the lists.
#
# usage: bash bench/library_encoding.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: build)
# environment: ONTOLOGIES (names under data/ontologies/ without .krss;
#              default: every test ontology), PAIRS (default 200), SEED (default 1)

set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
program=$build/bench/bench_library_encoding
ninja -C "$build" bench_library_encoding >/dev/null
pairs=${PAIRS:-200}
seed=${SEED:-1}
default=$(cd "$data" && ls *.krss elk-tests/*.krss | sed 's/\.krss$//')

printf '%-36s %8s %8s %8s %8s %10s\n' ontology queries holding agreeing wall-s verdict
for name in ${ONTOLOGIES:-$default}; do
    begin=$(date +%s.%N)
    if ! line=$("$program" "$data/$name.krss" "$pairs" "$seed" 2>/dev/null); then
        printf '%-36s %8s\n' "$name" error
        continue
    fi
    read -r queries holding agreeing <<<"$line"
    wall=$(awk -v a="$begin" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
    verdict=$([ "$queries" = "$agreeing" ] && echo agree || echo DIFFER)
    printf '%-36s %8s %8s %8s %8s %10s\n' "$name" "$queries" "$holding" "$agreeing" "$wall" "$verdict"
done
