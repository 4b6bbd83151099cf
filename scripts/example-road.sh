#!/usr/bin/env bash
# The worked example of the README, on programs already built: classifies
# examples/anatomy.krss, answers its queries, and asks the pinpointer for the
# MinAs of two of the subsumptions found. Each numbered step prints what the
# README shows for it; the timing lines go to files beside the outputs.
# Usage: example-road.sh CLASSIFIER PINPOINTER OUTPUT_DIRECTORY
set -euo pipefail
if [ $# -ne 3 ]; then
    echo "Usage: $0 CLASSIFIER PINPOINTER OUTPUT_DIRECTORY" >&2
    exit 2
fi
classifier=$1
pinpointer=$2
out=$3
examples="$(cd "$(dirname "$0")/../examples" && pwd)"
mkdir -p "$out"

echo "== 1. classify examples/anatomy.krss and write the encoding and its side files to $out =="
"$classifier" -i="$examples/anatomy.krss" -o="$out/anatomy.cnf" -h="$out/anatomy.header" \
    -p="$out/anatomy.assumptions" -s -a="$out/anatomy.axioms" -z="$out/anatomy.deductions" \
    -n="$out/anatomy.normalisation" -v="$out/anatomy.map" 2>"$out/classify.timings"
cat "$out/anatomy.axioms"

echo
echo "== 2. answer examples/anatomy.queries with the in-process solver, with pinpointing =="
cat "$examples/anatomy.queries"
echo "-- answers:"
"$classifier" -i="$examples/anatomy.krss" -q="$examples/anatomy.queries" -m \
    -o=/dev/null -h=/dev/null 2>"$out/queries.timings"

echo
echo "== 3. enumerate the MinAs of the queries in examples/anatomy.pinpoint on the encoding =="
cat "$examples/anatomy.pinpoint"
echo "-- MinAs:"
"$pinpointer" -a="$out/anatomy.assumptions" -i="$out/anatomy.cnf" -q="$examples/anatomy.pinpoint" \
    2>"$out/pinpoint.timings"

echo
echo "== 4. classify again with the input axioms as the selectors (-g) and write the original-axiom tables =="
"$classifier" -i="$examples/anatomy.krss" -o="$out/anatomy-g.cnf" -h="$out/anatomy-g.header" \
    -p="$out/anatomy-g.assumptions" -s -g -z="$out/anatomy-g.deductions" 2>"$out/classify-g.timings"
echo "assumption list (one number a line in the file): $(paste -sd" " "$out/anatomy-g.assumptions")"
