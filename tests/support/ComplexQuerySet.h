#ifndef KORVANE_TESTS_SUPPORT_COMPLEXQUERYSET_H
#define KORVANE_TESTS_SUPPORT_COMPLEXQUERYSET_H

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "support/KoncludePeer.h"
#include "support/KrssToOwl.h"
#include "support/QueryableName.h"
#include "support/RandomConcept.h"

// Queries (subsumes? C_i D_i) over one ontology, in the ontology language,
// with the names X_i ≡ C_i and Y_i ≡ D_i of their sides: (subsumes? C_i D_i)
// holds exactly when Y_i ⊑ X_i follows from the ontology extended with those
// definitions, which another reasoner can decide.
struct ComplexQuerySet {
    std::string prefix;
    std::vector<std::pair<std::string, std::string>> pairs;

    std::string x(std::size_t i) const { return prefix + "X" + std::to_string(i); }
    std::string y(std::size_t i) const { return prefix + "Y" + std::to_string(i); }

    std::string query(std::size_t i) const { return "(subsumes? " + pairs[i].first + " " + pairs[i].second + ")"; }
    std::vector<std::string> queries() const
    {
        std::vector<std::string> all;
        for (std::size_t i = 0; i < pairs.size(); ++i)
            all.push_back(query(i));
        return all;
    }
    // The queries between the names, (subsumes? X_i Y_i).
    std::vector<std::string> namedQueries() const
    {
        std::vector<std::string> all;
        for (std::size_t i = 0; i < pairs.size(); ++i)
            all.push_back("(subsumes? " + x(i) + " " + y(i) + ")");
        return all;
    }
    // The definitions, one axiom a line.
    std::string definitions() const
    {
        std::string krss;
        for (std::size_t i = 0; i < pairs.size(); ++i)
            krss += "(equivalent " + x(i) + " " + pairs[i].first + ")\n(equivalent " + y(i) + " " + pairs[i].second +
                    ")\n";
        return krss;
    }

    // The answer of query i (1: it holds) by the other reasoner's
    // classification of a document with the definitions.
    int holdsIn(const konclude_peer::Pairs& closure, std::size_t i) const
    {
        return closure.count({y(i), x(i)}) != 0 ? 1 : 0;
    }

    // Draws `count` queries; the last asks the first again, on concepts that
    // the file has normalised and named already.
    void draw(RandomConcept& random, unsigned count, unsigned depth)
    {
        for (unsigned q = 0; q + 1 < count; ++q) {
            const auto drawn = random.drawQuery(q, depth);
            pairs.emplace_back(drawn.first.krss, drawn.second.krss);
        }
        pairs.push_back(pairs.front());
    }

    // A concept of the ontology language that a query can hold as it is: its
    // names readable by the query language, no bottom (which no rule spreads
    // through existentials).
    static bool queryableConcept(const std::string& krss)
    {
        std::string word;
        for (char c : krss + " ") {
            if (c != '(' && c != ')' && !std::isspace(static_cast<unsigned char>(c))) {
                word += c;
                continue;
            }
            if (!word.empty() && word != "and" && word != "some" && word != "*top*" && !queryableName(word))
                return false;
            word.clear();
        }
        return true;
    }

    // Lets the draws take the complex concepts and the inclusions of the
    // ontology's axioms.
    static void knowConcepts(RandomConcept& random, const KrssToOwl& ontology)
    {
        for (const auto& c : ontology.complexConcepts())
            if (queryableConcept(c.first))
                random.addKnown({c.first, c.second});
        for (const auto& [sub, super] : ontology.inclusions())
            if (queryableConcept(sub.krss) && queryableConcept(super.krss))
                random.addTold({sub.krss, sub.owl}, {super.krss, super.owl});
    }
};

#endif
