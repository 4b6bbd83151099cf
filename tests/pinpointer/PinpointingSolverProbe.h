#ifndef KORVANE_TESTS_PINPOINTER_PINPOINTINGSOLVERPROBE_H
#define KORVANE_TESTS_PINPOINTER_PINPOINTINGSOLVERPROBE_H

#include <initializer_list>
#include <vector>

#include "pinpointer/PinpointingSolver.h"
#include "pinpointer/input_readers.h"

// A pinpointing solver whose trail the tests may look at and extend.
class PinpointingSolverProbe : public PinpointingSolver {
public:
    using Solver::assignments;
    using Solver::levelStarts;
    using Solver::levels;
    using Solver::problemClauses;
    using Solver::reasons;
    using Solver::trail;
    using Solver::watchLists;

    explicit PinpointingSolverProbe(int variables = 0) {
        while (nVars() < variables) newVar(true, true);
    }

    bool add(std::initializer_list<Lit> lits) {
        vec<Lit> ps;
        for (Lit p : lits) ps.push(p);
        return addClause(ps);
    }

    // Opens a new level with p as its decision and propagates.
    void decide(Lit p) {
        newDecisionLevel();
        uncheckedEnqueue(p);
        propagate();
    }

    std::vector<Lit> trailLits() const {
        std::vector<Lit> out;
        for (int i = 0; i < trail.size(); i++) out.push_back(trail[i]);
        return out;
    }
};

inline vec<Lit>& fillLits(vec<Lit>& v, std::initializer_list<Lit> lits) {
    v.clear();
    for (Lit p : lits) v.push(p);
    return v;
}

// A clause written in CNF numbers, as solver literals.
inline vec<Lit>& cnfClause(vec<Lit>& v, const std::vector<int>& numbers) {
    v.clear();
    for (int x : numbers) v.push(cnf_literal(x));
    return v;
}

inline std::vector<Lit> toStd(const vec<Lit>& v) {
    std::vector<Lit> out;
    for (int i = 0; i < v.size(); i++) out.push_back(v[i]);
    return out;
}

#endif
