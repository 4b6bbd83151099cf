#!/usr/bin/env bash
# MinA enumeration times on the classifier's encodings of the shared
# ontologies: for each ontology the classifier writes the pinpointing
# encoding, its assumption list and its deductions table once; a fixed sample
# of derived subsumptions (the same on every run) is then asked as negative
# literal queries, with and without the cone of influence, and the MinA
# counts of the two runs are compared. Times are the pinpointer's own user
# CPU seconds (its LOADING and TOTAL TIME lines).
#
# usage: bash bench/pinpointer.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository (default: a Release tree in
#              /tmp/korvane-bench-build, configured and built when needed)
# environment: ONTOLOGIES (names under shared/data/ontologies without .krss,
#              default "pizza not-galen plana-full el-galen"), QUERIES (sample
#              size per ontology, default 20), LIMIT (MinAs per query, 0 = all,
#              default 0), TIMEOUT (seconds per pinpointer run, default 600)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-build}
data=$root/../shared/data/ontologies
ontologies=${ONTOLOGIES:-pizza not-galen plana-full el-galen}
queries=${QUERIES:-20}
limit=${LIMIT:-0}
limit_seconds=${TIMEOUT:-600}

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF >/dev/null || exit 1
fi
if ! ninja -C "$build" -t targets all 2>/dev/null | grep -q '^classifier:'; then
    echo "the classifier is not part of this build yet; nothing to measure" >&2
    exit 1
fi
ninja -C "$build" classifier pinpointer >/dev/null || exit 1
classifier=$(find "$build" -type f -name classifier -perm -u+x | head -n 1)
pinpointer=$build/pinpointer/pinpointer

work=$(mktemp -d /tmp/korvane-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

# The value of a timing line of the pinpointer's standard error ("nan" when
# the run ended without it).
timing() {
    local value
    value=$(awk -v name="$1" -F': ' '$1 == name " (CPU-sec)" { print $2 }' "$2" | tail -n 1)
    echo "${value:-nan}"
}

# Number of MinAs a run found (each is printed once, on its "MinA AXIOMS:"
# line, as it is found; with LIMIT=1 there is no results block).
mina_count() { grep -c '^MinA AXIOMS: ' "$1"; }

printf '%-12s %9s %9s %7s %9s %9s %7s %9s %9s %7s\n' ontology selectors clauses asked \
    load_s total_s minas cone_load cone_tot c_minas
for name in $ontologies; do
    krss=$data/$name.krss
    if [ ! -f "$krss" ]; then
        echo "$name: no $krss" >&2
        continue
    fi
    dir=$work/$name
    mkdir -p "$dir"
    if ! "$classifier" -i="$krss" -o="$dir/body" -h="$dir/header" -p="$dir/assumptions" -z="$dir/table" \
        >/dev/null 2>"$dir/classifier.err"; then
        echo "$name: the classifier failed (see its messages below)" >&2
        cat "$dir/classifier.err" >&2
        continue
    fi
    selectors=$(wc -l <"$dir/assumptions")
    clauses=$(grep -c ' 0$' "$dir/body")
    # Derived subsumptions are numbered after the selectors; a fixed seed
    # keeps the sample the same from run to run.
    awk -v k="$selectors" '$1 + 0 > k { print $1 }' "$dir/table" |
        awk -v n="$queries" 'BEGIN { srand(17) } { line[NR] = $0 }
            END { for (i = NR; i > 1; i--) { j = int(rand() * i) + 1; t = line[i]; line[i] = line[j]; line[j] = t }
                  for (i = 1; i <= n && i <= NR; i++) print "-" line[i] }' >"$dir/queries"
    asked=$(wc -l <"$dir/queries")

    extra=()
    [ "$limit" -gt 0 ] && extra+=("-s=$limit")
    timeout "$limit_seconds" "$pinpointer" -a="$dir/assumptions" -i="$dir/body" -q="$dir/queries" -v=1 "${extra[@]}" \
        >"$dir/plain.out" 2>"$dir/plain.err"
    plain_status=$?
    timeout "$limit_seconds" "$pinpointer" -a="$dir/assumptions" -i="$dir/body" -q="$dir/queries" -v=1 -c \
        "${extra[@]}" >"$dir/cone.out" 2>"$dir/cone.err"
    cone_status=$?

    plain_minas=$(mina_count "$dir/plain.out")
    cone_minas=$(mina_count "$dir/cone.out")
    [ $plain_status -ne 0 ] && plain_minas="rc$plain_status"
    [ $cone_status -ne 0 ] && cone_minas="rc$cone_status"
    printf '%-12s %9d %9d %7d %9.4f %9.4f %7s %9.4f %9.4f %7s\n' "$name" "$selectors" "$clauses" "$asked" \
        "$(timing LOADING "$dir/plain.err")" "$(timing 'TOTAL TIME' "$dir/plain.err")" "$plain_minas" \
        "$(timing LOADING "$dir/cone.err")" "$(timing 'TOTAL TIME' "$dir/cone.err")" "$cone_minas"
    if [ "$plain_minas" != "$cone_minas" ]; then
        echo "$name: the cone of influence changed the number of MinAs" >&2
    fi
done
