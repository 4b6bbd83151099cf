#!/usr/bin/env bash
# Times the solver alone against picosat on the same random 3-SAT files:
# 50 instances, 200 variables, 852 clauses (ratio 4.26), seeds 1..50, so every
# run uses the same set. Each program runs as its own process on each file;
# the times are user + system CPU seconds of that process.
#
# usage: bench/solver_random3sat.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: PICOSAT (path of picosat), COUNT (instances, default 50),
#              VARS (default 200)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
count=${COUNT:-50}
vars=${VARS:-200}
clauses=$(awk -v n="$vars" 'BEGIN { printf "%d", n * 4.26 + 0.5 }')

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF >/dev/null || exit 1
fi
ninja -C "$build" korvane_solver_dimacs >/dev/null || exit 1
ours="$build/solver/korvane_solver_dimacs"

picosat=${PICOSAT:-$(command -v picosat || true)}
if [ -z "$picosat" ]; then
    echo "picosat not found (apt-get install picosat)" >&2
    exit 1
fi

work=$(mktemp -d /tmp/korvane-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

# Prints "SECONDS EXITCODE" for one run of a program on a file.
timed() {
    local TIMEFORMAT='%3U %3S'
    local rc
    { time "$@" >/dev/null 2>&1; } 2>"$work/time"
    rc=$?
    # With "time" the status is that of the program.
    awk -v rc="$rc" '{ printf "%.3f %d\n", $1 + $2, rc }' "$work/time"
}

answer() {
    case "$1" in
        10) echo SAT ;;
        20) echo UNSAT ;;
        *) echo "ERR($1)" ;;
    esac
}

printf "%-14s %10s %10s %6s %6s %7s\n" instance ours_s picosat_s ours picosat agree
total_ours=0
total_peer=0
disagree=0
for i in $(seq 1 "$count"); do
    file="$work/r3_${vars}_$i.cnf"
    "$ours" gen3 "$vars" "$clauses" "$i" "$file" || exit 1
    read -r t_ours rc_ours < <(timed "$ours" "$file")
    read -r t_peer rc_peer < <(timed "$picosat" "$file")
    a_ours=$(answer "$rc_ours")
    a_peer=$(answer "$rc_peer")
    agree=yes
    if [ "$a_ours" != "$a_peer" ] || [ "${a_ours#ERR}" != "$a_ours" ]; then
        agree=NO
        disagree=$((disagree + 1))
    fi
    printf "%-14s %10s %10s %6s %6s %7s\n" "r3_${vars}_$i" "$t_ours" "$t_peer" "$a_ours" "$a_peer" "$agree"
    total_ours=$(awk -v a="$total_ours" -v b="$t_ours" 'BEGIN { printf "%.3f", a + b }')
    total_peer=$(awk -v a="$total_peer" -v b="$t_peer" 'BEGIN { printf "%.3f", a + b }')
done

ratio=$(awk -v a="$total_ours" -v b="$total_peer" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }')
printf "%-14s %10s %10s\n" total "$total_ours" "$total_peer"
echo "ratio ours/picosat: $ratio (target at most 1.5); disagreements: $disagree"
[ "$disagree" -eq 0 ]
