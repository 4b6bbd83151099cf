# The stored normalisation map the incremental classifier reads with -iv,
# over the stored encoding of the same run (see incremental-encoding.sh),
# then an increment and complex queries answered by the in-process solver.
. "$FUZZ_HARNESSES/incremental-encoding.sh"
arguments=(-io="$STORED.encoding" -iv=@@ -j="$SOURCE/examples/anatomy-increment.krss"
           -q="$SOURCE/examples/anatomy-increment.queries" -m -o="$SCRATCH/encoding" -h="$SCRATCH/header"
           -v="$SCRATCH/map")
dictionary=normalization-map.dict
seeds=("$STORED.map")

hostile_inputs() {
    { printf '*bottom* 1\n*top* 2\nA '; repeat 9 1048576; printf '\n'; } >"$1/megabyte-number"
    { printf '(some r '; repeat '(some r ' 100000; printf 'B'; repeat ')' 100001; printf ' 4\n'; } >"$1/deep-nesting"
    printf '*bottom* 1\n*top* 2\nA 99999999999999999999\n' >"$1/number-beyond-int"
    head -c -3 "$STORED.map" >"$1/truncated"
    # A map of another run: a variable beyond the encoding's.
    awk 'END { print "Elsewhere 99999" } { print }' "$STORED.map" >"$1/mismatched"
}
