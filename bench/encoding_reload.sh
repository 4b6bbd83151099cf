#!/usr/bin/env bash
# The reload of a stored encoding with its normalisation map against the
# classification of the same ontology from its file (CPU seconds, best of 3):
# the classification side is parse + normalisation + classification, the
# reload side is the parse of the encoding + the parse of the map + the
# rebuild; then the reload's checks on the same ontologies: the rebuilt
# terminology encodes the stored clauses, and four fifths stored, rebuilt and
# completed by the rest as an increment derive what one classification of
# the whole derives (subsumptions between names missing / beyond), and what
# the same increment derives without a reload (the last two columns).
#   bash bench/encoding_reload.sh [BUILD_DIR]
# environment: ONTOLOGIES (names under data/ontologies/ without .krss;
#              default: el-galen go-basic-2022-07)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
. scripts/lib/ontologies.sh
data=$(ontologies_dir "$build")
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" bench_encoding_reload >/dev/null
tool=$build/bench/bench_encoding_reload
ontologies=${ONTOLOGIES:-el-galen go-basic-2022-07}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

best() {
    # The smallest first field of three runs of the command, with the rest
    # of that run's line.
    local result="" line
    for _ in 1 2 3; do
        line=$("$@")
        if [ -z "$result" ] || awk -v a="${line%%$'\t'*}" -v b="${result%%$'\t'*}" 'BEGIN { exit !(a < b) }'; then
            result=$line
        fi
    done
    printf '%s\n' "$result"
}

classify_total() {
    read -r p n c e clauses <<<"$("$tool" store "$1" "$scratch/encoding" "$scratch/map")"
    printf '%s\t%s\t%s\t%s\t%s\n' "$(awk -v p="$p" -v n="$n" -v c="$c" 'BEGIN { printf "%.3f", p + n + c }')" \
        "$p" "$n" "$c" "$clauses"
}

reload_total() {
    read -r e m r subsumptions <<<"$("$tool" reload "$scratch/encoding" "$scratch/map")"
    printf '%s\t%s\t%s\t%s\t%s\n' "$(awk -v e="$e" -v m="$m" -v r="$r" 'BEGIN { printf "%.3f", e + m + r }')" \
        "$e" "$m" "$r" "$subsumptions"
}

printf '%-18s %9s %9s %9s %9s %9s %9s %9s %9s %9s %7s\n' ontology parse_s norm_s class_s class_tot enc_parse \
    map_parse rebuild_s reload_tot clauses faster
for name in $ontologies; do
    f=$data/$name.krss
    [ -f "$f" ] || continue
    read -r ct p n c clauses <<<"$(best classify_total "$f")"
    read -r rt e m r _ <<<"$(best reload_total)"
    faster=$(awk -v a="$rt" -v b="$ct" 'BEGIN { print (a < b) ? "yes" : "no" }')
    printf '%-18s %9s %9s %9s %9s %9s %9s %9s %9s %9s %7s\n' "$name" "$p" "$n" "$c" "$ct" "$e" "$m" "$r" "$rt" \
        "$clauses" "$faster"
done

echo
echo "reload checks: stored clauses encoded again; an increment of a fifth after the reload"
printf '%-18s %9s %12s %12s %12s %14s %14s\n' ontology clauses same_clauses missing beyond missing_vs_inc beyond_vs_inc
for name in $ontologies; do
    f=$data/$name.krss
    [ -f "$f" ] || continue
    read -r clauses same missing beyond missing_nr beyond_nr <<<"$("$tool" check "$f")"
    printf '%-18s %9s %12s %12s %12s %14s %14s\n' "$name" "$clauses" "$same" "$missing" "$beyond" "$missing_nr" \
        "$beyond_nr"
done
