#!/usr/bin/env bash
# The incremental classifier on the large test ontologies, in seven tables.
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
# 5. The simplifying solver (-ms) against the plain one (-m) on the same run:
#    classify, encode and answer MS_QUERIES seeded pairs of named concepts,
#    PAIRS pairs of runs in turn (-ms, -m, -ms, -m ...); the medians of the
#    wall and CPU seconds of both, the median of the pair-by-pair ratios
#    -ms/-m with their spread (smallest-largest), the medians of the query
#    phase (the program's SOLVING ALL QUERIES line) and whether the answers
#    are the same (target: at most 1.5x).
# 6. The rest of table 3 stored, reloaded and the increment added (-j),
#    against one run over the whole of el-galen and beside the increment
#    without a reload, PAIRS alternated runs (target: at most 0.4x); the
#    reload alone (read back and encoded again), the reload alone with the
#    increment's phases without a reload (the road's floor, were the rebuild
#    free), and the rebuild (the increment's classification after the
#    reload less the same without it).
# 7. A query file that adds one complex concept, after the increment (-j)
#    and after a reload of the rest: the clauses its encoding pass adds (its
#    problem lines) and the CPU of its phases against one whole run, PAIRS
#    alternated runs (targets: clauses well under 1%, phases at most 10%).
#
# usage: bash bench/incremental_classifier.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: ONTOLOGIES (default: el-galen go-basic-2022-07), QUERIES
#              (default 1000), PERCENT (default 1), SEED (default 1), TABLES
#              (the tables to print, default "1 2 3 4 5 6 7"), MS_ONTOLOGIES
#              (table 5, default el-galen; names of data/ontologies, also in
#              its folders: elk-tests/Cycle), MS_QUERIES (default 200), PAIRS
#              (alternated pairs of tables 5 to 7, default 7)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
queries=${QUERIES:-1000}
percent=${PERCENT:-1}
seed=${SEED:-1}
ontologies=${ONTOLOGIES:-el-galen go-basic-2022-07}
tables=" ${TABLES:-1 2 3 4 5 6 7} "
ms_ontologies=${MS_ONTOLOGIES:-el-galen}
ms_queries=${MS_QUERIES:-200}
pairs=${PAIRS:-7}
# Whether table $1 is asked for (table 4 compares with table 1's answers).
wanted() { [[ $tables == *" $1 "* ]]; }

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
# N seeded queries between the named concepts of a normalisation map (fresh
# and complex concepts left out).
# usage: named_queries MAP N >QUERIES
named_queries() {
    awk 'NF == 2 && $1 !~ /^[(*#|]/ { print $1 }' "$1" | awk -v n="$2" -v seed="$seed" '{ names[NR] = $1 } END {
        srand(seed)
        for (i = 0; i < n; ++i)
            printf "(subsumes? %s %s)\n", names[int(rand() * NR) + 1], names[int(rand() * NR) + 1]
    }'
}
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
# Splits el-galen's axioms into $work/rest.krss and $work/inc.krss ($percent%
# of them, seeded draw); the count of the increment into $work/inc.count.
split_increment() {
    awk -v p="$percent" -v seed="$seed" -v rest="$work/rest.krss" -v inc="$work/inc.krss" '
        BEGIN { srand(seed) }
        substr($0, 1, 1) != "(" { next }
        { if (rand() * 100 < p) { print > inc; ++n } else print > rest }
        END { print n > "/dev/stderr" }' "$data/el-galen.krss" 2>"$work/inc.count"
}
# Stores the classified rest of the split (encoding and map) for a reload:
# $work/rest.encoding and $work/rest.map, once.
store_rest() {
    [ -f "$work/inc.krss" ] || split_increment
    [ -f "$work/rest.encoding" ] && return
    "$incremental" -i="$work/rest.krss" -o="$work/rest.body" -h="$work/rest.header" -v="$work/rest.map" 2>/dev/null
    cat "$work/rest.header" "$work/rest.body" >"$work/rest.encoding"
}
# The CPU seconds of the four INC timing lines of a run's standard error FILE.
increment_phases() {
    local sum=0 phase
    for phase in "PARSING INC" "NORMALIZATION INC" "CLASSIFICATION INC [initialization+deduction]" "ENCODING INC"; do
        sum=$(awk -v a="$sum" -v b="$(timing_seconds "$1" "$phase")" 'BEGIN { printf "%.2f", a + b }')
    done
    echo "$sum"
}
percentage() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f%%", 100 * a / b; else print "n/a" }'; }

declare -A whole_cpu
if wanted 1; then
    echo "Whole run with -m: classify, encode, $queries queries (whole processes; target: at most 1.2x)"
    echo "beside: the classifier -m -s (in-process solver, pinpointing off) on the same ontology and query file"
    printf '%-18s %10s %10s %12s %12s %8s\n' ontology incr-cpu incr-wall classif-cpu classif-wall ratio
    for name in $ontologies; do
        krss=$data/$name.krss
        "$incremental" -i="$krss" -o=/dev/null -h=/dev/null -v="$work/$name.map" 2>/dev/null
        named_queries "$work/$name.map" "$queries" >"$work/$name.queries"
        read -r icpu iwall < <(measured "$work/incr-$name.err" "$incremental" -i="$krss" -q="$work/$name.queries" -m \
            -o=/dev/null -h=/dev/null)
        read -r ccpu cwall < <(measured "$work/class.err" "$classifier" -i="$krss" -q="$work/$name.queries" -m -s \
            -o=/dev/null -h=/dev/null)
        printf '%-18s %10s %10s %12s %12s %8s\n' "$name" "$icpu" "$iwall" "$ccpu" "$cwall" "$(ratio_x "$icpu" "$ccpu")"
        whole_cpu[$name]=$icpu
    done
fi
if wanted 2; then
    echo
    echo "Reload of el-galen (-io, -iv) and the same $queries queries (-m) against the whole run (target: at most half)"
    printf '%-18s %10s %10s %10s %8s  %s\n' ontology whole-cpu reload-cpu reload-wall ratio answers
    krss=$data/el-galen.krss
    "$incremental" -i="$krss" -o="$work/body" -h="$work/header" -v="$work/map" 2>/dev/null
    cat "$work/header" "$work/body" >"$work/encoding"
    [ -f "$work/el-galen.queries" ] || named_queries "$work/map" "$queries" >"$work/el-galen.queries"
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
fi
if wanted 3; then
    echo
    echo "Increment of $percent% of el-galen's axioms (-j) against a whole run over the whole ontology (target: under 10%)"
    echo "inc-phases: the four INC timing lines of the program; inc-process: the whole process with -j"
    printf '%-18s %8s %10s %11s %12s %8s\n' ontology axioms full-cpu inc-phases inc-process share
    krss=$data/el-galen.krss
    split_increment
    read -r incprocess _ < <(measured "$work/inc.err" "$incremental" -i="$work/rest.krss" -j="$work/inc.krss" \
        -o=/dev/null -h=/dev/null)
    incr=$(increment_phases "$work/inc.err")
    read -r full _ < <(measured "$work/full.err" "$incremental" -i="$krss" -o=/dev/null -h=/dev/null)
    printf '%-18s %8s %10s %11s %12s %8s\n' el-galen "$(cat "$work/inc.count")" "$full" "$incr" "$incprocess" \
        "$(percentage "$incr" "$full")"
fi
if wanted 4; then
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
fi
if wanted 5; then
    echo
    echo "The simplifying solver (-ms) against the plain one (-m): classify, encode and answer $ms_queries queries;"
    echo "$pairs pairs of runs in turn (-ms, -m, ...), whole processes; ratios: median of the pair-by-pair"
    echo "ratios -ms/-m (smallest-largest); *-query: medians of the SOLVING ALL QUERIES line (target: at most 1.5x)"
    printf '%-18s %7s %7s %7s %7s %-19s %-19s %8s %8s  %s\n' ontology ms-wall m-wall ms-cpu m-cpu "wall ratio" \
        "CPU ratio" ms-query m-query answers
    for name in $ms_ontologies; do
        krss=$data/$name.krss
        # A name may lie in a folder (elk-tests/Cycle): one file name for it.
        queries_file=$work/${name//\//_}.ms.queries
        "$incremental" -i="$krss" -o=/dev/null -h=/dev/null -v="$work/ms.map" 2>/dev/null
        named_queries "$work/ms.map" "$ms_queries" >"$queries_file"
        line="SOLVING ALL QUERIES [$(wc -l <"$queries_file")]"
        : >"$work/ms.pairs"
        : >"$work/ms.query"
        : >"$work/m.query"
        answers=same
        for ((run = 1; run <= pairs; run++)); do
            if ! ms=$(timed_process "$work/ms.out" "$work/ms.err" "$incremental" -i="$krss" \
                -q="$queries_file" -ms -o=/dev/null -h=/dev/null) ||
                ! m=$(timed_process "$work/m.out" "$work/m.err" "$incremental" -i="$krss" \
                    -q="$queries_file" -m -o=/dev/null -h=/dev/null); then
                answers="a run failed"
                break
            fi
            read -r ms_wall ms_cpu _ <<<"$ms"
            read -r m_wall m_cpu _ <<<"$m"
            echo "$ms_wall $m_wall $ms_cpu $m_cpu" >>"$work/ms.pairs"
            timing_seconds "$work/ms.err" "$line" >>"$work/ms.query"
            timing_seconds "$work/m.err" "$line" >>"$work/m.query"
            cmp -s "$work/ms.out" "$work/m.out" || answers=differ
        done
        printf '%-18s %7s %7s %7s %7s %-19s %-19s %8s %8s  %s\n' "$name" \
            "$(awk '{ print $1 }' "$work/ms.pairs" | median_of)" "$(awk '{ print $2 }' "$work/ms.pairs" | median_of)" \
            "$(awk '{ print $3 }' "$work/ms.pairs" | median_of)" "$(awk '{ print $4 }' "$work/ms.pairs" | median_of)" \
            "$(awk '{ print $1, $2 }' "$work/ms.pairs" | pair_ratios)" \
            "$(awk '{ print $3, $4 }' "$work/ms.pairs" | pair_ratios)" \
            "$(median_of <"$work/ms.query")" "$(median_of <"$work/m.query")" "$answers"
    done
fi
if wanted 6; then
    echo
    echo "Reload and increment of $percent% of el-galen's axioms against one run over the whole ontology"
    echo "($pairs alternated pairs of whole processes, CPU seconds; ratios: median of the pair-by-pair ratios"
    echo "(smallest-largest); target: at most 0.4x)"
    krss=$data/el-galen.krss
    store_rest
    : >"$work/reload.pairs"
    for _ in $(seq "$pairs"); do
        read -r rcpu _ < <(measured "$work/reloadinc.err" "$incremental" -io="$work/rest.encoding" -iv="$work/rest.map" \
            -j="$work/inc.krss" -o=/dev/null -h=/dev/null)
        read -r wcpu _ < <(measured "$work/union.err" "$incremental" -i="$krss" -o=/dev/null -h=/dev/null)
        read -r jcpu _ < <(measured "$work/noreload.err" "$incremental" -i="$work/rest.krss" -j="$work/inc.krss" \
            -o=/dev/null -h=/dev/null)
        read -r ocpu _ < <(measured "$work/reloadonly.err" "$incremental" -io="$work/rest.encoding" \
            -iv="$work/rest.map" -o=/dev/null -h=/dev/null)
        # The rebuild: the reload's classification of the increment less
        # the same classification without a reload.
        rebuild=$(awk -v a="$(timing_seconds "$work/reloadinc.err" "CLASSIFICATION INC [initialization+deduction]")" \
            -v b="$(timing_seconds "$work/noreload.err" "CLASSIFICATION INC [initialization+deduction]")" \
            'BEGIN { printf "%.2f", a - b }')
        echo "$rcpu $wcpu $jcpu $ocpu $(increment_phases "$work/noreload.err") $rebuild" >>"$work/reload.pairs"
    done
    printf '%-18s %10s %12s %14s %-19s %-19s\n' ontology one-run reload+inc no-reload+inc "reload ratio" "no-reload ratio"
    printf '%-18s %10s %12s %14s %-19s %-19s\n' el-galen "$(awk '{ print $2 }' "$work/reload.pairs" | median_of)" \
        "$(awk '{ print $1 }' "$work/reload.pairs" | median_of)" "$(awk '{ print $3 }' "$work/reload.pairs" | median_of)" \
        "$(awk '{ print $1, $2 }' "$work/reload.pairs" | pair_ratios)" \
        "$(awk '{ print $3, $2 }' "$work/reload.pairs" | pair_ratios)"
    echo "the reload alone (read back and encoded again, no increment): $(awk '{ print $4 }' "$work/reload.pairs" |
        median_of) s, $(awk '{ print $4, $2 }' "$work/reload.pairs" | pair_ratios) of one run"
    echo "the reload alone and the increment's phases without a reload (the road were the rebuild free):" \
        "$(awk '{ print $4 + $5, $2 }' "$work/reload.pairs" | pair_ratios) of one run"
    echo "the rebuild (the increment's classification after the reload less the same without it):" \
        "$(awk '{ print $6 }' "$work/reload.pairs" | median_of) s, $(awk '{ print $6, $2 }' "$work/reload.pairs" |
            pair_ratios) of one run"
fi
if wanted 7; then
    echo
    echo "A query file adding one complex concept, after the increment (-j) and after a reload of the rest"
    echo "(clauses of its encoding pass against those before it; CPU of its phases against one whole run,"
    echo "median of $pairs alternated pairs; targets: clauses well under 1%, phases at most 10%)"
    krss=$data/el-galen.krss
    store_rest
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
        : >"$work/query.pairs"
        for _ in $(seq "$pairs"); do
            measured "$work/query.err" "$incremental" "$@" -q="$work/one.queries" -o=/dev/null \
                -h="$work/query.header" >/dev/null
            read -r wcpu _ < <(measured "$work/union.err" "$incremental" -i="$krss" -o=/dev/null -h=/dev/null)
            qcpu=$(query_phases "$work/query.err")
            echo "$qcpu $wcpu" >>"$work/query.pairs"
        done
        read -r before after < <(query_clauses "$work/query.header")
        printf '%-22s %12s %12s %10s %12s %10s\n' "$road" "$before" "$((after - before))" \
            "$(percentage "$((after - before))" "$before")" "$(awk '{ print $1 }' "$work/query.pairs" | median_of)" \
            "$(awk '{ print $1, $2 }' "$work/query.pairs" | pair_ratios)"
    done
fi
