# The module file the pinpointer reads with -m, under the cone of influence,
# over the classifier's encoding, assumption list and queries.
program=pinpointer/pinpointer
arguments=(-a="$WRITTEN/anatomy.assumptions" -i="$WRITTEN/anatomy.encoding" -q="$WRITTEN/anatomy.pinpoint-queries" -c
           -m=@@)
dictionary=numbers.dict
seeds=("$WRITTEN/anatomy.assumptions" "$WRITTEN/anatomy.pinpoint-queries")

hostile_inputs() {
    { repeat 9 1048576; printf '\n'; } >"$1/megabyte-number"
    printf '1 2 99999999999999999999\n' >"$1/number-beyond-int"
    printf '1 2 x\n' >"$1/not-a-number"
}
