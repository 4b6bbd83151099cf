#!/usr/bin/env bash
# Times the solver and the simplifying solver alone against picosat on the
# same random 3-SAT files: 50 instances, 200 variables, 852 clauses (ratio
# 4.26), seeds 1..50, so every run uses the same set. A second set holds the
# same kind of instances with every clause split over two fresh variables
# ((a b c) becomes (a t1) (-t1 b t2) (-t2 c)): structured instances whose
# fresh variables elimination removes, where the simplifying solver should
# beat the plain one. Each program runs as its own process on each file; the
# times are user + system CPU seconds of that process.
#
# usage: bench/solver_random3sat.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: PICOSAT (path of picosat), COUNT (instances, default 50),
#              VARS (default 200), SPLIT_COUNT (split instances, default 20)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
count=${COUNT:-50}
split_count=${SPLIT_COUNT:-20}
vars=${VARS:-200}
clauses=$(awk -v n="$vars" 'BEGIN { printf "%d", n * 4.26 + 0.5 }')

. "$root/bench/lib/common.sh"
bench_build "$root" "$build" OFF korvane_solver_dimacs || exit 1
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

add() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a + b }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

disagree=0

# Runs one set: $1 the generator (gen3 or split3), $2 the number of instances.
# Sets total_ours, total_simp and total_peer.
run_set() {
    local generator=$1 n=$2 i file t_ours rc_ours t_simp rc_simp t_peer rc_peer a_ours a_simp a_peer agree
    total_ours=0
    total_simp=0
    total_peer=0
    printf "%-16s %8s %8s %9s %6s %6s %7s %6s\n" instance ours_s simp_s picosat_s ours simp picosat agree
    for i in $(seq 1 "$n"); do
        file="$work/${generator}_${vars}_$i.cnf"
        "$ours" "$generator" "$vars" "$clauses" "$i" "$file" || exit 1
        read -r t_ours rc_ours < <(timed "$ours" "$file")
        read -r t_simp rc_simp < <(timed "$ours" -s "$file")
        read -r t_peer rc_peer < <(timed "$picosat" "$file")
        a_ours=$(answer "$rc_ours")
        a_simp=$(answer "$rc_simp")
        a_peer=$(answer "$rc_peer")
        agree=yes
        if [ "$a_ours" != "$a_peer" ] || [ "$a_simp" != "$a_peer" ] || [ "${a_peer#ERR}" != "$a_peer" ]; then
            agree=NO
            disagree=$((disagree + 1))
        fi
        printf "%-16s %8s %8s %9s %6s %6s %7s %6s\n" "${generator}_${vars}_$i" "$t_ours" "$t_simp" "$t_peer" \
            "$a_ours" "$a_simp" "$a_peer" "$agree"
        total_ours=$(add "$total_ours" "$t_ours")
        total_simp=$(add "$total_simp" "$t_simp")
        total_peer=$(add "$total_peer" "$t_peer")
    done
    printf "%-16s %8s %8s %9s\n" total "$total_ours" "$total_simp" "$total_peer"
}

run_set gen3 "$count"
echo "ratio ours/picosat: $(ratio "$total_ours" "$total_peer") (target at most 1.5);" \
    "simplifying/picosat: $(ratio "$total_simp" "$total_peer") (target at most 1.2)"
echo
run_set split3 "$split_count"
echo "split instances: simplifying/ours: $(ratio "$total_simp" "$total_ours") (below 1 expected);" \
    "simplifying/picosat: $(ratio "$total_simp" "$total_peer")"
echo "disagreements: $disagree"
[ "$disagree" -eq 0 ]
