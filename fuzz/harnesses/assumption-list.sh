# The assumption list the pinpointer reads with -a, with the classifier's
# encoding and queries.
program=pinpointer/pinpointer
arguments=(-a=@@ -i="$WRITTEN/anatomy.encoding" -q="$WRITTEN/anatomy.pinpoint-queries")
dictionary=numbers.dict
seeds=("$WRITTEN/anatomy.assumptions")

hostile_inputs() {
    { repeat 9 1048576; printf '\n'; } >"$1/megabyte-number"
    printf '1\n2\n99999999999999999999\n' >"$1/number-beyond-int"
    printf '1\n2\n-3\n' >"$1/negative"
    printf '1\n2\nx' >"$1/truncated"
}
