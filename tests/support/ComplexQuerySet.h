#ifndef KORVANE_TESTS_SUPPORT_COMPLEXQUERYSET_H
#define KORVANE_TESTS_SUPPORT_COMPLEXQUERYSET_H

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "support/KoncludePeer.h"
#include "support/KrssToOwl.h"
#include "support/ProcessRunner.h"
#include "support/QueryableName.h"
#include "support/RandomConcept.h"

// Random complex queries over one ontology, with the names X_i ≡ C_i and
// Y_i ≡ D_i of the query (subsumes? C_i D_i): (subsumes? C_i D_i) holds
// exactly when an independent reasoner finds Y_i ⊑ X_i in the ontology
// extended with those definitions.
struct ComplexQuerySet {
    using Expression = RandomConcept::Expression;

    std::string name;
    std::string ontologyPath;
    std::string prefix;
    std::vector<std::pair<Expression, Expression>> pairs;
    // The other reasoner's document, to be completed with the definitions.
    std::string document;

    std::string x(std::size_t i) const { return prefix + "X" + std::to_string(i); }
    std::string y(std::size_t i) const { return prefix + "Y" + std::to_string(i); }

    std::string query(std::size_t i) const
    {
        return "(subsumes? " + pairs[i].first.krss + " " + pairs[i].second.krss + ")";
    }

    std::vector<std::string> queries() const
    {
        std::vector<std::string> all;
        for (std::size_t i = 0; i < pairs.size(); ++i)
            all.push_back(query(i));
        return all;
    }

    // The answer of query i (1: it holds) by the other reasoner's
    // classification of a document with the definitions.
    int holdsIn(const konclude_peer::Pairs& closure, std::size_t i) const
    {
        return closure.count({y(i), x(i)}) != 0 ? 1 : 0;
    }

    std::string definitions() const
    {
        std::string owl;
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            owl += "Declaration(Class(:" + x(i) + "))\nDeclaration(Class(:" + y(i) + "))\n";
            owl += "EquivalentClasses(:" + x(i) + " " + pairs[i].first.owl + ")\n";
            owl += "EquivalentClasses(:" + y(i) + " " + pairs[i].second.owl + ")\n";
        }
        return owl;
    }

    // The ontology with X_i ≡ C_i and Y_i ≡ D_i, in the ontology language.
    std::string extended() const
    {
        std::string krss = readFile(ontologyPath) + "\n";
        for (std::size_t i = 0; i < pairs.size(); ++i)
            krss += "(equivalent " + x(i) + " " + pairs[i].first.krss + ")\n(equivalent " + y(i) + " " +
                    pairs[i].second.krss + ")\n";
        return krss;
    }

    // Draws `count` queries; the last asks the first again, on concepts that
    // the file has normalised and named already.
    void draw(RandomConcept& random, unsigned count, unsigned depth)
    {
        for (unsigned q = 0; q + 1 < count; ++q)
            pairs.push_back(random.drawQuery(q, depth));
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

    // The document with the definitions before its closing parenthesis.
    static std::string withDefinitions(const std::string& document, const std::string& definitions)
    {
        const std::size_t end = document.rfind(')');
        return document.substr(0, end) + definitions + ")\n";
    }
};

#endif
