#ifndef KORVANE_TESTS_SUPPORT_RANDOMINCREMENTCASE_H
#define KORVANE_TESTS_SUPPORT_RANDOMINCREMENTCASE_H

#include <cstdint>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/RandomOntology.h"

// A random terminology dealt to a first part and an increment, with queries
// to ask after both: a terminology of RandomOntology, a few axioms more in
// which the top and the bottom concept stand (each on either side, inside
// conjunctions and existentials, and equivalent to a complex concept), every
// axiom dealt to the increment with a drawn share; then queries between
// names (top and bottom and a name of neither part included) and between
// drawn concepts, every third of whose subsumees holds its subsumer among
// its conjuncts. The same queries are also given as names defined in the
// terminology, which asks them without normalising a query's concepts.
class RandomIncrementCase {
public:
    explicit RandomIncrementCase(uint32_t seed) : rng(seed)
    {
        const RandomOntology ontology(seed, "");
        std::vector<std::string> axioms = lines(ontology.krss());
        collectNames(ontology.krss());
        for (unsigned k = 1 + pick(4); k > 0; --k)
            axioms.push_back(trivialAxiom());
        const unsigned share = 20 + pick(61);
        for (const std::string& axiom : axioms)
            (pick(100) < share ? increment : first) += axiom + "\n";
        for (unsigned k = 0; k < 6; ++k)
            addQuery(leaf(true), leaf(true));
        for (unsigned k = 1; k <= 6; ++k) {
            const std::string c = concept(3, true);
            const std::string d = concept(3, true);
            addQuery(c, k % 3 == 0 ? "(and " + d + " " + c + ")" : d);
        }
    }

    std::string first;      // the part classified (and stored) first
    std::string increment;  // the rest, one axiom a line
    std::string queries;    // one query file, every query on one line
    std::string whole() const { return first + increment; }
    // The increment dealt to two parts, its odd and its even lines.
    std::string incrementPart(unsigned half) const
    {
        std::string part;
        unsigned k = 0;
        for (const std::string& axiom : lines(increment))
            if (k++ % 2 == half)
                part += axiom + "\n";
        return part;
    }
    // The whole terminology with QXi ≡ C and QYi ≡ D for the i-th query
    // (subsumes? C D), and the queries between those names.
    std::string defined;
    std::string definedQueries;

private:
    static std::vector<std::string> lines(const std::string& text)
    {
        std::vector<std::string> found;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            if (!line.empty())
                found.push_back(line);
        return found;
    }

    void collectNames(const std::string& krss)
    {
        static const std::regex name("\\b([Cr])[0-9]+\\b");
        std::set<std::string> seen;
        for (std::sregex_iterator m(krss.begin(), krss.end(), name), end; m != end; ++m)
            if (seen.insert(m->str()).second)
                ((*m)[1] == "C" ? names : roles).push_back(m->str());
        if (names.empty())
            names.push_back("C0");
        if (roles.empty())
            roles.push_back("r0");
        // A name that no axiom has.
        names.push_back("N");
    }

    unsigned pick(std::size_t n) { return static_cast<unsigned>(rng() % n); }

    std::string leaf(bool trivial)
    {
        if (trivial && pick(100) < 25)
            return pick(2) == 0 ? "*top*" : "*bottom*";
        return names[pick(names.size())];
    }

    std::string concept(unsigned depth, bool trivial)
    {
        const unsigned roll = pick(100);
        if (depth == 0 || roll < 35)
            return leaf(trivial);
        if (roll < 65) {
            std::string c = "(and";
            for (unsigned k = 2 + pick(2); k > 0; --k)
                c += " " + concept(depth - 1, trivial);
            return c + ")";
        }
        return "(some " + roles[pick(roles.size())] + " " + concept(depth - 1, trivial) + ")";
    }

    std::string trivialAxiom()
    {
        const std::string c = concept(2, true);
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
            return "(implies " + c + " " + concept(2, true) + ")";
        }
    }

    void addQuery(const std::string& c, const std::string& d)
    {
        const std::string x = "QX" + std::to_string(asked);
        const std::string y = "QY" + std::to_string(asked++);
        queries += "(subsumes? " + c + " " + d + ")\n";
        if (defined.empty())
            defined = whole();
        defined += "(equivalent " + x + " " + c + ")\n(equivalent " + y + " " + d + ")\n";
        definedQueries += "(subsumes? " + x + " " + y + ")\n";
    }

    std::mt19937 rng;
    unsigned asked = 0;
    std::vector<std::string> names;
    std::vector<std::string> roles;
};

#endif
