#ifndef KORVANE_TESTS_SUPPORT_RANDOMCONCEPT_H
#define KORVANE_TESTS_SUPPORT_RANDOMCONCEPT_H

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/KrssToOwl.h"

// Random concept expressions over given concept and role names, in the
// ontology language: names, now and then *top*, conjunctions of distinct
// operands, existential restrictions, and complex concepts met before. Two
// operands are the same when their OWL forms are (a conjunction lists each
// operand once there).
class RandomConcept {
public:
    struct Expression {
        std::string krss;
        std::string owl;
    };

    RandomConcept(uint32_t seed, std::vector<std::string> conceptNames, std::vector<std::string> roleNames)
        : rng(seed), names(std::move(conceptNames)), roles(std::move(roleNames))
    {
    }

    // Complex concepts that a draw may take as they are (the ontology's own,
    // say): a concept that one side of a query or axiom has named stands on
    // the other side of a later one. Every complex concept drawn joins them.
    void addKnown(const Expression& e) { known.push_back(e); }
    // A told inclusion sub ⊑ super, for queries between its sides.
    void addTold(const Expression& sub, const Expression& super) { told.emplace_back(sub, super); }

    Expression draw(unsigned depth)
    {
        const unsigned roll = pick(100);
        if (depth > 0 && !known.empty() && pick(100) < 35)
            return known[pick(static_cast<unsigned>(known.size()))];
        if (depth == 0 || roll < 30) {
            const std::string n = pick(100) < 4 ? "*top*" : names[pick(static_cast<unsigned>(names.size()))];
            return {n, KrssToOwl::className(n)};
        }
        if (roll < 60) {
            std::vector<Expression> operands;
            for (unsigned i = 0, count = 2 + pick(2); i < count; ++i) {
                Expression e = draw(depth - 1);
                bool seen = false;
                for (const Expression& o : operands)
                    seen = seen || o.owl == e.owl;
                if (!seen)
                    operands.push_back(e);
            }
            return operands.size() == 1 ? operands[0] : remember(conjunction(operands));
        }
        const std::string& r = roles[pick(static_cast<unsigned>(roles.size()))];
        return remember(some(r, draw(depth - 1)));
    }

    // Draws a pair (C, D) of a query (subsumes? C D); of every three pairs
    // one holds by its form (D has C among its conjuncts, possibly deep
    // inside an existential that C also has) and one is drawn between the
    // sides of a told inclusion, each maybe under one existential, the way
    // it holds or the other way round: each side has a name of the side of
    // the inclusion it stands on, and the query asks it on the other side.
    std::pair<Expression, Expression> drawQuery(unsigned index, unsigned depth)
    {
        if (index % 3 == 1 && !told.empty()) {
            auto [sub, super] = told[pick(static_cast<unsigned>(told.size()))];
            if (pick(2) == 0) {
                const std::string& r = roles[pick(static_cast<unsigned>(roles.size()))];
                sub = some(r, sub);
                super = some(r, super);
            }
            return pick(3) == 0 ? std::make_pair(sub, super) : std::make_pair(super, sub);
        }
        Expression c = draw(depth);
        Expression d = draw(depth);
        if (index % 3 == 2 && c.owl != d.owl)
            d = conjunction({d, c});
        return {c, d};
    }

private:
    unsigned pick(unsigned n) { return static_cast<unsigned>(rng() % n); }

    static Expression some(const std::string& role, const Expression& filler)
    {
        return {"(some " + role + " " + filler.krss + ")", KrssToOwl::someValuesFrom(role, filler.owl)};
    }

    // Of distinct operands, in their order.
    static Expression conjunction(const std::vector<Expression>& operands)
    {
        Expression c{"(and", ""};
        std::vector<std::string> owl;
        for (const Expression& o : operands) {
            c.krss += " " + o.krss;
            owl.push_back(o.owl);
        }
        return {c.krss + ")", KrssToOwl::intersectionOf(owl)};
    }

    Expression remember(Expression e)
    {
        known.push_back(e);
        return e;
    }

    std::mt19937 rng;
    std::vector<std::string> names;
    std::vector<std::string> roles;
    std::vector<Expression> known;
    std::vector<std::pair<Expression, Expression>> told;
};

#endif
