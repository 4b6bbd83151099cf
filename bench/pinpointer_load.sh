#!/usr/bin/env bash
# How long the pinpointer takes to load the classifier's pinpointing
# encodings of the test ontologies. For each ontology the classifier
# writes the encoding with pinpointing and the subsumption encoding on
# (-p=FILE -s), its header and its assumption list; the pinpointer then reads
# the header and body as one file and answers one query (the first derived
# subsumption), with the cone of influence (-c) and over the whole encoding.
# Each run is repeated RUNS times and the smallest figures are shown: the
# pinpointer's own LOADING line (user CPU seconds from its start to the
# loaded solvers), the user CPU seconds of the whole process (load, query
# and exit) and its peak resident memory (through GNU time, which the script
# installs when it is missing and it runs as root; else "-").
#
# usage: bash bench/pinpointer_load.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: ONTOLOGIES (names under data/ontologies/ without .krss,
#              default "el-galen go-basic-2022-07 not-galen"), RUNS (runs per
#              figure, default 3), COMPARE (another pinpointer program, for
#              instance one built from an earlier commit: its rows follow
#              each ontology's, marked "compared")

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
ontologies=${ONTOLOGIES:-el-galen go-basic-2022-07 not-galen}
runs=${RUNS:-3}

. "$root/bench/lib/common.sh"
bench_build "$root" "$build" OFF classifier pinpointer || exit 1
classifier=$(find "$build" -type f -name classifier -perm -u+x | head -n 1)
programs=("$build/pinpointer/pinpointer")
[ -n "${COMPARE:-}" ] && programs+=("$COMPARE")

work=$(mktemp -d /tmp/korvane-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
. "$root/scripts/lib/pinpointer-inputs.sh"

# Peak memory through GNU time; installed when missing and we may.
if [ ! -x /usr/bin/time ] && [ "$(id -u)" -eq 0 ]; then
    . "$root/scripts/lib/packages.sh"
    ensure_packages time >/dev/null
fi

# One run: prints "LOADING USER PEAK_MB" (PEAK_MB "-" without GNU time).
run_once() {
    local program=$1 dir=$2
    shift 2
    local TIMEFORMAT=%U user peak="-"
    if [ -x /usr/bin/time ]; then
        user=$({ time /usr/bin/time -f %M -o "$work/peak" "$program" -a="$dir/assumptions" -i="$dir/encoding" \
            -q="$dir/query" "$@" >/dev/null 2>"$work/err"; } 2>&1)
        peak=$(awk '{ printf "%.0f", $1 / 1024 }' "$work/peak")
    else
        user=$({ time "$program" -a="$dir/assumptions" -i="$dir/encoding" -q="$dir/query" "$@" \
            >/dev/null 2>"$work/err"; } 2>&1)
    fi
    local load
    load=$(awk -F': ' '$1 == "LOADING (CPU-sec)" { print $2 }' "$work/err")
    if [ -z "$load" ]; then
        echo "the pinpointer failed on $dir:" >&2
        cat "$work/err" >&2
        return 1
    fi
    echo "$load $user $peak"
}

# The smallest of each figure over the runs.
best_of_runs() {
    local i
    for ((i = 0; i < runs; i++)); do run_once "$@" || return 1; done |
        awk 'NR == 1 || $1 < l { l = $1 } NR == 1 || $2 < u { u = $2 } NR == 1 || $3 < p { p = $3 }
             END { printf "%.2f %.2f %s\n", l, u, p }'
}

printf '%-17s %-9s %8s %9s %7s | %-5s %7s %7s %7s\n' ontology program selectors clauses size_MB mode load_s \
    run_s peak_MB
for name in $ontologies; do
    dir=$work/$name
    classify_for_pinpointer "$classifier" "$data/$name.krss" "$dir" -s || continue
    cat "$dir/header" "$dir/body" >"$dir/encoding"
    rm -f "$dir/body"
    selectors=$(wc -l <"$dir/assumptions")
    clauses=$(awk '$1 == "p" { print $4 }' "$dir/header")
    size=$(awk -v b="$(wc -c <"$dir/encoding")" 'BEGIN { printf "%.0f", b / 1048576 }')
    # The first derived subsumption: its variable follows the selectors.
    awk -v k="$selectors" '$1 + 0 > k { print "-" $1; exit }' "$dir/table" >"$dir/query"

    for program in "${programs[@]}"; do
        label=built
        [ "$program" != "${programs[0]}" ] && label=compared
        for mode in cone whole; do
            options=()
            [ "$mode" = cone ] && options=(-c)
            figures=$(best_of_runs "$program" "$dir" "${options[@]}") || continue
            read -r load user peak <<<"$figures"
            printf '%-17s %-9s %8d %9d %7d | %-5s %7s %7s %7s\n' "$name" "$label" "$selectors" "$clauses" "$size" \
                "$mode" "$load" "$user" "$peak"
        done
    done
done
