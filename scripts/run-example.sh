#!/usr/bin/env bash
# Sets up the build packages, builds the programs and runs the classifier on
# the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF >/dev/null
ninja -C build

out=build/example
mkdir -p "$out"
echo
echo "== 1. classify examples/anatomy.krss and write the encoding and its side files =="
build/classifier/classifier -i=examples/anatomy.krss -o="$out/anatomy.cnf" -h="$out/anatomy.header" \
    -p="$out/anatomy.assumptions" -s -a="$out/anatomy.axioms" -z="$out/anatomy.deductions"
echo "   encoding body:   $out/anatomy.cnf ($(wc -l <"$out/anatomy.cnf") lines; header in $out/anatomy.header)"
echo "   assumption list: $out/anatomy.assumptions"
echo "   deductions:      $out/anatomy.deductions"
echo "   axiom dump:      $out/anatomy.axioms"
cat "$out/anatomy.axioms"
echo
echo "== 2. answer examples/anatomy.queries with the in-process solver, with pinpointing =="
cat examples/anatomy.queries
echo "-- answers:"
build/classifier/classifier -i=examples/anatomy.krss -q=examples/anatomy.queries -m \
    -o=/dev/null -h=/dev/null 2>"$out/anatomy.timings"
