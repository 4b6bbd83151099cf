# The simple-query language on standard input (the classifier's bare -q),
# with the seeds, dictionary and hostile inputs of the query file.
. "$FUZZ_HARNESSES/simple-query.sh"
arguments=(-i="$SOURCE/examples/anatomy.krss" -q -m -o="$SCRATCH/encoding" -h="$SCRATCH/header")
