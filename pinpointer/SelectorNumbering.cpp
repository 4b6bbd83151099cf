#include "pinpointer/SelectorNumbering.h"

namespace {

// Whether the ascending list holds v, for ascending v from call to call
// (at is where the last call stopped).
bool holds(const vec<int>& list, int v, int& at) {
    while (at < list.size() && list[at] < v) at++;
    return at < list.size() && list[at] == v;
}

}  // namespace

void SelectorNumbering::splitByCone(const vec<int>& coneSelectorsGlobal, const vec<int>& selectorList) {
    coneSelectors.clear();
    excludedSelectors.clear();
    int inCone = 0;
    int inList = 0;
    for (int v = 0; v < global.size(); v++) {
        if (holds(coneSelectorsGlobal, global[v], inCone)) {
            coneSelectors.push(v);
        } else if (holds(selectorList, global[v], inList)) {
            excludedSelectors.push(Lit(v, true));
        }
    }
}

void SelectorNumbering::toGlobal(const vec<Lit>& lits, vec<Lit>& out) const {
    out.clear();
    for (int i = 0; i < lits.size(); i++) out.push(Lit(global[var(lits[i])], sign(lits[i])));
}
