# The increment the incremental classifier reads with -j, classified on top
# of the bundled example and answering its complex queries with the
# in-process solver, with the normalisation map of both encodings written.
program=incremental-classifier/incremental-classifier
arguments=(-i="$SOURCE/examples/anatomy.krss" -j=@@ -q="$SOURCE/examples/anatomy-increment.queries" -m
           -o="$SCRATCH/encoding" -h="$SCRATCH/header" -v="$SCRATCH/map" -n="$SCRATCH/normalization")
dictionary=krss.dict
seeds=("$SOURCE"/examples/*.krss "$HEADS"/*.krss)

hostile_inputs() {
    { printf '(implies '; repeat A 1048576; printf ' Finger)\n'; } >"$1/valid-megabyte-name"
    { printf '(implies A '; repeat '(some r ' 100000; printf 'B'; repeat ')' 100000; printf ')\n'; } >"$1/deep-nesting"
    printf '(implies Thumb Finger)\n(implies Fracture (some' >"$1/truncated"
    printf '(implies Thumb Finger))\n' >"$1/unbalanced"
    printf '(transitive (compose r s))\n' >"$1/mismatched"
}
