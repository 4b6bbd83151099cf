#ifndef KORVANE_TESTS_CLASSIFIER_HORNPROPAGATION_H
#define KORVANE_TESTS_CLASSIFIER_HORNPROPAGATION_H

#include <set>
#include <vector>

// The variables that unit propagation makes true in a set of Horn clauses
// (negative literals first, at most one positive literal) from the given
// true variables. A clause without a positive literal is left aside.
inline std::set<long> hornConsequences(const std::vector<std::vector<long>>& clauses, const std::set<long>& facts)
{
    std::set<long> truth = facts;
    bool changed = true;
    while (changed) {
        changed = false;
        for (const auto& clause : clauses) {
            long head = 0;
            bool body = true;
            for (long literal : clause) {
                if (literal > 0)
                    head = literal;
                else if (truth.count(-literal) == 0)
                    body = false;
            }
            if (body && head != 0 && truth.insert(head).second)
                changed = true;
        }
    }
    return truth;
}

#endif
