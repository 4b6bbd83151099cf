#ifndef KORVANE_TESTS_HORNORACLE_H
#define KORVANE_TESTS_HORNORACLE_H

#include <set>
#include <vector>

// Decides Horn clause sets (DIMACS literals, at most one positive literal
// per clause) by forward chaining: the set plus some true and some false
// variables is unsatisfiable exactly when the least model of the clauses and
// the true variables makes a purely negative clause or a false variable true.
class HornOracle {
public:
    explicit HornOracle(long variables = 0) : occurrences(variables + 1) {}

    explicit HornOracle(const std::vector<std::vector<long>>& clauses)
    {
        for (const std::vector<long>& clause : clauses)
            add(clause);
    }

    // Adds a clause; false (the clause is taken with its last positive
    // literal as its head) when it has more than one positive literal.
    bool add(const std::vector<long>& clause)
    {
        Clause c;
        bool horn = true;
        for (long literal : clause) {
            long v = literal < 0 ? -literal : literal;
            if (static_cast<std::size_t>(v) >= occurrences.size())
                occurrences.resize(v + 1);
            if (literal > 0) {
                horn = horn && c.head == 0;
                c.head = literal;
            } else {
                c.body.push_back(-literal);
                occurrences[-literal].push_back(clauses.size());
            }
        }
        clauses.push_back(c);
        return horn;
    }

    bool refutes(const std::vector<long>& trueVariables, const std::vector<long>& falseVariables) const
    {
        std::vector<char> value;
        bool conflict = leastModel(trueVariables, value);
        for (long v : falseVariables)
            conflict = conflict || (static_cast<std::size_t>(v) < value.size() && value[v]);
        return conflict;
    }

    // The variables true in the least model of the clauses with a positive
    // literal and the true variables (the purely negative clauses are left
    // aside).
    std::set<long> consequences(const std::vector<long>& trueVariables) const
    {
        std::vector<char> value;
        leastModel(trueVariables, value);
        std::set<long> truth;
        for (std::size_t v = 1; v < value.size(); ++v)
            if (value[v])
                truth.insert(static_cast<long>(v));
        return truth;
    }

private:
    struct Clause {
        long head = 0;
        std::vector<long> body;
    };

    // Fills `value` with the least model; true when a purely negative clause
    // is falsified by it.
    bool leastModel(const std::vector<long>& trueVariables, std::vector<char>& value) const
    {
        value.assign(occurrences.size(), 0);
        for (long v : trueVariables)
            if (static_cast<std::size_t>(v) >= value.size())
                value.resize(v + 1, 0);
        std::vector<long> queue;
        std::vector<std::size_t> missing(clauses.size());
        bool conflict = false;
        auto fire = [&](const Clause& c) {
            if (c.head == 0)
                conflict = true;
            else if (!value[c.head]) {
                value[c.head] = 1;
                queue.push_back(c.head);
            }
        };
        for (std::size_t i = 0; i < clauses.size(); ++i) {
            missing[i] = clauses[i].body.size();
            if (missing[i] == 0)
                fire(clauses[i]);
        }
        for (long v : trueVariables)
            if (!value[v]) {
                value[v] = 1;
                queue.push_back(v);
            }
        for (std::size_t next = 0; next < queue.size(); ++next) {
            if (static_cast<std::size_t>(queue[next]) >= occurrences.size())
                continue;
            for (std::size_t i : occurrences[queue[next]])
                if (--missing[i] == 0)
                    fire(clauses[i]);
        }
        return conflict;
    }

    std::vector<Clause> clauses;
    std::vector<std::vector<std::size_t>> occurrences;
};

#endif
