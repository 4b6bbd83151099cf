#!/usr/bin/env bash
# Builds everything twice (a normal build and one with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both; fails on any
# failing test or sanitizer finding; then fuzzes every input of the programs
# briefly (scripts/fuzz.sh) and fails on any crash or hang found.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES $TEST_PEER_PACKAGES $FUZZ_PACKAGES

jobs=$(nproc 2>/dev/null || echo 4)

run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    ninja -C "$dir"
    (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 900)
}

echo "== normal build =="
run_suite build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== sanitized build (address, undefined) =="
# The model's shared objects live until the process exits by design, so leak
# reports are not findings; every other report aborts the test.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export KORVANE_SANITIZED=1
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON

echo "== fuzzing (a few seconds per input, fixed seed) =="
bash scripts/fuzz.sh --seconds 5 --seed 1

echo "All tests passed in both builds and under the fuzzer."
