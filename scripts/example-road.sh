#!/usr/bin/env bash
# The worked example of the README, on programs already built: classifies
# examples/anatomy.krss, answers its queries, and asks the pinpointer for the
# MinAs of two of the subsumptions found. Each numbered step prints what the
# README shows for it; the timing lines go to files beside the outputs.
# Then the incremental classifier classifies the same ontology, stores its
# encoding and map, and adds examples/anatomy-increment.krss as an increment
# before it answers complex queries; then it reloads the stored encoding and
# map instead of classifying again, and adds the same increment. Two steps
# show the input languages of the reference: complex queries on the example
# (step Q), and a normalisation map with names between bars that a reload
# reads back (step M). Last, the pinpointing road (steps P1 to P3): the
# incremental classifier writes the pinpointing information, the
# pinpoint-encoder turns the encoding into the pinpointing encoding and
# answers queries with the axioms each answer rests on.
# Usage: example-road.sh CLASSIFIER PINPOINTER INCREMENTAL_CLASSIFIER PINPOINT_ENCODER OUTPUT_DIRECTORY
set -euo pipefail
if [ $# -ne 5 ]; then
    echo "Usage: $0 CLASSIFIER PINPOINTER INCREMENTAL_CLASSIFIER PINPOINT_ENCODER OUTPUT_DIRECTORY" >&2
    exit 2
fi
classifier=$1
pinpointer=$2
incremental=$3
pinpoint_encoder=$4
out=$5
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

echo
echo "== 5. classify examples/anatomy.krss with the incremental classifier and store the encoding and its map =="
"$incremental" -i="$examples/anatomy.krss" -o="$out/anatomy-inc.cnf" -h="$out/anatomy-inc.header" \
    -v="$out/anatomy-inc.map" 2>"$out/incremental.timings"
cat "$out/anatomy-inc.header"
echo "-- timing lines:"
sed 's/: .*/: .../' "$out/incremental.timings"

echo
echo "== 6. add examples/anatomy-increment.krss as an increment and answer examples/anatomy-increment.queries =="
cat "$examples/anatomy-increment.queries"
echo "-- answers:"
"$incremental" -i="$examples/anatomy.krss" -j="$examples/anatomy-increment.krss" \
    -q="$examples/anatomy-increment.queries" -m -o=/dev/null -h=/dev/null -v="$out/anatomy-inc-j.map" \
    2>"$out/increment.timings"
echo "-- timing lines:"
sed 's/: .*/: .../' "$out/increment.timings"

echo
echo "== 7. reload the encoding and map of step 5, add the increment and answer the same queries =="
cat "$out/anatomy-inc.header" "$out/anatomy-inc.cnf" >"$out/anatomy-inc.encoding"
echo "-- answers:"
"$incremental" -io="$out/anatomy-inc.encoding" -iv="$out/anatomy-inc.map" -j="$examples/anatomy-increment.krss" \
    -q="$examples/anatomy-increment.queries" -m -o=/dev/null -h=/dev/null -v="$out/anatomy-reload.map" \
    2>"$out/reload.timings"
echo "-- timing lines:"
sed 's/: .*/: .../' "$out/reload.timings"

echo
echo "== Q. answer the complex queries of examples/anatomy-complex.queries =="
echo "-- answers:"
"$incremental" -i="$examples/anatomy.krss" -q="$examples/anatomy-complex.queries" -m \
    -o=/dev/null -h=/dev/null 2>"$out/complex-queries.timings"
echo "-- timing lines:"
sed 's/: .*/: .../' "$out/complex-queries.timings"

echo
echo "== M. store the encoding and map of examples/wardrobe.krss, reload them and answer examples/wardrobe.queries =="
"$incremental" -i="$examples/wardrobe.krss" -o="$out/wardrobe.cnf" -h="$out/wardrobe.header" \
    -v="$out/wardrobe.map" 2>"$out/wardrobe.timings"
cat "$out/wardrobe.map"
cat "$out/wardrobe.header" "$out/wardrobe.cnf" >"$out/wardrobe.encoding"
echo "-- answers after the reload:"
"$incremental" -io="$out/wardrobe.encoding" -iv="$out/wardrobe.map" -q="$examples/wardrobe.queries" -m \
    -o=/dev/null -h=/dev/null 2>"$out/wardrobe-reload.timings"

# --- The pinpointing road: incremental-classifier -p -> pinpoint-encoder.
pinpointing_road() {
    echo
    echo "== P1. classify examples/anatomy.krss and write the pinpointing information with the encoding and its map =="
    "$incremental" -i="$examples/anatomy.krss" -o="$out/anatomy-pin.cnf" -h="$out/anatomy-pin.header" \
        -p="$out/anatomy.pinpointing" -v="$out/anatomy-pin.map" -a="$out/anatomy-pin.axioms" \
        2>"$out/pinpointing-info.timings"
    cat "$out/anatomy-pin.axioms"

    echo
    echo "== P2. turn the encoding (header, then body) into the pinpointing encoding =="
    cat "$out/anatomy-pin.header" "$out/anatomy-pin.cnf" >"$out/anatomy-pin.encoding"
    "$pinpoint_encoder" -i="$out/anatomy-pin.encoding" -p="$out/anatomy.pinpointing" \
        -o="$out/anatomy-pinpointing.cnf" -h="$out/anatomy-pinpointing.header" \
        -a="$out/anatomy.axioms-information" 2>"$out/pinpoint-encoder.timings"
    cat "$out/anatomy-pinpointing.header"
    echo "-- axioms information:"
    cat "$out/anatomy.axioms-information"
    echo "-- timing lines:"
    sed 's/: .*/: .../' "$out/pinpoint-encoder.timings"

    echo
    echo "== P3. answer examples/anatomy.queries with the axioms each answer rests on =="
    echo "-- by the numbers of the axiom dump:"
    "$pinpoint_encoder" -m -i="$out/anatomy-pin.encoding" -p="$out/anatomy.pinpointing" \
        -q="$examples/anatomy.queries" -v="$out/anatomy-pin.map" -o=/dev/null -h=/dev/null \
        2>"$out/pinpoint-queries.timings"
    echo "-- by the input axioms' numbers (-g):"
    "$pinpoint_encoder" -m -g -i="$out/anatomy-pin.encoding" -p="$out/anatomy.pinpointing" \
        -q="$examples/anatomy.queries" -v="$out/anatomy-pin.map" -o=/dev/null -h=/dev/null \
        2>"$out/pinpoint-queries-g.timings"
}
pinpointing_road
