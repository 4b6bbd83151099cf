# The axioms information that the pinpoint-encoder writes with -a, read back
# by its reader (which no program runs) through the test-only reader driver.
program=tests/fuzz/drivers/reader-driver
arguments=(axioms-information @@)
dictionary=axioms-info.dict
seeds=("$WRITTEN/chain.axioms" "$WRITTEN/chain-original.axioms" "$WRITTEN/existential-lost.axioms")

hostile_inputs() {
    { printf '1 1 1 '; repeat 9 1048576; printf ' N\n'; } >"$1/megabyte-number"
    printf '16777217 1 1 10 N\n' >"$1/index-past-the-bound"
    printf '1 99999999999999999999 1 10 O\n' >"$1/number-beyond-64-bits"
    printf '2 2 2 10 N\n1 11 0\n2 12' >"$1/truncated"
    printf '2 2 2 10 N\n0 0 0\n' >"$1/lost-premise-without-variable"
    printf '16777216 1 1 10 N\n16777216 11 0\n' >"$1/valid-largest-index"
    { printf '100000 1 1 10 N\n'; awk 'BEGIN { for (k = 100000; k > 0; k--) printf "%d %d 0\n", k, k + 10 }'; } \
        >"$1/valid-lines-in-descending-order"
    { printf '1 1 1 10 N\n'; awk 'BEGIN { for (v = 11; v < 100011; v++) printf "0 %d 0\n", v }'; } \
        >"$1/valid-many-lost-premises"
}
