#!/usr/bin/env bash
# Sets up the build packages, builds the programs and runs them on the
# bundled examples (the README's worked example).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/packages.sh
# shellcheck disable=SC2086
ensure_packages $BUILD_PACKAGES

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF >/dev/null
ninja -C build

# The steps and what they print are those of the README's worked example.
bash scripts/example-road.sh build/classifier/classifier build/pinpointer/pinpointer \
    build/incremental-classifier/incremental-classifier build/pinpoint-encoder/pinpoint-encoder build/example
