#!/usr/bin/env bash
# Usage: fuzz-replay.sh BUILD NAME
# Runs the programs of BUILD on harness NAME's regression corpus and on its
# hostile inputs, and fails on any signal, sanitizer report, hang or silent
# failure, or on a hostile input accepted.
set -euo pipefail
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
FUZZ_BUILD=$(cd "$1" && pwd)
name=$2
. "$SOURCE/scripts/lib/fuzzing.sh"
FUZZ_WORK=$FUZZ_BUILD/fuzz-replay
rm -rf "${FUZZ_WORK:?}/$name"
mkdir -p "$FUZZ_WORK/$name/hostile"
fuzz_prepare "$FUZZ_BUILD" "$FUZZ_WORK/$name"
fuzz_load "$name"

failures=0 runs=0
for file in "$FUZZ_REGRESSIONS/$name"/*; do
    [ -f "$file" ] || continue
    runs=$((runs + 1))
    fuzz_judge "$file" any || failures=$((failures + 1))
done
hostile=$FUZZ_WORK/$name/hostile
# Bytes of every value, the same each time.
LC_ALL=C awk 'BEGIN { x = 1; for (i = 0; i < 4096; i++) { x = (x * 1103515245 + 12345) % 2147483648; printf "%c", int(x / 65536) % 256 } }' \
    >"$hostile/binary"
if declare -F hostile_inputs >/dev/null; then hostile_inputs "$hostile"; fi
for file in "$hostile"/*; do
    runs=$((runs + 1))
    case ${file##*/} in
    valid-*) fuzz_judge "$file" any ;;
    *) fuzz_judge "$file" refuse ;;
    esac || failures=$((failures + 1))
done
echo "$name: $runs inputs, $((runs - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
