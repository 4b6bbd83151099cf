#!/usr/bin/env bash
# Writes an ontology made of COPIES disjoint copies of one ontology: copy c
# renames every concept and role name N to N_cC, so the copies share no name
# and classify independently. Reads the project's parenthesised syntax
# (.krss) or OWL functional syntax with names in the default prefix (.ofn).
#
# usage: bash bench/replicate_ontology.sh COPIES FILE.krss|FILE.ofn >OUTPUT
set -euo pipefail

if [ $# -ne 2 ] || ! [ "$1" -ge 1 ] 2>/dev/null || [ ! -f "$2" ]; then
    echo "usage: $0 COPIES FILE.krss|FILE.ofn >OUTPUT" >&2
    exit 1
fi
copies=$1
input=$2

case "$input" in
*.krss)
    # Every identifier that is not a keyword is a name; *top* and *bottom*
    # are left alone, and so are the comment lines.
    for ((c = 1; c <= copies; c++)); do
        perl -ne '
            BEGIN {
                %keyword = map { $_ => 1 } qw(implies define-primitive-concept equivalent define-concept some and
                                              role-inclusion define-primitive-role compose transitive);
            }
            next if /^\s*;;/;
            s{(?<![A-Za-z0-9#./:_*-])([A-Za-z0-9#./:_-]+)(?![A-Za-z0-9#./:_*-])}
             {$keyword{$1} ? $1 : "$1_c'"$c"'"}ge;
            print;
        ' "$input"
    done
    ;;
*.ofn)
    # The prefix lines and the ontology header once, then the axioms of each
    # copy with every name of the default prefix (":N") renamed, then the
    # closing parenthesis.
    awk '/^(Prefix|Ontology)\(/ { print }' "$input"
    for ((c = 1; c <= copies; c++)); do
        perl -ne '
            next if /^(#|Prefix\(|Ontology\(|\)\s*$)/;
            s{(?<=[\s(]):([^\s()]+)}{:$1_c'"$c"'}g;
            print;
        ' "$input"
    done
    echo ")"
    ;;
*)
    echo "$0: $input is neither .krss nor .ofn" >&2
    exit 1
    ;;
esac
