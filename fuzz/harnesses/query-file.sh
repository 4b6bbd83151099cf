# The query file the pinpointer reads with -q, over the classifier's
# encoding and assumption list.
program=pinpointer/pinpointer
arguments=(-a="$WRITTEN/anatomy.assumptions" -i="$WRITTEN/anatomy.encoding" -q=@@)
dictionary=numbers.dict
seeds=("$WRITTEN/anatomy.pinpoint-queries")

hostile_inputs() {
    { repeat 9 1048576; printf '\n'; } >"$1/megabyte-number"
    printf '21\n-99999999999999999999\n' >"$1/number-beyond-int"
    printf '21\n0\n' >"$1/zero"
    printf '21\n2-' >"$1/truncated"
}
