#!/usr/bin/env bash
# MinA enumeration times per query on the classifier's encodings of the
# test ontologies. For each ontology the classifier writes the pinpointing
# encoding, its assumption list and its deductions table once; a fixed sample
# of derived subsumptions (the same on every run) is then asked as negative
# literal queries with the cone of influence (-c). Per query the pinpointer's
# own timing lines (user CPU seconds, each covering the stretch since the
# line before) give the time to the first MinA (the query's cone, resetting
# and first ELAPSED lines) and the time to all of them (every line of the
# query through COMPLETE THE SEARCH). The first COMPARE queries are asked
# again without the cone, and the MinA sets of the two runs are compared
# query by query.
#
# No query may take more than BUDGET seconds: the queries run one after the
# other in one pinpointer process (so the encoding is loaded once), watched
# from outside; a query that uses up its budget is stopped with its process,
# counted as unfinished, and a new process goes on with the next query.
#
# usage: bash bench/pinpointer.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: ONTOLOGIES (names under data/ontologies/ without .krss,
#              default "not-galen el-galen go-basic-2022-07"), QUERIES (sample
#              size per ontology, default 100), BUDGET (user CPU seconds per
#              query, default 60), COMPARE (queries also asked without the
#              cone, default 10; 0 for none), LIMIT (MinAs per query, 0 = all,
#              default 0; the MinA sets are compared only with 0), KEEP (a
#              directory to keep the inputs, outputs and per-query records
#              in; default a temporary one, removed at the end)
#
# Output: one line per ontology: its size, the load time, the median and
# largest time to the first MinA and to all MinAs (">B" when more than half
# of the queries, or the slowest one, did not get there within the budget
# B), the median and largest number of MinAs of the queries that finished,
# how many queries finished within the budget, and how many of the compared
# queries gave the same MinAs with and without the cone (of those that
# finished in both runs).

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
ontologies=${ONTOLOGIES:-not-galen el-galen go-basic-2022-07}
queries=${QUERIES:-100}
budget=${BUDGET:-60}
compare=${COMPARE:-10}
limit=${LIMIT:-0}

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF >/dev/null || exit 1
fi
if ! ninja -C "$build" -t targets all 2>/dev/null | grep -q '^classifier:'; then
    echo "the classifier is not part of this build yet; nothing to measure" >&2
    exit 1
fi
ninja -C "$build" classifier pinpointer >/dev/null || exit 1
classifier=$(find "$build" -type f -name classifier -perm -u+x | head -n 1)
pinpointer=$build/pinpointer/pinpointer

if [ -n "${KEEP:-}" ]; then
    work=$KEEP
    mkdir -p "$work" || exit 1
else
    work=$(mktemp -d /tmp/korvane-bench-XXXXXX)
    trap 'rm -rf "$work"' EXIT
fi
ticks_per_second=$(getconf CLK_TCK)
. "$root/scripts/lib/pinpointer-inputs.sh"

# User CPU time of a running process, in clock ticks ("" once it is gone).
user_ticks() { awk '{ print $14 }' "/proc/$1/stat" 2>/dev/null; }

# Waits for the pinpointer process $1, whose standard error is $2, and stops
# it when one query has used more than the budget. A query starts at the
# LOADING line or at the COMPLETE THE SEARCH line of the one before. Returns
# 1 when the process was stopped.
watch_run() {
    local pid=$1 err=$2 seen=0 started=0 lines now
    local allowed=$((budget * ticks_per_second))
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.2
        lines=$(grep -c -e '^LOADING ' -e '^COMPLETE THE SEARCH ' "$err")
        now=$(user_ticks "$pid")
        [ -z "$now" ] && break
        if [ "$lines" -ne "$seen" ]; then
            seen=$lines
            started=$now
        elif [ "$seen" -gt 0 ] && [ $((now - started)) -gt "$allowed" ]; then
            kill "$pid" 2>/dev/null
            wait "$pid" 2>/dev/null
            return 1
        fi
    done
    wait "$pid" 2>/dev/null
    return 0
}

# One record per query of a run's standard error, in query order:
# "done|open first all minas" (first is "-" before the first MinA; a query
# that the run did not finish is "open", with the times it had reached).
query_records() {
    awk -F': ' '
        function flush(state) { printf "%s %s %.8f %d\n", state, first == "" ? "-" : first, total, minas }
        $1 == "LOADING (CPU-sec)" { total = 0; first = ""; minas = 0; started = 1; next }
        !started { next }
        $1 == "MISSING (CPU-sec)" || $1 == "TOTAL TIME (CPU-sec)" { started = 0; next }
        $1 ~ /\(CPU-sec\)$/ {
            total += $2
            if ($1 == "ELAPSED (CPU-sec)") { minas++; if (first == "") first = sprintf("%.8f", total) }
            if ($1 == "COMPLETE THE SEARCH (CPU-sec)") { flush("done"); total = 0; first = ""; minas = 0 }
        }
        END { if (started && (total > 0 || first != "")) flush("open") }' "$1"
}

# The MinA sets of a run's standard output, one line per results block: each
# MinA with its numbers sorted, the MinAs sorted, joined by ";".
mina_sets() {
    awk '
        function sort_join(a, k, sep,    i, j, t, s) {
            for (i = 2; i <= k; i++) {
                t = a[i]
                for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]
                a[j + 1] = t
            }
            s = ""
            for (i = 1; i <= k; i++) s = s (i > 1 ? sep : "") a[i]
            return s
        }
        function flush() { if (inblock) print sort_join(sets, n, ";"); inblock = 0; n = 0 }
        /^PINPOINTING RESULTS:/ { flush(); inblock = 1; getline; next }
        inblock && /^[-0-9 ]*$/ {
            m = split($0, lits, " ")
            for (i = 1; i <= m; i++) nums[i] = lits[i] + 0
            sets[++n] = sort_join(nums, m, " ")
            next
        }
        { flush() }
        END { flush() }' "$1"
}

# Asks the queries of file $2 (one per line) with the extra options $3...,
# restarting after a query that ran out of budget; writes $1.records (one
# record per query, see query_records) and $1.sets (the MinA sets of the
# finished queries, "-" for the others) and the first LOADING time to
# $1.load.
ask_all() {
    local name=$1 list=$2
    shift 2
    local total asked=0 part=0 finished stopped
    total=$(wc -l <"$list")
    : >"$name.records"
    : >"$name.sets"
    rm -f "$name.load"
    while [ "$asked" -lt "$total" ]; do
        part=$((part + 1))
        tail -n +$((asked + 1)) "$list" >"$name.$part.queries"
        stdbuf -oL "$pinpointer" -a="$dir/assumptions" -i="$dir/body" -q="$name.$part.queries" -v=1 "$@" \
            >"$name.$part.out" 2>"$name.$part.err" &
        watch_run $! "$name.$part.err"
        stopped=$?
        [ -f "$name.load" ] || awk -F': ' '$1 == "LOADING (CPU-sec)" { print $2 }' "$name.$part.err" >"$name.load"
        query_records "$name.$part.err" >"$name.$part.records"
        finished=$(grep -c '^done ' "$name.$part.records")
        if [ "$stopped" -eq 0 ] && [ "$finished" -lt $((total - asked)) ]; then
            echo "$name: the pinpointer ended after $finished of $((total - asked)) queries" >&2
            tail -n 3 "$name.$part.err" >&2
            return 1
        fi
        if [ "$stopped" -ne 0 ] && ! grep -q '^open ' "$name.$part.records"; then
            echo "open - $budget 0" >>"$name.$part.records"  # stopped before any timing line of the query
        fi
        head -n $((finished + 1)) "$name.$part.records" >>"$name.records"
        mina_sets "$name.$part.out" | head -n "$finished" >>"$name.sets"
        [ "$stopped" -ne 0 ] && echo "-" >>"$name.sets"
        asked=$((asked + finished + stopped))
    done
}

# Median and largest of the numbers on standard input ("inf" for a value
# that was not reached), printed as two fields with 4 decimals (or ">B").
median_max() {
    sort -g | awk -v b="$budget" '
        function show(x) { return x == "inf" ? ">" b : sprintf("%.4f", x) }
        { v[NR] = $1 }
        END {
            if (NR == 0) { print "- -"; exit }
            if (NR % 2) m = v[(NR + 1) / 2]
            else if (v[NR / 2] == "inf" || v[NR / 2 + 1] == "inf") m = "inf"
            else m = (v[NR / 2] + v[NR / 2 + 1]) / 2
            print show(m), show(v[NR])
        }'
}

printf '%-17s %8s %8s %5s %7s | %9s %9s | %9s %9s | %6s %6s | %7s | %7s\n' ontology selectors clauses asked \
    load_s first_med first_max all_med all_max minas minas_mx in_time same
for name in $ontologies; do
    dir=$work/$name
    classify_for_pinpointer "$classifier" "$data/$name.krss" "$dir" || continue
    selectors=$(wc -l <"$dir/assumptions")
    clauses=$(grep -c ' 0$' "$dir/body")
    # Derived subsumptions are numbered after the selectors; a fixed seed
    # keeps the sample the same from run to run.
    awk -v k="$selectors" '$1 + 0 > k { print $1 }' "$dir/table" |
        awk -v n="$queries" 'BEGIN { srand(17) } { line[NR] = $0 }
            END { for (i = NR; i > 1; i--) { j = int(rand() * i) + 1; t = line[i]; line[i] = line[j]; line[j] = t }
                  for (i = 1; i <= n && i <= NR; i++) print "-" line[i] }' >"$dir/queries"
    asked=$(wc -l <"$dir/queries")

    extra=()
    [ "$limit" -gt 0 ] && extra+=("-s=$limit")
    ask_all "$dir/cone" "$dir/queries" -c "${extra[@]}" || continue

    records=$dir/cone.records
    first=$(awk '{ print ($2 == "-" || $2 + 0 > '"$budget"') ? "inf" : $2 }' "$records" | median_max)
    all=$(awk '{ print ($1 == "done" && $3 + 0 <= '"$budget"') ? $3 : "inf" }' "$records" | median_max)
    minas=$(awk '$1 == "done" { print $4 }' "$records" | sort -n | awk '{ v[NR] = $1 }
        END { if (NR == 0) print "- -"; else print (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2, v[NR] }')
    in_time=$(awk '$1 == "done" && $3 + 0 <= '"$budget"' { n++ } END { print n + 0 }' "$records")

    same="-"
    if [ "$compare" -gt 0 ] && [ "$limit" -eq 0 ]; then
        head -n "$compare" "$dir/queries" >"$dir/compared"
        if ask_all "$dir/plain" "$dir/compared"; then
            same=$(paste -d '|' "$dir/compared" <(head -n "$compare" "$dir/cone.sets") "$dir/plain.sets" |
                awk -F'|' -v name="$name" '$2 == "-" || $3 == "-" { next }
                    $2 == $3 { n++; s++; next }
                    { n++; print name ": the cone changed the MinAs of query " $1 > "/dev/stderr" }
                    END { print s + 0 "/" n + 0 }')
        fi
    fi

    printf '%-17s %8d %8d %5d %7.2f | %9s %9s | %9s %9s | %6s %6s | %7s | %7s\n' "$name" "$selectors" "$clauses" \
        "$asked" "$(cat "$dir/cone.load")" $first $all $minas "$in_time/$asked" "$same"
done
