# The stored encoding (header lines, then clauses) the incremental
# classifier reloads with -io, over the normalisation map of the same run,
# then an increment and complex queries answered by the in-process solver.
# The stored files are those the incremental classifier of the build writes
# for the bundled example.
program=incremental-classifier/incremental-classifier
STORED=$SCRATCH/stored
"$FUZZ_BUILD/$program" -i="$SOURCE/examples/anatomy.krss" -o="$STORED.body" -h="$STORED.header" \
    -v="$STORED.map" 2>/dev/null
cat "$STORED.header" "$STORED.body" >"$STORED.encoding"
arguments=(-io=@@ -iv="$STORED.map" -j="$SOURCE/examples/anatomy-increment.krss"
           -q="$SOURCE/examples/anatomy-increment.queries" -m -o="$SCRATCH/encoding" -h="$SCRATCH/header"
           -v="$SCRATCH/map")
dictionary=dimacs-encoding.dict
seeds=("$STORED.encoding" "$SOURCE"/examples/*.encoding)

hostile_inputs() {
    { printf 'c axioms 5 deduced 3\np cnf 6 8\n-1 '; repeat 9 1048576; printf ' 0\n'; } >"$1/megabyte-number"
    printf 'c axioms 5 deduced 3\np cnf 99999999999999999999 8\n-1 0\n' >"$1/problem-beyond-int"
    printf 'c axioms 5 deduced 3\np cnf 6 8\n-1 -2147483649 0\n' >"$1/literal-beyond-int"
    head -c -3 "$STORED.encoding" >"$1/truncated"
    sed -n '/^p cnf/,$p' "$STORED.encoding" >"$1/without-header"
    # Clauses over a variable that the map does not name.
    { cat "$STORED.encoding"; printf '%s 0\n' 999; } | awk '/^p cnf/ { $3 = 999; $4 += 1 } { print }' >"$1/mismatched"
}
