// The cone-of-influence walk.

#include <deque>

#include "pinpointer/PinpointingSolver.h"

void PinpointingSolver::coneOfInfluence(vec<Lit>& start, std::set<int>& cone) {
    std::deque<Lit> queue;
    for (int i = 0; i < start.size(); i++) {
        cone.insert(var(start[i]));
        queue.push_back(start[i]);
    }
    const Lit negatedQuery = Lit(queryVariable, true);

    while (!queue.empty()) {
        Lit n = queue.front();
        queue.pop_front();
        // The clauses watching the negation of n; the reader puts the head
        // of a Horn clause first, so these are the clauses that derive n.
        const vec<Clause*>& ws = watchLists[toInt(n)];
        for (int w = 0; w < ws.size(); w++) {
            const Clause& c = *ws[w];
            if (c.size() < 2) continue;
            bool holdsQuery = false;
            for (int k = 0; k < c.size() && !holdsQuery; k++) holdsQuery = c[k] == negatedQuery;
            if (holdsQuery) continue;
            if (c.size() == 2 && twoLiteralBound >= 0 && var(c[1]) > twoLiteralBound) continue;
            for (int k = 1; k < c.size(); k++) {
                if (!sign(c[k])) continue;
                int v = var(c[k]);
                if (cone.insert(v).second && v > expansionBound) queue.push_back(c[k]);
            }
        }
    }
}
