#!/usr/bin/env bash
# Shrinks a case where classifying BASE and then INCREMENT as an increment
# ends with other named subsumptions than one run over both: drops axioms
# from either file (delta debugging over the top-level forms, the increment
# first) for as long as the two classifications still disagree, and prints
# the forms left in each file with the pairs in question.
#
# usage: bash bench/shrink_increment.sh BASE INCREMENT [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: build)

set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${3:-$root/build}
program=$build/bench/bench_incremental_agreement
ninja -C "$build" bench_incremental_agreement >/dev/null
work=$(mktemp -d /tmp/korvane-shrinkXXXXXX)
trap 'rm -rf "$work"' EXIT

# One top-level form per line, comments left out.
forms() {
    awk '{
        sub(/;.*/, "")
        for (i = 1; i <= length($0); i++) {
            ch = substr($0, i, 1)
            if (depth == 0 && ch != "(") continue
            form = form ch
            if (ch == "(") depth++
            else if (ch == ")" && --depth == 0) { print form; form = "" }
        }
        if (depth > 0) form = form " "
    }' "$1"
}

forms "$1" >"$work/0.krss"
forms "$2" >"$work/1.krss"

disagree() {
    ! "$program" "$work/try0.krss" "$work/try1.krss" >/dev/null
}

# Removes chunks of file k's lines while the disagreement stays.
shrink() {
    local k=$1 other=$((1 - $1))
    local chunks=2
    while :; do
        local total
        total=$(wc -l <"$work/$k.krss")
        [ "$total" -ge 1 ] || return 0
        [ "$chunks" -le "$total" ] || chunks=$total
        local size=$(((total + chunks - 1) / chunks)) removed=0 start=1
        while [ "$start" -le "$total" ]; do
            local end=$((start + size - 1))
            sed "${start},${end}d" "$work/$k.krss" >"$work/try$k.krss"
            cp "$work/$other.krss" "$work/try$other.krss"
            if disagree; then
                mv "$work/try$k.krss" "$work/$k.krss"
                removed=1
                break
            fi
            start=$((end + 1))
        done
        if [ "$removed" -eq 1 ]; then
            [ "$chunks" -le 2 ] || chunks=$((chunks - 1))
        elif [ "$chunks" -ge "$total" ]; then
            return 0
        else
            chunks=$((chunks * 2))
        fi
    done
}

cp "$work/0.krss" "$work/try0.krss"
cp "$work/1.krss" "$work/try1.krss"
if ! disagree; then
    echo "the classifications agree: nothing to shrink" >&2
    exit 1
fi
while :; do
    before=$(cat "$work/0.krss" "$work/1.krss" | wc -l)
    shrink 1
    shrink 0
    after=$(cat "$work/0.krss" "$work/1.krss" | wc -l)
    [ "$after" -lt "$before" ] || break
done
echo "; base"
cat "$work/0.krss"
echo "; increment"
cat "$work/1.krss"
echo "; pairs"
"$program" -v "$work/0.krss" "$work/1.krss" || true
