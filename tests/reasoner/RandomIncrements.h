#ifndef KORVANE_TESTS_REASONER_RANDOMINCREMENTS_H
#define KORVANE_TESTS_REASONER_RANDOMINCREMENTS_H

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/RandomOntology.h"

// A random terminology of 12 to 35 axioms, its names prefixed, shuffled and
// cut into a first part of half its axioms and increments of the others
// (some of one axiom): between fewest and fewest + 2 parts in all. trace
// gets the seed and the parts, for a failure's message. shape: what the
// terminology is drawn from, its number of axioms aside.
inline std::vector<std::string> randomIncrements(unsigned seed, const std::string& prefix, std::size_t fewest,
                                                 std::string& trace, RandomOntologyShape shape = {})
{
    shape.axiomsAtLeast = 12;
    shape.axiomsSpread = 24;
    RandomOntology ontology(seed, prefix + std::to_string(seed) + "_", shape);
    std::vector<std::string> axioms = ontology.krssAxioms();
    std::mt19937 draw(seed);
    std::shuffle(axioms.begin(), axioms.end(), draw);
    std::vector<std::string> parts(fewest + draw() % 3);
    for (std::size_t i = 0; i < axioms.size(); ++i)
        parts[i < axioms.size() / 2 ? 0 : 1 + draw() % (parts.size() - 1)] += axioms[i] + "\n";
    trace = "seed " + std::to_string(seed);
    for (const std::string& part : parts)
        trace += "\n-- part:\n" + part;
    return parts;
}

#endif
