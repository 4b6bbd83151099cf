# The pinpointer's queries on standard input (its bare -q), where a 0 ends
# them, with the seeds, dictionary and hostile inputs of the query file.
. "$FUZZ_HARNESSES/query-file.sh"
arguments=(-a="$WRITTEN/anatomy.assumptions" -i="$WRITTEN/anatomy.encoding" -q)

eval "query_file_$(declare -f hostile_inputs)"
hostile_inputs() {
    query_file_hostile_inputs "$1"
    mv "$1/zero" "$1/valid-zero"
}
