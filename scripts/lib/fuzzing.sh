# The fuzz harnesses: each fuzz/harnesses/NAME.sh names a program of the
# build, its arguments (@@ stands for the file under test; without one the
# program reads it on standard input), a dictionary of
# fuzz/dictionaries/, its seed files and, optionally, a function
# hostile_inputs DIR that writes inputs every one of which must be refused,
# except those named valid-*, which must only end well.
# A harness sees these variables:
#   SOURCE   the source tree
#   WRITTEN  files the classifier wrote for examples/anatomy.krss: anatomy.encoding,
#            anatomy.header-and-encoding, anatomy.assumptions,
#            anatomy.pinpoint-queries (the derived subsumptions' variables);
#            and the axioms information the pinpoint-encoder wrote for the
#            chain (chain.axioms, chain-original.axioms with -g) and for the
#            existential example with a lost premise (existential-lost.axioms)
#   HEADS    the first kilobyte of each ontology of data/ontologies/
#   SCRATCH  a directory of its own for the files the program writes
# tests/fuzz/regressions/NAME/ holds the inputs that once went wrong.
# Sourced by the commands that replay and fuzz; expects SOURCE to be set.

. "$SOURCE/scripts/lib/ontologies.sh"

FUZZ_HARNESSES=$SOURCE/fuzz/harnesses
FUZZ_REGRESSIONS=$SOURCE/tests/fuzz/regressions
# A run that takes longer than this is a hang.
FUZZ_TIME_LIMIT=${FUZZ_TIME_LIMIT:-20}

fuzz_harness_names() {
    local f
    for f in "$FUZZ_HARNESSES"/*.sh; do
        f=${f##*/}
        printf '%s\n' "${f%.sh}"
    done
}

# TEXT repeated COUNT times, without separators.
repeat() {
    awk -v text="$1" -v count="$2" 'BEGIN { for (i = 0; i < count; i++) printf "%s", text }'
}

# Prepares WRITTEN and HEADS under DIR with the classifier of BUILD.
fuzz_prepare() {
    local build=$1 dir=$2
    WRITTEN=$dir/written
    HEADS=$dir/heads
    mkdir -p "$WRITTEN" "$HEADS"
    local f data
    data=$(ontologies_dir "$build") || return 1
    for f in "$data"/*.krss; do
        [ -f "$f" ] && head -c 1024 "$f" >"$HEADS/${f##*/}"
    done
    local w=$WRITTEN/anatomy
    "$build/classifier/classifier" -i="$SOURCE/examples/anatomy.krss" -o="$w.encoding" -h="$w.header" \
        -p="$w.assumptions" -z="$w.deductions" 2>/dev/null
    cat "$w.header" "$w.encoding" >"$w.header-and-encoding"
    # The deductions table lists the axioms' selectors, then the derived
    # subsumptions' variables; the latter are the queries.
    awk 'NR == FNR { n = $1 > n ? $1 : n; next } $1 > n { print $1 }' \
        "$w.assumptions" "$w.deductions" >"$w.pinpoint-queries"
    [ -s "$w.pinpoint-queries" ]
    local e=$SOURCE/examples encoder=$build/pinpoint-encoder/pinpoint-encoder
    "$encoder" -p="$e/chain.pinpointing" -i="$e/chain.encoding" -o=/dev/null -h=/dev/null \
        -a="$WRITTEN/chain.axioms" 2>/dev/null
    "$encoder" -g -p="$e/chain.pinpointing" -i="$e/chain.encoding" -o=/dev/null -h=/dev/null \
        -a="$WRITTEN/chain-original.axioms" 2>/dev/null
    # The premise B ⊑ C named as B ⊑ 9, which no record derived.
    sed 's/ 3 4 S$/ 3 9 S/' "$e/existential.pinpointing" >"$WRITTEN/existential-lost.pinpointing"
    "$encoder" -p="$WRITTEN/existential-lost.pinpointing" -i="$e/existential.encoding" -o=/dev/null -h=/dev/null \
        -a="$WRITTEN/existential-lost.axioms" 2>/dev/null
    grep -q '^0 ' "$WRITTEN/existential-lost.axioms"
}

# Loads harness NAME: program, arguments, dictionary, seeds, hostile_inputs.
fuzz_load() {
    unset -f hostile_inputs
    program= arguments=() dictionary= seeds=()
    SCRATCH=$FUZZ_WORK/$1/scratch
    mkdir -p "$SCRATCH"
    # shellcheck disable=SC1090
    . "$FUZZ_HARNESSES/$1.sh"
}

# The loaded harness's command line for FILE.
fuzz_command() {
    local file=$1 a
    command_line=("$FUZZ_BUILD/$program")
    for a in "${arguments[@]}"; do
        command_line+=("${a//@@/$file}")
    done
}

# Runs the loaded harness on FILE and judges the outcome: never a signal, a
# sanitizer report, a hang or more than 4 GiB of address space, and a
# failure always says why. With "refuse",
# the input must fail. Prints a line for each fault; returns non-zero then.
fuzz_judge() {
    local file=$1 must_refuse=$2 err status input=/dev/null
    err=$SCRATCH/stderr
    fuzz_command "$file"
    [[ "${arguments[*]}" == *@@* ]] || input=$file
    # AddressSanitizer reserves far more address space than it uses: only the
    # programs without it get a bound.
    local bound=4194304
    if grep -q __asan_init "${command_line[0]}"; then bound=unlimited; fi
    status=0
    (
        ulimit -v "$bound"
        exec timeout -s KILL "$FUZZ_TIME_LIMIT" "${command_line[@]}" <"$input" >/dev/null 2>"$err"
    ) || status=$?
    local fault=
    if [ "$status" -eq 137 ]; then
        fault="no end within $FUZZ_TIME_LIMIT s"
    elif [ "$status" -gt 128 ] && [ "$status" -lt 255 ]; then
        fault="signal $((status - 128))"
    elif grep -qE 'ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer' "$err"; then
        fault="sanitizer report"
    elif [ "$status" -ne 0 ] && [ ! -s "$err" ]; then
        fault="status $status without a diagnostic"
    elif [ "$status" -eq 0 ] && [ "$must_refuse" = refuse ]; then
        fault="accepted"
    fi
    if [ -n "$fault" ]; then
        printf '%s: %s\n' "$file" "$fault"
        sed -n '1,5p' "$err" | sed 's/^/    /'
        return 1
    fi
}
