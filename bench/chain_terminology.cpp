// Writes one random terminology rich in chains of three roles, in the
// ontology language, to standard output (bench/chain_classification.sh):
//   bench_chain_terminology KIND SEED
// KIND is one of
//   irregular  30 names and 6 roles, some role axioms picking their roles
//              freely (the role box is then not regular), top as a filler;
//   wide       60 names and 12 roles, some role axioms free;
//   layered    160 names in 8 bands, most concept axioms edges from a name
//              of one band to a name of the next.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/RandomOntology.h"

namespace {

// Short sides, many edges A ⊑ ∃r.B, and chains of three roles in most chains.
RandomOntologyShape chainShape(unsigned concepts, unsigned roles, unsigned axioms)
{
    RandomOntologyShape shape;
    shape.conceptsAtLeast = concepts;
    shape.conceptsSpread = 1;
    shape.rolesAtLeast = roles;
    shape.rolesSpread = 1;
    shape.axiomsAtLeast = axioms;
    shape.axiomsSpread = 1;
    shape.edges = 60;
    shape.roleInclusions = 78;
    shape.chains = 94;
    shape.longChains = 60;
    shape.sideDepthAtLeast = 1;
    shape.sideDepthSpread = 2;
    shape.names = 40;
    shape.conjunctions = 60;
    return shape;
}

}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s irregular|wide|layered SEED\n", argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const auto seed = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    RandomOntologyShape shape;
    if (kind == "irregular") {
        shape = chainShape(30, 6, 200);
        shape.conceptAxioms = 60;
        shape.freeRoleAxioms = 40;
        shape.topFillers = 10;
    } else if (kind == "wide") {
        shape = chainShape(60, 12, 240);
        shape.conceptAxioms = 50;
        shape.freeRoleAxioms = 30;
    } else if (kind == "layered") {
        shape = chainShape(160, 8, 360);
        shape.conceptAxioms = 65;
        shape.edges = 70;
        shape.longChains = 70;
        shape.freeRoleAxioms = 20;
        shape.layers = 8;
    } else {
        std::fprintf(stderr, "unknown kind: %s\n", kind.c_str());
        return 2;
    }
    const RandomOntology ontology(seed, "", shape);
    std::fputs(ontology.krss().c_str(), stdout);
    return 0;
}
