#ifndef KORVANE_TESTS_PINPOINTER_HORNINSTANCE_H
#define KORVANE_TESTS_PINPOINTER_HORNINSTANCE_H

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/HornOracle.h"

// Small Horn encodings shaped like the classifier's pinpointing encodings,
// and an independent MinA enumerator over them: forward chaining (the shared
// Horn oracle) decides
// whether a selector set refutes a query, and every subset of the selectors
// is tried in order of size.
namespace pinpointer_test {

// A rule application: the conjunction of body (CNF variables, axiom
// selectors among them) implies head.
struct Rule {
    std::vector<int> body;
    int head;
};

class HornInstance {
public:
    int selectors = 0;  // axiom selectors are the CNF variables 1 .. selectors
    int derived = 0;    // derived subsumptions are selectors+1 .. selectors+derived
    int top = 0;        // asserted by a unit clause
    int bottom = 0;     // denied by a unit clause
    bool unitsFirst = true;
    std::vector<Rule> rules;

    // The encoding body as the classifier writes it: negated premises first,
    // the conclusion last.
    std::string encoding() const {
        std::ostringstream text;
        std::string units = std::to_string(top) + " 0\n-" + std::to_string(bottom) + " 0\n";
        if (unitsFirst) text << units;
        for (const Rule& r : rules) {
            for (int b : r.body) text << -b << " ";
            text << r.head << " 0\n";
        }
        if (!unitsFirst) text << units;
        return text.str();
    }

    std::string assumptionList() const {
        std::ostringstream text;
        for (int s = 1; s <= selectors; s++) text << s << "\n";
        return text.str();
    }

    // Whether the selectors in mask (bit s-1 for selector s) refute the
    // query literal: for a negative query -v, whether v or bottom follows;
    // for a positive query v, whether bottom follows once v is added.
    bool refutes(unsigned mask, int query) const {
        HornOracle oracle;
        for (const Rule& r : rules) {
            std::vector<long> clause;
            for (int b : r.body) clause.push_back(-b);
            clause.push_back(r.head);
            oracle.add(clause);
        }
        std::vector<long> truths{top};
        for (int s = 1; s <= selectors; s++)
            if ((mask >> (s - 1)) & 1u) truths.push_back(s);
        std::vector<long> falsehoods{bottom};
        if (query > 0) truths.push_back(query);
        else falsehoods.push_back(-query);
        return oracle.refutes(truths, falsehoods);
    }

    // Every MinA of the query: the refuting selector sets that contain no
    // smaller refuting set.
    std::vector<std::set<int> > minas(int query) const {
        std::vector<unsigned> masks;
        for (unsigned m = 0; m < (1u << selectors); m++) masks.push_back(m);
        std::stable_sort(masks.begin(), masks.end(),
                         [](unsigned a, unsigned b) { return __builtin_popcount(a) < __builtin_popcount(b); });
        std::vector<unsigned> found;
        for (unsigned m : masks) {
            bool containsOne = std::any_of(found.begin(), found.end(), [m](unsigned f) { return (f & m) == f; });
            if (!containsOne && refutes(m, query)) found.push_back(m);
        }
        std::vector<std::set<int> > sets;
        for (unsigned m : found) sets.push_back(toSet(m));
        return sets;
    }

    static unsigned toMask(const std::set<int>& s) {
        unsigned m = 0;
        for (int v : s) m |= 1u << (v - 1);
        return m;
    }
    static std::set<int> toSet(unsigned mask) {
        std::set<int> s;
        for (int v = 1; mask != 0; v++, mask >>= 1) {
            if (mask & 1u) s.insert(v);
        }
        return s;
    }
};

// A random instance: each rule has one or two selectors and up to two
// premises among the derived variables and top; with bottomHeads some rules
// conclude bottom (an axiom set that makes the terminology inconsistent).
inline HornInstance randomHornInstance(std::mt19937& rng, bool bottomHeads) {
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    HornInstance h;
    h.selectors = pick(2, 9);
    h.derived = pick(3, 8);
    h.top = h.selectors + h.derived + 1;
    h.bottom = h.top + 1;
    h.unitsFirst = pick(0, 1) == 1;
    int count = h.derived + pick(0, h.derived + 3);
    for (int i = 0; i < count; i++) {
        Rule r;
        r.head = bottomHeads && pick(0, 9) == 0 ? h.bottom : h.selectors + pick(1, h.derived);
        int selectorCount = pick(0, 4) == 0 ? 2 : 1;
        int premiseCount = pick(0, 2);
        std::set<int> body;
        for (int k = 0; k < selectorCount; k++) body.insert(pick(1, h.selectors));
        for (int k = 0; k < premiseCount; k++) {
            int p = pick(0, 5) == 0 ? h.top : h.selectors + pick(1, h.derived);
            if (p != r.head) body.insert(p);
        }
        r.body.assign(body.begin(), body.end());
        std::shuffle(r.body.begin(), r.body.end(), rng);
        h.rules.push_back(r);
    }
    return h;
}

}  // namespace pinpointer_test

#endif
