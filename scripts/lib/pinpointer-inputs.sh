# The classifier's files for the pinpointer, for one ontology file.
# Usage: classify_for_pinpointer CLASSIFIER KRSS DIR [OPTION...]
# Writes DIR/body (the encoding's clause lines), DIR/header, DIR/assumptions
# and DIR/table (the deductions table), passing the further classifier
# options on; when the file is missing or the classifier fails, says so
# (with the classifier's messages) and returns 1.

classify_for_pinpointer() {
    local classifier=$1 krss=$2 dir=$3 name
    shift 3
    name=$(basename "$krss" .krss)
    if [ ! -f "$krss" ]; then
        echo "$name: no $krss" >&2
        return 1
    fi
    mkdir -p "$dir"
    if ! "$classifier" -i="$krss" -o="$dir/body" -h="$dir/header" -p="$dir/assumptions" -z="$dir/table" "$@" \
        >/dev/null 2>"$dir/classifier.err"; then
        echo "$name: the classifier failed (see its messages below)" >&2
        cat "$dir/classifier.err" >&2
        return 1
    fi
}
