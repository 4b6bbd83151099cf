#!/usr/bin/env bash
# The classifier's and the pinpointer's output files on the shared ontologies,
# as SHA-256 digests, compared with the digests recorded in a file: a change
# to how the code is arranged must leave every output byte for byte as it was.
#
# Each ontology runs under option sets that together write every output file:
#   pinpoint   -p=FILE -s -a -z -n -v -d   encoding, header, assumption list,
#                                          axiom dump, deductions table,
#                                          normalisation listing and map,
#                                          debug listing
#   original   -p=FILE -s -g -z            the three original-axiom tables
#   unpinned   -s -z -v                    encoding without selectors
#   unencoded  -p -z                       no subsumption encoding
#   complete   -x -p=FILE -s -z -a         complex concepts started too
#                                          (no encoding, see below)
#   without-r  -r -p=FILE -s -z -a         role axioms left out
#   without-c  -c -p=FILE -s -z -a         no new existentials
#   asked      -m -q                       answers of the in-process solver
#   asked-g    -m -g -q                    the same with input-axiom selectors
#   dimacs     -q                          queries appended to the encoding
#   pinpointer -c / -s                     MinAs of the asked subsumptions on
#                                          the encoding of "pinpoint"
# and the incremental classifier on a split of the ontology (every tenth
# axiom is the increment, the rest is classified first):
#   increment  -i=REST -j=INC -v           encoding, header and map after the
#                                          increment
#   reload     -io -iv -j=INC -v           the same from the stored encoding
#                                          and map of the rest
#   reload-asked -io -iv -q -m             answers to queries naming complex
#                                          concepts after a reload
#   reload-dimacs -io -iv -q               those queries appended to the
#                                          reloaded encoding
# The normalisation map and the deductions table list concepts in the order of
# the model's sets, which is one order on every build and allocator: they are
# compared as written. The sorted forms of the maps and of the -x deductions
# table, kept from when that order followed heap addresses, stay beside them.
# The debug listing is compared sorted, without its timing lines.
# The reloads read the stored map with its lines sorted: a reader must not
# depend on the order in which the map lists its lines.
#
# usage: output_digests.sh CLASSIFIER PINPOINTER INCREMENTAL DIGESTS ONTOLOGY...
#   compares with the lines of DIGESTS recorded for these ontologies; with
#   RECORD=1 in the environment replaces those lines instead. An ontology is
#   a .krss file; its digests are keyed by its file name. The test command
#   runs the smaller shared ontologies; el-galen and go-basic are checked by
#   hand (scripts/output-digests.sh).

set -u

classifier=$1
pinpointer=$2
incremental=$3
digests=$4
shift 4

work=$(mktemp -d /tmp/korvane-digests-XXXXXX)
trap 'rm -rf "$work"' EXIT
actual=$work/actual
: >"$actual"

digest() { sha256sum | cut -d' ' -f1; }

# note ONTOLOGY SET NAME < CONTENT
note() { echo "$1 $2 $3 $(digest)" >>"$actual"; }

# note_file ONTOLOGY SET NAME PATH: the file's digest, or that it is missing.
note_file() {
    if [ -f "$4" ]; then
        note "$1" "$2" "$3" <"$4"
    else
        echo "$1 $2 $3 missing" >>"$actual"
    fi
}

# run ONTOLOGY SET ARGS...: the classifier (or, with PROGRAM set, that
# program) with its stdout kept; a failed run is noted as such.
run() {
    local name=$1 set=$2
    shift 2
    "${PROGRAM:-$classifier}" "$@" >"$work/stdout" 2>"$work/stderr"
    local status=$?
    [ "$status" = 0 ] || { echo "$name $set status-$status" >>"$actual"; [ -n "${KEEP:-}" ] && cp "$work/stderr" "$KEEP.$name.$set"; }
}

for krss in "$@"; do
    name=$(basename "$krss")
    d=$work/$name
    mkdir -p "$d"

    run "$name" pinpoint -i="$krss" -o="$d/p.cnf" -h="$d/p.header" -p="$d/p.assumptions" -s -a="$d/p.axioms" \
        -z="$d/p.deductions" -n="$d/p.normalisation" -v="$d/p.map" -d="$d/p.debug"
    for f in cnf header assumptions axioms deductions normalisation; do
        note_file "$name" pinpoint "$f" "$d/p.$f"
    done
    note_file "$name" pinpoint map "$d/p.map"
    LC_ALL=C sort "$d/p.map" | note "$name" pinpoint map-sorted
    grep -av 'CPU-sec' "$d/p.debug" | LC_ALL=C sort | note "$name" pinpoint debug-sorted
    note_file "$name" pinpoint stdout "$work/stdout"

    run "$name" original -i="$krss" -o="$d/g.cnf" -h="$d/g.header" -p="$d/g.assumptions" -s -g -z="$d/g.deductions"
    for f in cnf header assumptions deductions deductions.gci deductions.ri deductions.map; do
        note_file "$name" original "$f" "$d/g.$f"
    done

    run "$name" unpinned -i="$krss" -o="$d/u.cnf" -h="$d/u.header" -s -z="$d/u.deductions" -v="$d/u.map"
    for f in cnf header deductions; do
        note_file "$name" unpinned "$f" "$d/u.$f"
    done
    note_file "$name" unpinned map "$d/u.map"
    LC_ALL=C sort "$d/u.map" | note "$name" unpinned map-sorted

    run "$name" unencoded -i="$krss" -o="$d/n.cnf" -h="$d/n.header" -p -z="$d/n.deductions"
    for f in cnf header deductions; do
        note_file "$name" unencoded "$f" "$d/n.$f"
    done

    run "$name" complete -i="$krss" -x -o="$d/x.cnf" -h="$d/x.header" -p="$d/x.assumptions" -s \
        -z="$d/x.deductions" -a="$d/x.axioms"
    for f in cnf header assumptions axioms deductions; do
        note_file "$name" complete "$f" "$d/x.$f"
    done
    cut -d' ' -f2- "$d/x.deductions" | LC_ALL=C sort | note "$name" complete deductions-unnumbered-sorted

    for set in r c; do
        run "$name" "without-$set" -i="$krss" -$set -o="$d/$set.cnf" -h="$d/$set.header" -p="$d/$set.assumptions" -s \
            -z="$d/$set.deductions" -a="$d/$set.axioms"
        for f in cnf header assumptions deductions axioms; do
            note_file "$name" "without-$set" "$f" "$d/$set.$f"
        done
    done

    # Queries: derived subsumptions between names in the deductions table
    # (every seventh, at most 12; derived ones have variables beyond the
    # selectors) and the same pairs reversed.
    selectors=$(wc -l <"$d/p.assumptions")
    awk -v selectors="$selectors" 'NF == 5 && $2 == "(implies" && $5 == ")" && $1 > selectors &&
             $3 !~ /[()*|]/ && $4 !~ /[()*|]/ && ++n % 7 == 0 { print $1, $3, $4 }' "$d/p.deductions" |
        head -n 12 >"$d/picked"
    awk '{ print "(subsumes? " $3 " " $2 ")"; print "(subsumes? " $2 " " $3 ")" }' "$d/picked" >"$d/queries"
    awk '{ print "-" $1 }' "$d/picked" | head -n 4 >"$d/literals"

    run "$name" asked -i="$krss" -q="$d/queries" -m -o=/dev/null -h=/dev/null
    note_file "$name" asked stdout "$work/stdout"
    run "$name" asked-g -i="$krss" -q="$d/queries" -m -g -o=/dev/null -h=/dev/null
    note_file "$name" asked-g stdout "$work/stdout"
    run "$name" dimacs -i="$krss" -q="$d/queries" -o="$d/q.cnf" -h="$d/q.header"
    note_file "$name" dimacs cnf "$d/q.cnf"
    note_file "$name" dimacs header "$d/q.header"
    note_file "$name" dimacs stdout "$work/stdout"

    if [ -s "$d/literals" ]; then
        "$pinpointer" -a="$d/p.assumptions" -i="$d/p.cnf" -q="$d/literals" -c -s=3 >"$d/pp.out" 2>/dev/null
        echo "status $?" >>"$d/pp.out"
        note_file "$name" pinpointer stdout "$d/pp.out"
    fi

    # The incremental classifier: every tenth axiom added to the rest, with
    # and without a reload of the rest's stored encoding.
    awk -v rest="$d/rest.krss" -v inc="$d/inc.krss" \
        'substr($0, 1, 1) == "(" && ++n % 10 == 0 { print > inc; next } { print > rest }' "$krss"
    [ -f "$d/inc.krss" ] || : >"$d/inc.krss"
    PROGRAM=$incremental run "$name" increment -i="$d/rest.krss" -j="$d/inc.krss" -o="$d/i.cnf" -h="$d/i.header" \
        -v="$d/i.map"
    PROGRAM=$incremental run "$name" store -i="$d/rest.krss" -o="$d/s.body" -h="$d/s.header" -v="$d/s.map"
    cat "$d/s.header" "$d/s.body" >"$d/s.encoding" 2>/dev/null
    LC_ALL=C sort "$d/s.map" >"$d/s.sorted" 2>/dev/null
    PROGRAM=$incremental run "$name" reload -io="$d/s.encoding" -iv="$d/s.sorted" -j="$d/inc.krss" -o="$d/r.cnf" \
        -h="$d/r.header" -v="$d/r.map"
    for set in i r; do
        [ $set = i ] && label=increment || label=reload
        note_file "$name" $label cnf "$d/$set.cnf"
        note_file "$name" $label header "$d/$set.header"
        note_file "$name" $label map "$d/$set.map"
        LC_ALL=C sort "$d/$set.map" 2>/dev/null | note "$name" $label map-sorted
    done
    # Queries that name complex concepts over the first names of the map and
    # a role of the rest, and the pairs picked above.
    awk 'NF == 2 && $1 !~ /[()*|#]/ { print $1; if (++n == 2) exit }' "$d/s.sorted" >"$d/names"
    role=$(grep -o '(some [^ ()]*' "$d/rest.krss" | head -1 | awk '{ print $2 }')
    if [ -n "$role" ] && [ "$(wc -l <"$d/names")" = 2 ]; then
        { read -r a; read -r b; } <"$d/names"
        {
            echo "(subsumes? (and $a (some $role $a)) $a)"
            echo "(subsumes? (some $role (and $a $b)) (some $role $a))"
            echo "(subsumes? $b (and $a (some $role $b)))"
            cat "$d/queries"
        } >"$d/complex"
        PROGRAM=$incremental run "$name" reload-asked -io="$d/s.encoding" -iv="$d/s.sorted" -q="$d/complex" -m \
            -o=/dev/null -h=/dev/null
        note_file "$name" reload-asked stdout "$work/stdout"
        PROGRAM=$incremental run "$name" reload-dimacs -io="$d/s.encoding" -iv="$d/s.sorted" -q="$d/complex" \
            -o="$d/rq.cnf" -h="$d/rq.header"
        note_file "$name" reload-dimacs cnf "$d/rq.cnf"
        note_file "$name" reload-dimacs header "$d/rq.header"
    fi
done

# The recorded lines of the ontologies run here; the others stay as they are.
for krss in "$@"; do basename "$krss"; done >"$work/names"
touch "$digests"
awk 'NR == FNR { run[$1] = 1; next } ($1 in run)' "$work/names" "$digests" >"$work/recorded"

if [ "${RECORD:-0}" = 1 ]; then
    awk 'NR == FNR { run[$1] = 1; next } !($1 in run)' "$work/names" "$digests" | cat - "$actual" >"$work/all"
    cp "$work/all" "$digests"
    echo "recorded $(wc -l <"$actual") digests of $# ontologies in $digests"
    exit 0
fi

sort "$work/recorded" -o "$work/recorded"
sort "$actual" -o "$actual"
if [ -s "$work/recorded" ] && diff "$work/recorded" "$actual" >"$work/diff"; then
    echo "$(wc -l <"$actual") output digests of $# ontologies as recorded"
    echo "1 passed, 0 failed"
    exit 0
fi
echo "output digests that differ from the recorded ones (< recorded, > now):"
cat "$work/diff" 2>/dev/null
echo "0 passed, 1 failed"
exit 1
