# The simple-query language, as the classifier reads it with -q, answered by
# the in-process solver over the bundled example.
program=classifier/classifier
arguments=(-i="$SOURCE/examples/anatomy.krss" -q=@@ -m -o="$SCRATCH/encoding" -h="$SCRATCH/header")
dictionary=simple-query.dict
seeds=("$SOURCE"/examples/*.queries)

hostile_inputs() {
    { printf '(subsumes? '; repeat A 1048576; printf ' Finger)\n'; } >"$1/megabyte-name"
    { printf '(subsumes? Limb '; repeat A 1048576; } >"$1/megabyte-name-truncated"
    { repeat '(' 100000; printf 'subsumes? Limb Finger'; repeat ')' 100000; printf '\n'; } >"$1/deep-nesting"
    printf '(subsumes? Limb Finger)\n(subsumes? Limb' >"$1/truncated"
    printf '(subsumes? Limb Finger Hand)\n' >"$1/mismatched"
}
