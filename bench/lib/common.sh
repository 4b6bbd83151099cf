# Helpers that the benchmark scripts share; sourced, never run.

# Configures BUILD_DIR as a Release tree of ROOT when it has none yet (with
# the tests when KORVANE_TESTS=ON is given as the third argument's value),
# then builds the targets named after it. Fails as cmake or ninja.
# usage: bench_build ROOT BUILD_DIR OFF|ON TARGET...
bench_build() {
    local source=$1 dir=$2 tests=$3
    shift 3
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$source" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS="$tests" >/dev/null || return 1
    fi
    ninja -C "$dir" "$@" >/dev/null
}

# The seconds of a program's timing line ("NAME (CPU-sec): S") in FILE, 0
# when it has none.
# usage: timing_seconds FILE NAME
timing_seconds() {
    awk -v name="$2 (CPU-sec): " 'index($0, name) == 1 { s = substr($0, length(name) + 1) } END { print s + 0 }' "$1"
}

# A / B as "N.NNx", "n/a" when B is not positive.
ratio_x() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "n/a" }'; }
