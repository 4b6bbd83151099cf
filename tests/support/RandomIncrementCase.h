#ifndef KORVANE_TESTS_SUPPORT_RANDOMINCREMENTCASE_H
#define KORVANE_TESTS_SUPPORT_RANDOMINCREMENTCASE_H

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/ComplexQuerySet.h"
#include "support/IncrementalRoads.h"
#include "support/RandomOntology.h"
#include "support/TextPattern.h"

// A random terminology dealt to a first part and an increment, with queries
// to ask after both: a terminology of RandomOntology, a few axioms more in
// which the top and the bottom concept stand (each on either side, inside
// conjunctions and existentials, and equivalent to a complex concept), every
// axiom dealt to the increment with a drawn share; then queries between
// names (top and bottom and a name of neither part included) and between
// drawn concepts, every third of whose subsumees holds its subsumer among
// its conjuncts. The same queries are also given as names QXi, QYi defined
// in the terminology, which asks them without normalising a query's
// concepts.
class RandomIncrementCase : public RoadCase {
public:
    explicit RandomIncrementCase(uint32_t seed) : rng(seed)
    {
        const RandomOntology ontology(seed, "");
        std::vector<std::string> axioms = ontology.krssAxioms();
        collectNames(ontology.krss());
        for (unsigned k = 1 + pick(4); k > 0; --k)
            axioms.push_back(trivialAxiom());
        const unsigned share = 20 + pick(61);
        for (const std::string& axiom : axioms)
            (pick(100) < share ? increment : first) += axiom + "\n";
        whole = first + increment;
        ComplexQuerySet asked{"Q", {}};
        for (unsigned k = 0; k < 6; ++k)
            asked.pairs.emplace_back(leaf(), leaf());
        for (unsigned k = 1; k <= 6; ++k) {
            const std::string c = concept(3);
            const std::string d = concept(3);
            asked.pairs.emplace_back(c, k % 3 == 0 ? "(and " + d + " " + c + ")" : d);
        }
        queries = asked.queries();
        defined = whole + asked.definitions();
        definedQueries = asked.namedQueries();
    }

private:
    void collectNames(const std::string& krss)
    {
        static const TextPattern name("\\b([Cr])[0-9]+\\b");
        std::set<std::string> seen;
        for (const TextPattern::Occurrence& m : name.occurrences(krss))
            if (seen.insert(m.groups[0]).second)
                (m.groups[1] == "C" ? names : roles).push_back(m.groups[0]);
        if (names.empty())
            names.push_back("C0");
        if (roles.empty())
            roles.push_back("r0");
        // A name that no axiom has.
        names.push_back("N");
    }

    unsigned pick(std::size_t n) { return static_cast<unsigned>(rng() % n); }

    std::string leaf()
    {
        if (pick(100) < 25)
            return pick(2) == 0 ? "*top*" : "*bottom*";
        return names[pick(names.size())];
    }

    std::string concept(unsigned depth)
    {
        const unsigned roll = pick(100);
        if (depth == 0 || roll < 35)
            return leaf();
        if (roll < 65) {
            std::string c = "(and";
            for (unsigned k = 2 + pick(2); k > 0; --k)
                c += " " + concept(depth - 1);
            return c + ")";
        }
        return "(some " + roles[pick(roles.size())] + " " + concept(depth - 1) + ")";
    }

    std::string trivialAxiom()
    {
        const std::string c = concept(2);
        switch (pick(6)) {
        case 0:
            return "(implies " + c + " *bottom*)";
        case 5:
            return "(implies " + names[pick(names.size())] + " *bottom*)";
        case 1:
            return "(equivalent " + c + " *bottom*)";
        case 2:
            return "(implies *top* " + c + ")";
        case 3:
            return "(implies *bottom* " + c + ")";
        default:
            return "(implies " + c + " " + concept(2) + ")";
        }
    }

    std::mt19937 rng;
    std::vector<std::string> names;
    std::vector<std::string> roles;
};

#endif
