# The pinpointing information the pinpoint-encoder reads with -p, over the
# chain's encoding, answering its queries with the in-process solver.
program=pinpoint-encoder/pinpoint-encoder
arguments=(-m -p=@@ -i="$SOURCE/examples/chain.encoding" -q="$SOURCE/examples/chain.queries"
           -v="$SOURCE/examples/chain.map" -h="$SCRATCH/header" -a="$SCRATCH/axioms")
dictionary=pinpointing-info.dict
seeds=("$SOURCE"/examples/*.pinpointing)

hostile_inputs() {
    { repeat 9 1048576; printf ' 3 1 1 A\n'; } >"$1/megabyte-number"
    printf '2 3 1 99999999999999999999 A\n' >"$1/number-beyond-int"
    printf '2 3 1 1 A\n2 2 2' >"$1/truncated"
    printf '2 3 1 1 X\n' >"$1/unknown-kind"
}
