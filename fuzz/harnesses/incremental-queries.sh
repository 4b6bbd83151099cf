# The complex-query file the incremental classifier reads with -q=F, over
# the bundled example classified with its increment, answered by the
# in-process solver; the normalisation listing and map are written after it.
program=incremental-classifier/incremental-classifier
arguments=(-i="$SOURCE/examples/anatomy.krss" -j="$SOURCE/examples/anatomy-increment.krss" -q=@@ -m
           -o="$SCRATCH/encoding" -h="$SCRATCH/header" -v="$SCRATCH/map" -n="$SCRATCH/normalization")
dictionary=simple-query.dict
seeds=("$SOURCE"/examples/*.queries)

hostile_inputs() {
    { printf '(subsumes? '; repeat A 1048576; printf ' Finger)\n'; } >"$1/valid-megabyte-name"
    { printf '(subsumes? Limb '; repeat '(some r ' 100000; printf 'B'; repeat ')' 100000; printf ')\n'; } >"$1/deep-nesting"
    printf '(subsumes? Limb Finger)\n(subsumes? Limb' >"$1/truncated"
    printf '(subsumes? Limb Finger Hand)\n' >"$1/mismatched"
    printf '(implies Limb Finger)\n' >"$1/axiom"
}
