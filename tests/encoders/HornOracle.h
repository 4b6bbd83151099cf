#ifndef KORVANE_TESTS_ENCODERS_HORNORACLE_H
#define KORVANE_TESTS_ENCODERS_HORNORACLE_H

#include <cstdlib>
#include <vector>

// Decides Horn clause sets (DIMACS literals, at most one positive literal
// per clause) by forward chaining: the set plus some true and some false
// variables is unsatisfiable exactly when the least model of the clauses and
// the true variables makes a purely negative clause or a false variable true.
class HornOracle {
public:
    explicit HornOracle(int variables) : occurrences(variables + 1) {}

    void add(const std::vector<long>& clause)
    {
        Clause c;
        for (long literal : clause) {
            if (literal > 0) {
                c.head = literal;
            } else {
                c.body.push_back(-literal);
                occurrences[-literal].push_back(clauses.size());
            }
        }
        clauses.push_back(c);
    }

    bool refutes(const std::vector<long>& trueVariables, const std::vector<long>& falseVariables) const
    {
        std::vector<char> value(occurrences.size(), 0);
        std::vector<long> queue;
        std::vector<std::size_t> missing(clauses.size());
        bool conflict = false;
        auto assign = [&](long v) {
            if (!value[v]) {
                value[v] = 1;
                queue.push_back(v);
            }
        };
        for (std::size_t i = 0; i < clauses.size(); ++i) {
            missing[i] = clauses[i].body.size();
            if (missing[i] == 0) {
                if (clauses[i].head == 0)
                    conflict = true;
                else
                    assign(clauses[i].head);
            }
        }
        for (long v : trueVariables)
            assign(v);
        for (std::size_t next = 0; next < queue.size() && !conflict; ++next) {
            for (std::size_t i : occurrences[queue[next]]) {
                if (--missing[i] != 0)
                    continue;
                if (clauses[i].head == 0)
                    conflict = true;
                else
                    assign(clauses[i].head);
            }
        }
        for (long v : falseVariables)
            conflict = conflict || value[v];
        return conflict;
    }

private:
    struct Clause {
        long head = 0;
        std::vector<long> body;
    };
    std::vector<Clause> clauses;
    std::vector<std::vector<std::size_t>> occurrences;
};

#endif
