# The simple queries the pinpoint-encoder reads with -q, answered by the
# in-process solver over the chain's encoding, pinpointing information and
# normalisation map.
program=pinpoint-encoder/pinpoint-encoder
arguments=(-m -q=@@ -i="$SOURCE/examples/chain.encoding" -p="$SOURCE/examples/chain.pinpointing"
           -v="$SOURCE/examples/chain.map" -h="$SCRATCH/header" -a="$SCRATCH/axioms")
dictionary=simple-query.dict
seeds=("$SOURCE"/examples/*.queries)

hostile_inputs() {
    { printf '(subsumes? '; repeat A 1048576; printf ' B)\n'; } >"$1/megabyte-name"
    { repeat '(' 100000; printf 'subsumes? A B'; repeat ')' 100000; printf '\n'; } >"$1/deep-nesting"
    printf '(subsumes? D A)\n(subsumes? D' >"$1/truncated"
    printf '(subsumes? D A B)\n' >"$1/mismatched"
}
