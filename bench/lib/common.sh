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

# Fails, saying how to get it, when the independent reasoner is missing.
# usage: bench_need_konclude || exit 1
bench_need_konclude() {
    command -v Konclude >/dev/null 2>&1 && return 0
    echo "Konclude not found (apt-get install konclude)" >&2
    return 1
}

# The seconds since START (a `date +%s.%N`), as N.NN.
# usage: bench_seconds START
bench_seconds() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }'; }

# Runs COMMAND with its standard output and error into FILE, and prints the
# seconds it took, as N.NN.
# usage: seconds=$(bench_timed FILE COMMAND...)
bench_timed() {
    local file=$1 start
    shift
    start=$(date +%s.%N)
    "$@" >"$file" 2>&1
    bench_seconds "$start"
}

# The total row of a table whose rows FILE holds, one a line, fields split by
# blanks: the LABEL words, then the sum of each column after the first N
# (the last column, seconds, with two decimals), printed in FORMAT.
# usage: bench_total FORMAT N FILE LABEL...
bench_total() {
    local format=$1 labels=$2 file=$3
    shift 3
    # shellcheck disable=SC2046,SC2059
    printf "$format" "$@" $(awk -v from=$((labels + 1)) '{ for (i = from; i <= NF; i++) s[i] += $i; n = NF }
        END { for (i = from; i <= n; i++) printf(i == n ? "%.2f " : "%d ", s[i]) }' "$file")
}

# The first line of a test's output FILE that starts with PREFIX (its summary
# line); when it has none, says that the run WHAT gave none, with the end of
# FILE, on the standard error, and fails.
# usage: line=$(bench_summary FILE PREFIX WHAT) || { failed=1; continue; }
bench_summary() {
    grep -m1 "^$2" "$1" && return 0
    echo "$3 gave no summary:" >&2
    tail -40 "$1" >&2
    return 1
}
