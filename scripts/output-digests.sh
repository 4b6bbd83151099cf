#!/usr/bin/env bash
# The output digests check (tests/digests/output_digests.sh) by hand, on the
# two large ontologies of data/ontologies/ that the test command leaves out
# (el-galen and go-basic, about a minute together), or on the ontologies named.
#
# usage: bash scripts/output-digests.sh [BUILD_DIR] [NAME...]
#   BUILD_DIR  a build tree of this repository (default: build)
#   NAME       ontologies of data/ontologies/ without .krss (default: el-galen
#              go-basic-2022-07), read unpacked from BUILD_DIR/data/ontologies
# environment: RECORD=1 records the digests instead of comparing them.

set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[ $# -gt 0 ] && shift
names=${*:-el-galen go-basic-2022-07}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
files=()
for name in $names; do
    files+=("$data/$name.krss")
done
exec bash "$root/tests/digests/output_digests.sh" "$build/classifier/classifier" "$build/pinpointer/pinpointer" \
    "$build/incremental-classifier/incremental-classifier" "$root/tests/digests/outputs.sha256" "${files[@]}"
