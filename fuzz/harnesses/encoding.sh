# The encoding the pinpointer reads with -i (clause lines, problem and
# comment lines), over the classifier's assumption list and queries.
program=pinpointer/pinpointer
arguments=(-a="$WRITTEN/anatomy.assumptions" -i=@@ -q="$WRITTEN/anatomy.pinpoint-queries")
dictionary=numbers.dict
seeds=("$WRITTEN/anatomy.encoding" "$WRITTEN/anatomy.header-and-encoding")

hostile_inputs() {
    { printf '1 '; repeat 9 1048576; printf ' 0\n'; } >"$1/megabyte-number"
    printf 'p cnf 99999999999999999999 1\n1 0\n' >"$1/problem-beyond-int"
    printf '1 -2147483649 0\n' >"$1/literal-beyond-int"
    printf '1 2 3' >"$1/truncated"
    printf 'p cnf 2 1\n1 3 0\n' >"$1/mismatched"
}
