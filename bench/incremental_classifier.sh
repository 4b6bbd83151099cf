#!/usr/bin/env bash
# The incremental classifier on the large shared ontologies, in three tables.
#
# 1. Whole run with the in-process solver (-m): classify, encode and answer
#    QUERIES queries (seeded pairs of named concepts from the normalisation
#    map, read from a file), beside the classifier (-m) on the same ontology
#    and queries: CPU seconds of each (their TOTAL TIME lines), wall-clock
#    seconds, and the ratio incremental/classifier of the CPU seconds.
# 2. Reload of el-galen: the stored encoding (header and body) and its map
#    read back (-io, -iv) and encoded again, against the whole classifying
#    run that wrote them (CPU seconds, TOTAL TIME).
# 3. Increment of PERCENT % of el-galen's axioms (seeded draw) classified on
#    top of the rest (-j): the CPU seconds of the four increment phases
#    against a full run over the whole ontology (TOTAL TIME).
#
# usage: bash bench/incremental_classifier.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: ONTOLOGIES (default: el-galen go-basic-2022-07), QUERIES
#              (default 1000), PERCENT (default 1), SEED (default 1)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
data=$root/../shared/data/ontologies
queries=${QUERIES:-1000}
percent=${PERCENT:-1}
seed=${SEED:-1}
ontologies=${ONTOLOGIES:-el-galen go-basic-2022-07}

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF >/dev/null || exit 1
fi
ninja -C "$build" classifier incremental-classifier >/dev/null || exit 1
classifier=$build/classifier/classifier
incremental=$build/incremental-classifier/incremental-classifier

work=$(mktemp -d /tmp/korvane-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

# The seconds of a timing line ("NAME (CPU-sec): S") in a file, 0 when absent.
seconds() {
    awk -v name="$2 (CPU-sec): " 'index($0, name) == 1 { s = substr($0, length(name) + 1) } END { print s + 0 }' "$1"
}
# Wall-clock seconds of a command, its standard error to the file $1.
timed() {
    local err=$1
    shift
    local start end
    start=$(date +%s.%N)
    "$@" 2>"$err" >/dev/null
    local status=$?
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f\n", b - a }'
    return $status
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "n/a" }'; }
percentage() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f%%", 100 * a / b; else print "n/a" }'; }

echo "Whole run with -m: classify, encode, $queries queries (CPU seconds; target: at most 1.2x)"
printf '%-18s %10s %10s %12s %12s %8s\n' ontology incr-cpu incr-wall classif-cpu classif-wall ratio
for name in $ontologies; do
    krss=$data/$name.krss
    "$incremental" -i="$krss" -o=/dev/null -h=/dev/null -v="$work/$name.map" 2>/dev/null
    # Named concepts of the map (fresh ones and complex ones left out).
    awk 'NF == 2 && $1 !~ /^[(*#|]/ { print $1 }' "$work/$name.map" >"$work/$name.names"
    awk -v n="$queries" -v seed="$seed" '{ names[NR] = $1 } END {
        srand(seed)
        for (i = 0; i < n; ++i)
            printf "(subsumes? %s %s)\n", names[int(rand() * NR) + 1], names[int(rand() * NR) + 1]
    }' "$work/$name.names" >"$work/$name.queries"
    iwall=$(timed "$work/incr.err" "$incremental" -i="$krss" -q="$work/$name.queries" -m -o=/dev/null -h=/dev/null)
    cwall=$(timed "$work/class.err" "$classifier" -i="$krss" -q="$work/$name.queries" -m -o=/dev/null -h=/dev/null)
    icpu=$(seconds "$work/incr.err" "TOTAL TIME")
    ccpu=$(seconds "$work/class.err" "TOTAL TIME")
    printf '%-18s %10.2f %10s %12.2f %12s %8s\n' "$name" "$icpu" "$iwall" "$ccpu" "$cwall" "$(ratio "$icpu" "$ccpu")"
done

echo
echo "Reload of el-galen (-io, -iv) against the classifying run that stored it (target: at most half)"
printf '%-18s %10s %10s %8s\n' ontology whole-cpu reload-cpu ratio
krss=$data/el-galen.krss
"$incremental" -i="$krss" -o="$work/body" -h="$work/header" -v="$work/map" 2>"$work/whole.err"
cat "$work/header" "$work/body" >"$work/encoding"
whole=$(seconds "$work/whole.err" "TOTAL TIME")
if "$incremental" -io="$work/encoding" -iv="$work/map" -o=/dev/null -h=/dev/null 2>"$work/reload.err"; then
    reload=$(seconds "$work/reload.err" "TOTAL TIME")
    printf '%-18s %10.2f %10.2f %8s\n' el-galen "$whole" "$reload" "$(ratio "$reload" "$whole")"
else
    printf '%-18s %10.2f %10s %8s  (%s)\n' el-galen "$whole" failed n/a "$(tail -1 "$work/reload.err")"
fi

echo
echo "Increment of $percent% of el-galen's axioms (-j) against a full run (target: under 10%)"
printf '%-18s %8s %10s %10s %8s\n' ontology axioms full-cpu incr-cpu share
awk -v p="$percent" -v seed="$seed" -v rest="$work/rest.krss" -v inc="$work/inc.krss" '
    BEGIN { srand(seed) }
    substr($0, 1, 1) != "(" { next }
    { if (rand() * 100 < p) { print > inc; ++n } else print > rest }
    END { print n > "/dev/stderr" }' "$krss" 2>"$work/inc.count"
"$incremental" -i="$work/rest.krss" -j="$work/inc.krss" -o=/dev/null -h=/dev/null 2>"$work/inc.err"
incr=0
for phase in "PARSING INC" "NORMALIZATION INC" "CLASSIFICATION INC [initialization+deduction]" "ENCODING INC"; do
    incr=$(awk -v a="$incr" -v b="$(seconds "$work/inc.err" "$phase")" 'BEGIN { print a + b }')
done
"$incremental" -i="$krss" -o=/dev/null -h=/dev/null 2>"$work/full.err"
full=$(seconds "$work/full.err" "TOTAL TIME")
printf '%-18s %8s %10.2f %10.2f %8s\n' el-galen "$(cat "$work/inc.count")" "$full" "$incr" "$(percentage "$incr" "$full")"
