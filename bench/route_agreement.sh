#!/usr/bin/env bash
# The full sweep of the classifier's two query routes on the shared
# ontologies: the route-agreement test (tests/e2e/RouteAgreementTest.cpp) with
# QUERIES queries on every ontology, el-galen and GO included (the test
# command asks only a few queries on those two). For each query the
# in-process answer must match the deductions table, cadical must agree with
# it on the DIMACS route's CNF, and picosat must find the printed axioms of a
# U answer sufficient.
#
# One row per ontology: the queries asked, the subsumptions among them, the
# disagreements (any check that failed), the wall-clock seconds of the whole
# case (three classifier runs and the solver runs, eight at a time) and the
# test's result.
#
# usage: bash bench/route_agreement.sh [BUILD_DIR]
#   BUILD_DIR  a build tree of this repository with its tests (default: a
#              Release tree in /tmp/korvane-bench-tests-build, configured and
#              built when needed)
# environment: ONTOLOGIES (names under data/ontologies/ without
#              .krss; default: every one the test covers), QUERIES (default
#              200)

set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/korvane-bench-tests-build}
. "$root/scripts/lib/ontologies.sh"
data=$(ontologies_dir "$build") || exit 1
queries=${QUERIES:-200}
if [ -z "${ONTOLOGIES:-}" ]; then
    # pizza-bottom is left out by the test itself.
    ontologies=$(cd "$data" && ls -- *.krss | sed 's/\.krss$//' | grep -vx pizza-bottom)
else
    ontologies=$ONTOLOGIES
fi

for peer in cadical picosat; do
    if ! command -v "$peer" >/dev/null 2>&1; then
        echo "$peer not found (apt-get install $peer)" >&2
        exit 1
    fi
done

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=ON >/dev/null || exit 1
fi
if ! ninja -C "$build" classifier route_agreement_tests >/dev/null; then
    echo "cannot build the classifier and route_agreement_tests in $build (are its tests on?)" >&2
    exit 1
fi
tests=$build/tests/e2e/route_agreement_tests

work=$(mktemp -d /tmp/korvane-routes-XXXXXX)
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }

row_format='%-20s %8s %12s %14s %9s  %s\n'
echo "== route agreement: $queries queries per ontology, checked by cadical and picosat =="
# shellcheck disable=SC2059
printf "$row_format" ontology queries subsumptions disagreements wall_s result
failed=0
for name in $ontologies; do
    if [ ! -f "$data/$name.krss" ]; then
        echo "$name: no $data/$name.krss" >&2
        continue
    fi
    case_name=$(printf '%s' "$name" | tr -c 'A-Za-z0-9' '_')
    begin=$(now)
    KORVANE_ROUTE_QUERIES=$queries "$tests" --gtest_filter="SharedOntologies/RouteAgreement.*/$case_name" \
        >"$work/out" 2>&1
    wall=$(awk -v a="$begin" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }')
    result=failed
    if grep -q '^\[  SKIPPED \]' "$work/out"; then
        result=skipped
    elif grep -q '^\[  PASSED  \] 1 test' "$work/out"; then
        result=passed
    fi
    [ "$result" = failed ] && failed=1
    read -r asked held disagreements < <(awk '/^route agreement on / {
            for (i = 1; i <= NF; i++) {
                if ($(i + 1) ~ /^queries,?$/) q = $i
                if ($(i + 1) ~ /^subsumptions,?$/) s = $i
                if ($(i + 1) ~ /^disagreements/) d = $i
            }
        }
        END { print (q == "" ? "-" : q), (s == "" ? "-" : s), (d == "" ? "-" : d) }' "$work/out")
    # shellcheck disable=SC2059
    printf "$row_format" "$name" "$asked" "$held" "$disagreements" "$wall" "$result"
    if [ "$result" = failed ]; then
        grep -E 'Failure|disagreements, the first|⊑' "$work/out" | head -n 10 | sed 's/^/    /' >&2
    fi
done
exit $failed
