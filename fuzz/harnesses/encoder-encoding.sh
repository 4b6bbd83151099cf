# The encoding the pinpoint-encoder reads with -i (its header, then its
# clauses), over the chain's pinpointing information, answering its queries
# with the in-process solver.
program=pinpoint-encoder/pinpoint-encoder
arguments=(-m -i=@@ -p="$SOURCE/examples/chain.pinpointing" -q="$SOURCE/examples/chain.queries"
           -v="$SOURCE/examples/chain.map" -h="$SCRATCH/header" -a="$SCRATCH/axioms")
dictionary=dimacs-encoding.dict
seeds=("$SOURCE"/examples/*.encoding)

hostile_inputs() {
    { printf 'c axioms 5 deduced 3\np cnf 6 8\n-1 '; repeat 9 1048576; printf ' 0\n'; } >"$1/megabyte-number"
    printf 'c axioms 5 deduced 3\np cnf 99999999999999999999 8\n-1 0\n' >"$1/problem-beyond-int"
    printf 'c axioms 5 deduced 3\np cnf 6 8\n-1 -2147483649 0\n' >"$1/literal-beyond-int"
    printf 'c axioms 5 deduced 3\np cnf 6 8\n-1 0\n2' >"$1/truncated"
    printf 'p cnf 6 8\n-1 0\n2 0\n' >"$1/without-header"
}
