#!/usr/bin/env bash
# The classifier on the test ontologies, in three tables.
#
# 1. Per ontology, PAIRS pairs of runs: the classifier with pinpointing and
#    the encoding written to files (-o=FILE -h=FILE -p=FILE -s), then
#    Konclude when it is installed (`Konclude classification -w 2` on the
#    .ofn), then the classifier again, and so on (A B A B ...), so that both
#    sides of a pair meet the same load of the machine. Whole processes,
#    through GNU time: the medians of the classifier's wall-clock and CPU
#    (user + system) seconds, the CPU seconds of each phase and the peak
#    resident memory (the run's own timing lines and its peak, from the run
#    of median wall time), variables and clauses (its "p cnf" line),
#    Konclude's median wall seconds, and the median of the pair-by-pair
#    ratios classifier/Konclude with their spread (smallest-largest), of the
#    wall and of the CPU seconds. The last row is an ontology of COPIES
#    disjoint renamed copies of el-galen, made by bench/replicate_ontology.sh
#    in the scratch directory; a line after it runs el-galen and the copies
#    in turn (PAIRS pairs, the outputs removed outside the timing) and gives
#    the median of the pair-by-pair ratios copies/el-galen with their spread,
#    of the wall and of the CPU seconds (COPIES times would be linear).
# 2. QUERIES pinpointing queries through the in-process solver (-m) on
#    el-galen: half of them derived subsumptions of named concepts from the
#    deductions table, half random pairs of named concepts, with a fixed
#    seed; queries per second from the run's phases (the CPU time of the
#    query loop without its preprocessing) and from the sum of its
#    per-query "S [n]: t" lines (which count in clock ticks).
#
# usage: bash bench/classifier.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: ONTOLOGIES (names under data/ontologies/ without
#              .krss; default: all), QUERIES (default 1000), COPIES (default
#              8; 0 leaves the scale row out), KONCLUDE (0 leaves Konclude
#              out), PAIRS (pairs of runs per row, default 7)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
queries=${QUERIES:-1000}
copies=${COPIES:-8}
runs=${PAIRS:-7}
use_konclude=${KONCLUDE:-1}
if [ -z "${ONTOLOGIES:-}" ]; then
    ontologies=$(cd "$data" && ls *.krss | sed 's/\.krss$//')
else
    ontologies=$ONTOLOGIES
fi

. "$root/bench/lib/common.sh"
bench_build "$root" "$build" OFF classifier || exit 1
classifier=$build/classifier/classifier

# Wall, CPU and peak memory through GNU time; installed when missing and we may.
if [ ! -x /usr/bin/time ] && [ "$(id -u)" -eq 0 ]; then
    . "$root/scripts/lib/packages.sh"
    ensure_packages time >/dev/null
fi
if [ ! -x /usr/bin/time ]; then
    echo "GNU time (/usr/bin/time) is needed: apt-get install time" >&2
    exit 1
fi
konclude=""
if [ "$use_konclude" != 0 ] && command -v Konclude >/dev/null 2>&1; then
    konclude=Konclude
fi

work=$(mktemp -d /tmp/korvane-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

# The value of a timing line ("NAME (CPU-sec): value") on standard error.
timing() {
    local value
    value=$(awk -v name="$1 (CPU-sec)" 'index($0, name ": ") == 1 { sub(/.*: /, ""); printf "%.2f\n", $0 }' "$2" |
        tail -n 1)
    echo "${value:-nan}"
}

row_format='%-20s %7s %7s %9s %8s %7s %7s %8s %9s %8s %10s %-19s %-19s\n'
print_header() {
    # shellcheck disable=SC2059
    printf "$row_format" ontology parse_s norm_s class+enc total_s wall_s cpu_s vars clauses peak_MB konclude_s \
        "wall ratio (spread)" "CPU ratio (spread)"
}

# One row: the classifier on $2 (.krss) and Konclude on $3 (.ofn, may be
# missing), under the name $1, in $runs pairs of runs (A B A B ...).
measure() {
    local name=$1 krss=$2 ofn=$3 dir=$work/$1 row_wall row_cpu
    mkdir -p "$dir"
    : >"$dir/runs"
    : >"$dir/pairs"
    local run figures wall cpu peak kwall kcpu kpeak use_konclude=""
    [ -n "$konclude" ] && [ -f "$ofn" ] && use_konclude=1
    for ((run = 1; run <= runs; run++)); do
        if ! figures=$(timed_process /dev/null "$dir/err.$run" "$classifier" -i="$krss" -o="$dir/body" \
            -h="$dir/header" -p="$dir/assumptions" -s); then
            echo "$name: the classifier failed:" >&2
            tail -n 5 "$dir/err.$run" >&2
            return
        fi
        read -r wall cpu peak <<<"$figures"
        echo "$wall $cpu $peak $run" >>"$dir/runs"
        rm -f "$dir/body"
        [ -n "$use_konclude" ] || continue
        if figures=$(timed_process /dev/null /dev/null "$konclude" classification -w 2 -i "$ofn" \
            -o "$dir/konclude.owl.xml"); then
            read -r kwall kcpu kpeak <<<"$figures"
            echo "$wall $kwall $cpu $kcpu" >>"$dir/pairs"
        else
            echo "$name: Konclude failed" >&2
            use_konclude=""
            : >"$dir/pairs"
        fi
        rm -f "$dir/konclude.owl.xml"
    done
    # The run of median wall time gives the phases and the peak.
    local middle
    read -r wall cpu peak middle < <(sort -g "$dir/runs" | awk -v n="$runs" 'NR == int((n + 1) / 2)')
    local vars clauses ks="-" wall_ratio="-" cpu_ratio="-"
    read -r vars clauses < <(awk '$1 == "p" && $2 == "cnf" { v = $3; c = $4 } END { print v, c }' "$dir/header")
    if [ -s "$dir/pairs" ]; then
        ks=$(awk '{ print $2 }' "$dir/pairs" | median_of)
        wall_ratio=$(awk '{ print $1, $2 }' "$dir/pairs" | pair_ratios)
        cpu_ratio=$(awk '{ print $3, $4 }' "$dir/pairs" | pair_ratios)
    fi
    row_wall=$(awk '{ print $1 }' "$dir/runs" | median_of)
    row_cpu=$(awk '{ print $2 }' "$dir/runs" | median_of)
    # shellcheck disable=SC2059
    printf "$row_format" "$name" "$(timing PARSING "$dir/err.$middle")" "$(timing NORMALIZATION "$dir/err.$middle")" \
        "$(timing 'CLASSIFICATION AND ENCODING [init+ded+enc]' "$dir/err.$middle")" \
        "$(timing 'TOTAL TIME' "$dir/err.$middle")" "$row_wall" "$row_cpu" "$vars" "$clauses" \
        "$(awk -v k="$peak" 'BEGIN { printf "%.0f", k / 1024 }')" "$ks" "$wall_ratio" "$cpu_ratio"
}

echo "== classification with pinpointing, encoding written to files, $runs pairs of runs (classifier, Konclude,"
echo "   in turn); phases: CPU seconds of the median run; wall_s, cpu_s, konclude_s: medians of whole processes;"
echo "   ratios: median of the pair-by-pair ratios classifier/Konclude (smallest-largest) =="
print_header
for name in $ontologies; do
    if [ ! -f "$data/$name.krss" ]; then
        echo "$name: no $data/$name.krss" >&2
        continue
    fi
    measure "$name" "$data/$name.krss" "$data/$name.ofn"
done
if [ "$copies" -gt 0 ] && [ -f "$data/el-galen.krss" ]; then
    bash "$root/bench/replicate_ontology.sh" "$copies" "$data/el-galen.krss" >"$work/scale.krss"
    ofn=""
    if [ -n "$konclude" ] && [ -f "$data/el-galen.ofn" ]; then
        bash "$root/bench/replicate_ontology.sh" "$copies" "$data/el-galen.ofn" >"$work/scale.ofn"
        ofn=$work/scale.ofn
    fi
    # Concept names: every name but the roles (after "some", and in role axioms).
    concepts=$(perl -ne '
        if (/^\((role-inclusion|define-primitive-role|transitive)\b/) {
            $role{$_} = 1 for /([A-Za-z0-9#.\/:_-]+_c\d+)/g;
            next;
        }
        $role{$1} = 1 while /\(some\s+\|?([^\s|()]+)/g;
        $name{$_} = 1 for /([A-Za-z0-9#.\/:_-]+_c\d+)/g;
        END { print scalar(grep { !$role{$_} } keys %name), "\n" }' "$work/scale.krss")
    echo "(el-galen x$copies: $concepts concept names)"
    measure "el-galen-x$copies" "$work/scale.krss" "$ofn"
    # One el-galen and the copies in turn: "WALL1 CPU1 WALLN CPUN" per pair.
    : >"$work/scale.pairs"
    for ((run = 1; run <= runs; run++)); do
        line=""
        for input in "$data/el-galen.krss" "$work/scale.krss"; do
            figures=$(timed_process /dev/null /dev/null "$classifier" -i="$input" -o="$work/scale.body" \
                -h="$work/scale.header" -p="$work/scale.assumptions" -s) || break
            rm -f "$work/scale.body" "$work/scale.header" "$work/scale.assumptions"
            read -r wall cpu _ <<<"$figures"
            line="$line $wall $cpu"
        done
        [ "$(wc -w <<<"$line")" -eq 4 ] && echo "$line" >>"$work/scale.pairs"
    done
    echo "(el-galen x$copies against el-galen, $runs pairs in turn: wall" \
        "$(awk '{ print $3, $1 }' "$work/scale.pairs" | pair_ratios), CPU" \
        "$(awk '{ print $4, $2 }' "$work/scale.pairs" | pair_ratios); linear: ${copies}x)"
    rm -f "$work/scale.krss" "$work/scale.ofn"
fi

if [ "$queries" -gt 0 ] && [ -f "$data/el-galen.krss" ]; then
    echo
    echo "== $queries pinpointing queries through the in-process solver (-m) on el-galen =="
    dir=$work/queries
    mkdir -p "$dir"
    krss=$data/el-galen.krss
    "$classifier" -i="$krss" -o=/dev/null -h=/dev/null -v="$dir/map" -z="$dir/table" >/dev/null 2>&1 || exit 1
    # Named concepts: map lines "NAME VAR" whose name the query language reads.
    awk 'NF == 2 && $1 ~ /^[A-Za-z0-9][-A-Za-z0-9#.\/:_]*$/ && $1 != "top" && $1 != "bottom" && $1 != "quit" {
             print $1 }' "$dir/map" >"$dir/names"
    awk 'NR == FNR { named[$1] = 1; next }
         NF == 5 && $2 == "(implies" && $5 == ")" && ($3 in named) && ($4 in named) { print $3, $4 }' \
        "$dir/names" "$dir/table" >"$dir/subsumptions"
    awk -v n="$queries" 'BEGIN { srand(17) }
         FILENAME == ARGV[1] { sub_[++s] = $0; next }
         { name[++k] = $1 }
         END {
             for (i = 1; i <= n / 2 && s > 0; i++) {
                 split(sub_[int(rand() * s) + 1], p, " ")
                 print "(subsumes? " p[2] " " p[1] ")"
             }
             for (; i <= n; i++) print "(subsumes? " name[int(rand() * k) + 1] " " name[int(rand() * k) + 1] ")"
         }' "$dir/subsumptions" "$dir/names" >"$dir/queries"
    timed_process "$dir/answers" "$dir/err" "$classifier" -i="$krss" -q="$dir/queries" -m -h=/dev/null >/dev/null
    status=$?
    asked=$(wc -l <"$dir/queries")
    awk -v asked="$asked" -v status="$status" '
        FILENAME == ARGV[1] {
            if ($0 == "U") { u++; getline; axioms += NF } else if ($0 == "SAT") sat++
            next
        }
        /^PARSING \(CPU-sec\)/ || /^NORMALIZATION \(CPU-sec\)/ || /^CLASSIFICATION AND ENCODING/ { before += $NF }
        /^QUERIES PREPROCESSING \(CPU-sec\)/ { prep = $NF }
        /^TOTAL TIME \(CPU-sec\)/ { total = $NF }
        /^S \[[0-9]+\]: / { lines += $NF }
        END {
            loop = total - before - prep
            printf "%-8s %6s %6s %11s %8s %8s %13s %11s %7s\n", "queries", "U", "SAT", "axioms/U", "prep_s",
                   "loop_s", "q/s(phases)", "q/s(S-sum)", "exit"
            printf "%-8d %6d %6d %11.1f %8.2f %8.2f %13s %11s %7d\n", asked, u, sat, u ? axioms / u : 0, prep, loop,
                   (loop > 0 ? sprintf("%.0f", asked / loop) : "inf"),
                   (lines > 0 ? sprintf("%.0f", asked / lines) : "inf"),
                   status
        }' "$dir/answers" "$dir/err"
fi
