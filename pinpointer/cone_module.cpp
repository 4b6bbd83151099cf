#include "pinpointer/cone_module.h"

#include <iostream>

void from_cone_to_module(vec<int>& selectorList, const std::set<int>& cone, std::set<int>& moduleSet,
                         vec<int>& moduleSelectors, vec<Lit>& excludedSelectors, int verbosity) {
    if (verbosity >= VERBOSITY_SIZES) std::cout << "CONE OF INFLUENCE - ASSERTIONS - SIZE: " << cone.size() << "\n";
    if (verbosity >= VERBOSITY_TRACE) {
        std::cout << "CONE OF INFLUENCE - ASSERTIONS: \n";
        for (int v : cone) std::cout << v + 1 << "\n";
    }

    int i = 0;
    for (std::set<int>::const_iterator a = cone.begin(); a != cone.end() && i < selectorList.size(); ++a) {
        while (i < selectorList.size() && selectorList[i] < *a) excludedSelectors.push(Lit(selectorList[i++], true));
        if (i < selectorList.size() && selectorList[i] == *a) {
            moduleSet.insert(*a);
            moduleSelectors.push(*a);
            i++;
        }
    }
    while (i < selectorList.size()) excludedSelectors.push(Lit(selectorList[i++], true));

    if (verbosity >= VERBOSITY_MINAS) std::cout << "MODULE - AXIOMS - SIZE: " << moduleSet.size() << "\n";
    if (verbosity >= VERBOSITY_SIZES) {
        std::cout << "MODULE - AXIOMS: \n";
        for (int v : moduleSet) std::cout << v + 1 << "\n";
    }
}

void compute_module(PinpointingSolver& coneSolver, vec<int>& selectorList, vec<int>& assumptionList, bool expand,
                    bool boundTwoLiteral, Lit query, std::set<int>& moduleSet, vec<int>& coneSelectors,
                    vec<Lit>& excludedSelectors, int verbosity, usertime::timer& stopwatch, int shownQueryVariable) {
    vec<Lit> start;
    start.push(query);
    if (expand) coneSolver.expansionBound = assumptionList.last();
    if (boundTwoLiteral) coneSolver.twoLiteralBound = assumptionList.last();
    coneSolver.queryVariable = var(query);

    std::set<int> cone;
    coneSolver.coneOfInfluence(start, cone);
    // A variable that no clause holds is alone in its cone.
    if (shownQueryVariable >= 0 && shownQueryVariable != var(query)) {
        cone.erase(var(query));
        cone.insert(shownQueryVariable);
    }
    from_cone_to_module(selectorList, cone, moduleSet, coneSelectors, excludedSelectors, verbosity);

    std::cerr << "CONE OF INFLUENCE (CPU-sec): " << stopwatch.elapsed(true) << "\n";
    stopwatch.stop();
}
