#ifndef KORVANE_TESTS_E2E_SMALLTERMINOLOGIES_H
#define KORVANE_TESTS_E2E_SMALLTERMINOLOGIES_H

// Small terminologies and what a classifier run makes of them, worked out by
// hand from the numbering rules:
// - the normal-form axioms are numbered 1..k in the order of the normalised
//   axiom set (kinds of the two sides, then the serials of the left sides, in
//   order of first appearance in the input), the role axioms after them
//   (transitive ones first);
// - with pinpointing, derived subsumptions get the next numbers in the order
//   the queue finds them, and the concepts come last: bottom, top, then as
//   the axiom and subsumption clauses meet them;
// - the rule clauses are written during the saturation, then the units of
//   bottom and top, then one clause per told axiom (by selector) and one per
//   derived subsumption (by variable).

#include <string>

namespace classifier_e2e {

// One axiom: A ⊑ B is selector 1, bottom 2, top 3, A 4, B 5; no derivation.
const std::string kOneAxiom = "(implies A B)\n";
const std::string kOneAxiomBody = "-2 0\n"
                                  "3 0\n"
                                  "-1 -4 5 0\n";
const std::string kOneAxiomHeader = "c axioms 3 deduced 0\n"
                                    "p cnf 5 3\n";

// A chain: A ⊑ B (selector 1), B ⊑ C (selector 2); the queue derives A ⊑ C
// as variable 3 from both, by the rule clause [-2, -1, 3]. Then bottom 4,
// top 5, and A 6, B 7, C 8 as the clauses of 1, 2 and 3 meet them.
const std::string kChain = "(implies A B)\n"
                           "(implies B C)\n";
const std::string kChainBody = "-2 -1 3 0\n"
                               "-4 0\n"
                               "5 0\n"
                               "-1 -6 7 0\n"
                               "-2 -7 8 0\n"
                               "-3 -6 8 0\n";
// Axiom clauses: the two units and the two told axioms; one deduced clause.
const std::string kChainHeader = "c axioms 4 deduced 1\n"
                                 "p cnf 8 6\n";
// Normalised concepts in set order (bottom, top, then the names) with their
// variables.
const std::string kChainMap = "*bottom* 4\n"
                              "*top* 5\n"
                              "A 6\n"
                              "B 7\n"
                              "C 8\n";
const std::string kChainTable = "1 (implies A B )\n"
                                "2 (implies B C )\n"
                                "3 (implies A C )\n";
const std::string kChainAxiomDump = "1 1 (implies A B)\n"
                                    "2 2 (implies B C)\n";

// The chain without pinpointing (-s): no rule clauses, and the concepts are
// numbered from 1 (bottom 1, top 2, A 3, B 4, C 5).
const std::string kChainBodyWithoutPinpointing = "-1 0\n"
                                                 "2 0\n"
                                                 "-3 4 0\n"
                                                 "-4 5 0\n"
                                                 "-3 5 0\n";
const std::string kChainHeaderWithoutPinpointing = "c axioms 4 deduced 1\n"
                                                   "p cnf 5 5\n";

// The chain without the subsumption encoding (-p): only the rule clause,
// over the selectors and the deduction variable; no axiom or deduced clause.
const std::string kChainBodyWithoutSubsumptions = "-2 -1 3 0\n";
const std::string kChainHeaderWithoutSubsumptions = "p cnf 3 1\n";

// A role inclusion between two existentials: A ⊑ ∃r.B (selector 1),
// ∃s.B ⊑ C (selector 2), r ⊑ s (selector 3); A ⊑ C needs all three.
const std::string kRoles = "(implies A (some r B))\n"
                           "(role-inclusion r s)\n"
                           "(implies (some s B) C)\n";

} // namespace classifier_e2e

#endif
