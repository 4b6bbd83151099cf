#!/usr/bin/env bash
# Pinpointing queries per second on a stored encoding: the encoding is loaded
# into the in-process encoder (propagation-only mode), pinpointing is
# prepared with the assumption list once, and QUERIES random queries
# sub ⊑ super between variables outside the assumption list are timed
# (seeded, so every run asks the same queries).
#
# usage: bench/pinpoint_queries.sh ENCODING ASSUMPTIONS [QUERIES [SEED]]
#        bench/pinpoint_queries.sh --synthetic CLAUSES [QUERIES [SEED]]
#   ENCODING     an encoding file written by the classifier (header + body)
#   ASSUMPTIONS  its assumption list (one axiom variable per line)
#   --synthetic  generates a terminology-like Horn encoding of CLAUSES
#                clauses (a third of them told axioms with a selector each)
#                and its assumption list, and runs on those
# environment: BUILD (a build tree of this repository; default a Release
#              tree in /tmp/korvane-bench-build, configured and built when
#              needed)
#
# Output: one line with the sizes and the load and preparation times, one
# with the query count, the subsumed ones, the mean size of a pinpointed set,
# the total time and the queries per second, and one with the time per query
# (mean, median, 99th percentile, max) and the propagations per query.

set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-/tmp/korvane-bench-build}

if [ $# -lt 2 ]; then
    sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
fi

. "$root/bench/lib/common.sh"
bench_build "$root" "$build" OFF bench_pinpoint_queries
tool="$build/bench/bench_pinpoint_queries"

if [ "$1" = "--synthetic" ]; then
    clauses=$2
    shift 2
    work=$(mktemp -d /tmp/korvane-pinpoint-XXXXXX)
    trap 'rm -rf "$work"' EXIT
    "$tool" generate "$clauses" 1 "$work/encoding" "$work/assumptions"
    "$tool" "$work/encoding" "$work/assumptions" "$@"
else
    "$tool" "$@"
fi
