# The normalisation map the pinpoint-encoder reads with -v to name the
# queries' concepts, over the chain's encoding and pinpointing information.
program=pinpoint-encoder/pinpoint-encoder
arguments=(-m -v=@@ -i="$SOURCE/examples/chain.encoding" -p="$SOURCE/examples/chain.pinpointing"
           -q="$SOURCE/examples/chain.queries" -h="$SCRATCH/header" -a="$SCRATCH/axioms")
dictionary=normalization-map.dict
seeds=("$SOURCE"/examples/*.map)

hostile_inputs() {
    { printf 'A '; repeat 9 1048576; printf '\n'; } >"$1/megabyte-number"
    { printf '*bottom* 1\n*top* 2\n'; repeat A 1048576; printf ' 3\n'; } >"$1/valid-megabyte-name"
    { printf '(some r '; repeat '(some r ' 100000; printf 'B'; repeat ')' 100001; printf ' 4\n'; } >"$1/deep-nesting"
    printf '*bottom* 1\n*top* 2\nA 99999999999999999999\n' >"$1/number-beyond-int"
    printf '*bottom* 1\n*top* 2\nA' >"$1/truncated"
}
