# A stored encoding (header, then clauses) copied by the simple encoding
# reader (which no program runs) into the DIMACS writer, through the
# test-only reader driver.
program=tests/fuzz/drivers/reader-driver
arguments=(simple-encoding @@)
dictionary=dimacs-encoding.dict
seeds=("$SOURCE"/examples/*.encoding "$WRITTEN/anatomy.header-and-encoding")

hostile_inputs() {
    { printf 'p cnf 6 8\n-1 '; repeat 9 1048576; printf ' 0\n'; } >"$1/megabyte-number"
    printf 'p cnf 99999999999999999999 1\n1 0\n' >"$1/problem-beyond-int"
    printf 'p cnf 6 8\n-1 -2147483649 0\n' >"$1/literal-beyond-int"
    printf 'p cnf 6 8\n-1 0\n2' >"$1/truncated"
    printf 'p cnf 2 1\n1 3 0\n' >"$1/variable-past-the-problem-line"
    printf '1 0\n' >"$1/clause-without-problem-line"
    printf 'p cnf 2147483647 1\n-1 2147483647 0\n' >"$1/valid-largest-variable"
}
