# The ontology language, as the classifier reads it with -i, with every
# output file the classifier can write.
program=classifier/classifier
arguments=(-i=@@ -o="$SCRATCH/encoding" -h="$SCRATCH/header" -p="$SCRATCH/assumptions" -a="$SCRATCH/axioms"
           -z="$SCRATCH/deductions" -n="$SCRATCH/normalization" -v="$SCRATCH/map")
dictionary=krss.dict
seeds=("$SOURCE"/examples/*.krss "$HEADS"/*.krss)

hostile_inputs() {
    { printf '(implies '; repeat A 1048576; printf ' B)\n'; } >"$1/valid-megabyte-name"
    { printf '(implies '; repeat A 1048576; } >"$1/megabyte-name-truncated"
    { printf '(implies A '; repeat '(some r ' 3000; printf 'B'; repeat ')' 3000; printf ')\n'; } >"$1/valid-nesting"
    { printf '(implies A '; repeat '(some r ' 100000; printf 'B'; repeat ')' 100000; printf ')\n'; } >"$1/deep-nesting"
    { printf '(implies A '; repeat '(and B ' 100000; printf 'C'; repeat ')' 100000; printf ')\n'; } >"$1/deep-conjunction"
    printf '(implies A B)\n(equivalent C (some r' >"$1/truncated"
    printf '(implies A B))\n' >"$1/unbalanced"
    printf '(transitive (compose r s))\n' >"$1/mismatched"
}
