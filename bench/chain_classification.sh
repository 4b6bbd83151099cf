#!/usr/bin/env bash
# The library's classification (incremental-classifier -m) against the
# classifier's (classifier -m) on random terminologies rich in chains of
# three roles, made by bench_chain_terminology (bench/chain_terminology.cpp)
# with fixed seeds: 30 names with an irregular role box, 60 names with 12
# roles, 160 names in 8 layers. Per terminology the two programs run in turn
# PAIRS times (A B A B ...); a row gives the median wall-clock seconds of
# each, the median of the pair-by-pair ratios (library / classifier) and
# their spread (lowest and highest). With BEFORE, the incremental-classifier
# of that other build tree runs third in each round, and its median and
# ratio to the classifier follow.
#
# usage: bash bench/chain_classification.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: PAIRS (rounds per terminology, default 7), TERMINOLOGIES
#              (KIND:SEED words, default "irregular:6 wide:1 layered:6"),
#              BEFORE (a build tree whose incremental-classifier is measured
#              too)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
pairs=${PAIRS:-7}
terminologies=${TERMINOLOGIES:-"irregular:6 wide:1 layered:6"}
before=${BEFORE:-}

. "$root/bench/lib/common.sh"
bench_build "$root" "$build" OFF classifier incremental-classifier bench_chain_terminology || exit 1
library=$build/incremental-classifier/incremental-classifier
classifier=$build/classifier/classifier
generator=$build/bench/bench_chain_terminology
earlier=""
if [ -n "$before" ]; then
    earlier=$before/incremental-classifier/incremental-classifier
    if [ ! -x "$earlier" ]; then
        echo "no incremental-classifier in $before" >&2
        exit 1
    fi
fi

work=$(mktemp -d /tmp/korvane-bench-chains-XXXXXX)
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
# Wall-clock seconds of one run of the program $1 on the terminology $2.
wall() {
    local begin
    begin=$(now)
    if ! "$1" -i="$2" -m -o=/dev/null -h=/dev/null >/dev/null 2>"$work/err"; then
        echo "$1 failed on $2:" >&2
        tail -n 5 "$work/err" >&2
        return 1
    fi
    awk -v a="$begin" -v b="$(now)" 'BEGIN { printf "%.3f\n", b - a }'
}
# The median of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else print v[int((NR + 1) / 2)] }'; }
spread() { sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.2f-%.2f", lo, hi }'; }

row_format='%-13s %6s %8s %8s %8s %11s %9s %9s\n'
# shellcheck disable=SC2059
printf "$row_format" terminology axioms library_s classif_s ratio spread before_s before_r
failed=0
for entry in $terminologies; do
    kind=${entry%%:*}
    seed=${entry#*:}
    file=$work/$kind-$seed.krss
    if ! "$generator" "$kind" "$seed" >"$file"; then
        failed=1
        continue
    fi
    : >"$work/library" && : >"$work/classifier" && : >"$work/ratios" && : >"$work/earlier" && : >"$work/earlier_ratios"
    for ((round = 0; round < pairs; round++)); do
        a=$(wall "$library" "$file") || { failed=1; break; }
        b=$(wall "$classifier" "$file") || { failed=1; break; }
        echo "$a" >>"$work/library"
        echo "$b" >>"$work/classifier"
        awk -v a="$a" -v b="$b" 'BEGIN { if (b > 0) printf "%.4f\n", a / b }' >>"$work/ratios"
        if [ -n "$earlier" ]; then
            c=$(wall "$earlier" "$file") || { failed=1; break; }
            echo "$c" >>"$work/earlier"
            awk -v a="$c" -v b="$b" 'BEGIN { if (b > 0) printf "%.4f\n", a / b }' >>"$work/earlier_ratios"
        fi
    done
    ratio=$(median <"$work/ratios")
    earlier_ratio=-
    [ -n "$earlier" ] && earlier_ratio=$(awk -v r="$(median <"$work/earlier_ratios")" 'BEGIN { printf "%.2fx", r }')
    # shellcheck disable=SC2059
    printf "$row_format" "$kind:$seed" "$(grep -c . "$file")" "$(median <"$work/library")" \
        "$(median <"$work/classifier")" "$(awk -v r="$ratio" 'BEGIN { printf "%.2fx", r }')" \
        "$(spread <"$work/ratios")" "$(median <"$work/earlier")" "$earlier_ratio"
done
exit $failed
