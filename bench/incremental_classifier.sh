#!/usr/bin/env bash
# The incremental classifier on the large test ontologies, in four tables.
# Every figure is of whole processes, measured from outside (/usr/bin/time):
# CPU seconds (user + system of the process) and wall-clock seconds. The
# programs' own TOTAL TIME lines are not used: they count different things.
#
# 1. Whole run with the in-process solver (-m): classify, encode and answer
#    QUERIES queries (seeded pairs of named concepts from the normalisation
#    map, read from a file), beside the classifier on the same ontology and
#    query file with the in-process solver and pinpointing off (-m -s), and
#    the ratio incremental/classifier of the CPU seconds.
# 2. Reload of el-galen: the stored encoding (header and body) and its map
#    read back (-io, -iv), encoded again and the same QUERIES queries
#    answered (-m), against the whole run of table 1 (target: at most half),
#    and whether the answers are the same.
# 3. Increment of PERCENT % of el-galen's axioms (seeded draw) classified on
#    top of the rest (-j): the CPU seconds of the four increment phases (the
#    program's own lines, the only measure of a part of a run) and of the
#    whole process, against a whole process over the whole ontology.
# 4. Increment after a reload: 80% of each ontology stored, reloaded and the
#    other 20% added (-j); its answers to the queries of table 1 against
#    those of one run over the whole ontology and of the same increment on
#    the classified 80% (the reload must not change them; where both differ
#    from one run, the incremental classification is at fault).
#
# usage: bash bench/incremental_classifier.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: ONTOLOGIES (default: el-galen go-basic-2022-07), QUERIES
#              (default 1000), PERCENT (default 1), SEED (default 1),
#              PAIRS (alternated pairs of tables 5 and 6, default 3)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
queries=${QUERIES:-1000}
percent=${PERCENT:-1}
seed=${SEED:-1}
ontologies=${ONTOLOGIES:-el-galen go-basic-2022-07}
pairs=${PAIRS:-3}

. "$root/bench/lib/common.sh"
bench_build "$root" "$build" OFF classifier incremental-classifier || exit 1
classifier=$build/classifier/classifier
incremental=$build/incremental-classifier/incremental-classifier

work=$(mktemp -d /tmp/korvane-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

# Runs a command with its standard error to the file $1 and its standard
# output to $1.out; prints "CPU WALL"
# of the whole process (CPU = user + system seconds). Fails as the command.
measured() {
    local err=$1
    shift
    /usr/bin/time -f '%U %S %e' -o "$err.time" "$@" 2>"$err" >"$err.out"
    local status=$?
    # After a failure the file begins with a line that says so.
    awk 'END { printf "%.2f %.2f\n", $1 + $2, $3 }' "$err.time"
    return $status
}
# How many answer lines (U or SAT) of two runs' outputs differ, with the
# count of answers: "same (N)" or "D of N differ".
compared() {
    awk '$0 == "U" || $0 == "SAT"' "$1" >"$1.answers"
    awk '$0 == "U" || $0 == "SAT"' "$2" >"$2.answers"
    local n d
    n=$(wc -l <"$1.answers")
    d=$(paste -d' ' "$1.answers" "$2.answers" | awk '$1 != $2 { ++d } END { print d + 0 }')
    if [ "$d" -eq 0 ] && [ "$n" -eq "$(wc -l <"$2.answers")" ]; then echo "same ($n)"; else echo "$d of $n differ"; fi
}
# The median of the numbers on standard input, one a line.
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# The CPU seconds of the query file's phases of a run's timing lines in FILE:
# every line after the one that begins the queries, up to the answers.
query_phases() {
    awk '/^PARSING.* QUERIES \(CPU-sec\)/ { on = 1 } /^SOLVING ALL QUERIES/ { on = 0 }
        on { sum += $NF } END { printf "%.3f\n", sum }' "$1"
}
# The clause counts of a header FILE before and after the query file's
# encoding pass, "BEFORE AFTER": the problem lines before the last two (the
# last pair is the DIMACS writer's decision of the one query).
query_clauses() { awk '$1 == "p" { p[++n] = $4 } END { print p[n - 2] + 0, p[n - 1] + 0 }' "$1"; }
percentage() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f%%", 100 * a / b; else print "n/a" }'; }

declare -A whole_cpu
echo "Whole run with -m: classify, encode, $queries queries (whole processes; target: at most 1.2x)"
echo "beside: the classifier -m -s (in-process solver, pinpointing off) on the same ontology and query file"
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
    read -r icpu iwall < <(measured "$work/incr-$name.err" "$incremental" -i="$krss" -q="$work/$name.queries" -m \
        -o=/dev/null -h=/dev/null)
    read -r ccpu cwall < <(measured "$work/class.err" "$classifier" -i="$krss" -q="$work/$name.queries" -m -s \
        -o=/dev/null -h=/dev/null)
    printf '%-18s %10s %10s %12s %12s %8s\n' "$name" "$icpu" "$iwall" "$ccpu" "$cwall" "$(ratio_x "$icpu" "$ccpu")"
    whole_cpu[$name]=$icpu
done

echo
echo "Reload of el-galen (-io, -iv) and the same $queries queries (-m) against the whole run (target: at most half)"
printf '%-18s %10s %10s %10s %8s  %s\n' ontology whole-cpu reload-cpu reload-wall ratio answers
krss=$data/el-galen.krss
"$incremental" -i="$krss" -o="$work/body" -h="$work/header" -v="$work/map" 2>/dev/null
cat "$work/header" "$work/body" >"$work/encoding"
[ -f "$work/el-galen.queries" ] || awk 'NF == 2 && $1 !~ /^[(*#|]/ { print $1 }' "$work/map" |
    awk -v n="$queries" -v seed="$seed" '{ names[NR] = $1 } END {
        srand(seed)
        for (i = 0; i < n; ++i)
            printf "(subsumes? %s %s)\n", names[int(rand() * NR) + 1], names[int(rand() * NR) + 1]
    }' >"$work/el-galen.queries"
whole=${whole_cpu[el-galen]:-}
if [ -z "$whole" ]; then
    read -r whole _ < <(measured "$work/incr-el-galen.err" "$incremental" -i="$krss" -q="$work/el-galen.queries" -m \
        -o=/dev/null -h=/dev/null)
fi
if read -r reload rwall < <(measured "$work/reload.err" "$incremental" -io="$work/encoding" -iv="$work/map" \
    -q="$work/el-galen.queries" -m -o=/dev/null -h=/dev/null) && [ -n "$reload" ] &&
    ! grep -q "non-zero status" "$work/reload.err.time"; then
    printf '%-18s %10s %10s %10s %8s  %s\n' el-galen "$whole" "$reload" "$rwall" "$(ratio_x "$reload" "$whole")" \
        "$(compared "$work/incr-el-galen.err.out" "$work/reload.err.out")"
else
    printf '%-18s %10s %10s %10s %8s  (%s)\n' el-galen "$whole" failed - n/a "$(tail -1 "$work/reload.err")"
fi

echo
echo "Increment of $percent% of el-galen's axioms (-j) against a whole run over the whole ontology (target: under 10%)"
echo "inc-phases: the four INC timing lines of the program; inc-process: the whole process with -j"
printf '%-18s %8s %10s %11s %12s %8s\n' ontology axioms full-cpu inc-phases inc-process share
awk -v p="$percent" -v seed="$seed" -v rest="$work/rest.krss" -v inc="$work/inc.krss" '
    BEGIN { srand(seed) }
    substr($0, 1, 1) != "(" { next }
    { if (rand() * 100 < p) { print > inc; ++n } else print > rest }
    END { print n > "/dev/stderr" }' "$krss" 2>"$work/inc.count"
read -r incprocess _ < <(measured "$work/inc.err" "$incremental" -i="$work/rest.krss" -j="$work/inc.krss" \
    -o=/dev/null -h=/dev/null)
incr=0
for phase in "PARSING INC" "NORMALIZATION INC" "CLASSIFICATION INC [initialization+deduction]" "ENCODING INC"; do
    incr=$(awk -v a="$incr" -v b="$(timing_seconds "$work/inc.err" "$phase")" 'BEGIN { printf "%.2f", a + b }')
done
read -r full _ < <(measured "$work/full.err" "$incremental" -i="$krss" -o=/dev/null -h=/dev/null)
printf '%-18s %8s %10s %11s %12s %8s\n' el-galen "$(cat "$work/inc.count")" "$full" "$incr" "$incprocess" \
    "$(percentage "$incr" "$full")"

echo
echo "Increment after a reload: the first $((100 - 20))% of each ontology's axioms (seeded draw) stored, reloaded"
echo "and the rest added (-j), answering the $queries queries of table 1, against one run over the whole"
echo "ontology and against the same increment on the classified first part"
printf '%-18s %20s %20s\n' ontology "vs one run" "vs the increment"
for name in $ontologies; do
    krss=$data/$name.krss
    awk -v seed="$seed" -v first="$work/first.krss" -v rest="$work/rest20.krss" '
        BEGIN { srand(seed + 1) }
        substr($0, 1, 1) != "(" { next }
        { if (rand() < 0.2) print > rest; else print > first }' "$krss"
    "$incremental" -i="$work/first.krss" -o="$work/first.body" -h="$work/first.header" -v="$work/first.map" 2>/dev/null
    cat "$work/first.header" "$work/first.body" >"$work/first.encoding"
    "$incremental" -io="$work/first.encoding" -iv="$work/first.map" -j="$work/rest20.krss" \
        -q="$work/$name.queries" -m -o=/dev/null -h=/dev/null >"$work/reloaded.out" 2>/dev/null
    "$incremental" -i="$work/first.krss" -j="$work/rest20.krss" -q="$work/$name.queries" -m -o=/dev/null \
        -h=/dev/null >"$work/incremented.out" 2>/dev/null
    printf '%-18s %20s %20s\n' "$name" "$(compared "$work/incr-$name.err.out" "$work/reloaded.out")" \
        "$(compared "$work/incremented.out" "$work/reloaded.out")"
done

echo
echo "Reload and increment of $percent% of el-galen's axioms against one run over the whole ontology"
echo "($pairs alternated pairs of whole processes, CPU seconds; target: at most 0.4x)"
"$incremental" -i="$work/rest.krss" -o="$work/rest.body" -h="$work/rest.header" -v="$work/rest.map" 2>/dev/null
cat "$work/rest.header" "$work/rest.body" >"$work/rest.encoding"
: >"$work/reload.ratios"
: >"$work/noreload.ratios"
for _ in $(seq "$pairs"); do
    read -r rcpu _ < <(measured "$work/reloadinc.err" "$incremental" -io="$work/rest.encoding" -iv="$work/rest.map" \
        -j="$work/inc.krss" -o=/dev/null -h=/dev/null)
    read -r wcpu _ < <(measured "$work/union.err" "$incremental" -i="$krss" -o=/dev/null -h=/dev/null)
    read -r jcpu _ < <(measured "$work/noreload.err" "$incremental" -i="$work/rest.krss" -j="$work/inc.krss" \
        -o=/dev/null -h=/dev/null)
    awk -v a="$rcpu" -v b="$wcpu" 'BEGIN { if (b > 0) printf "%.3f\n", a / b }' >>"$work/reload.ratios"
    awk -v a="$jcpu" -v b="$wcpu" 'BEGIN { if (b > 0) printf "%.3f\n", a / b }' >>"$work/noreload.ratios"
done
printf '%-18s %10s %12s %14s %14s %14s\n' ontology one-run reload+inc no-reload+inc "reload ratio" "no-reload ratio"
printf '%-18s %10s %12s %14s %14s %14s\n' el-galen "$wcpu" "$rcpu" "$jcpu" "$(median <"$work/reload.ratios")x" \
    "$(median <"$work/noreload.ratios")x"

echo
echo "A query file adding one complex concept, after the increment (-j) and after a reload of the rest"
echo "(clauses of its encoding pass against those before it; CPU of its phases against one whole run,"
echo "median of $pairs alternated pairs; targets: clauses well under 1%, phases at most 10%)"
name=$(awk 'NF == 2 && $1 !~ /^[(*#|]/ { print $1; exit }' "$work/rest.map")
role=$(grep -o '(some [^ ()]*' "$work/inc.krss" "$work/rest.krss" | head -1 | awk '{ print $2 }')
echo "(subsumes? (and $name (some $role $name)) $name)" >"$work/one.queries"
printf '%-22s %12s %12s %10s %12s %10s\n' road clauses-before clauses-added share query-cpu share
for road in increment reload; do
    if [ "$road" = increment ]; then
        set -- -i="$work/rest.krss" -j="$work/inc.krss"
    else
        set -- -io="$work/rest.encoding" -iv="$work/rest.map"
    fi
    : >"$work/query.ratios"
    for _ in $(seq "$pairs"); do
        measured "$work/query.err" "$incremental" "$@" -q="$work/one.queries" -o=/dev/null -h="$work/query.header" \
            >/dev/null
        read -r wcpu _ < <(measured "$work/union.err" "$incremental" -i="$krss" -o=/dev/null -h=/dev/null)
        qcpu=$(query_phases "$work/query.err")
        awk -v a="$qcpu" -v b="$wcpu" 'BEGIN { if (b > 0) printf "%.4f\n", a / b }' >>"$work/query.ratios"
    done
    read -r before after < <(query_clauses "$work/query.header")
    printf '%-22s %12s %12s %10s %12s %9.1f%%\n' "$road" "$before" "$((after - before))" \
        "$(percentage "$((after - before))" "$before")" "$qcpu" "$(median <"$work/query.ratios" | awk '{ print 100 * $1 }')"
done
