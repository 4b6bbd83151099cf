#ifndef KORVANE_REASONER_LIBRARYTBOX_H
#define KORVANE_REASONER_LIBRARYTBOX_H

#include <cstdio>
#include <utility>
#include <vector>

#include "reasoner/PassSteps.h"
#include "reasoner/TBoxCore.h"

class DeductionNotes;
class EncodedTBox;
class PassState;
class PassScheduler;
class MergedSources;

// The terminology of the library build (the TBox of that build, see
// model/ModelBuild.h): the normalisation, the encoding and the
// completion-based classification over the concepts' deduction state, and
// the pinpointing information that the classification writes.
class LibraryTBox : public TBoxCore {
public:
    ~LibraryTBox() override;

    // Normalisation: every input GCI becomes normal-form GCIs with at most one
    // constructor, complex parts named by fresh concepts.
    void normalizeTBox();
    Concept* normalizeConceptFW(Concept* c);
    Concept* normalizeConceptBW(Concept* c);
    // The axiom dump is numbered only while pinpointing information is written.
    static bool numbersAxiomDump(bool numbered) { return numbered && save_pinpointing_info; }

    int encodeTrivialConcepts();
    int encodeAxiom(Concept* c, Concept* d);
    void encodeIntoSat(bool solve, unsigned long* variables, unsigned long* clauseCount);
    bool fullEncodingIntoSat(bool solve, unsigned long* variables, unsigned long* clauseCount);
    Axiom* createFWNormalizedAxioms(Concept* c, Concept* n, axiom_t type, Axiom* source);
    // `halfOf`: the number of the input axiom that the made axioms (not the
    // naming axioms of their operands) are the right half of, 0 for none.
    Axiom* createBWNormalizedAxioms(Concept* n, Concept* c, axiom_t type, Axiom* source, bool nested,
                                    int halfOf = 0);
    Concept* convertToFWNormalizedConcept(Concept* c);
    Concept* convertToBWNormalizedConcept(Concept* c);
    // Records of the pinpointing information, written to pinpointing_f only
    // while save_pinpointing_info is set: one per element, in order; `full`
    // chooses the letter "S" (true) or "B" (false).
    void savePinpointingInfoAxiom(Axiom* a);
    // X ⊑ B from the premise (X, A), per X.
    void savePinpointingInfoImplication(Concept* A, Concept* B, const std::vector<Concept*>& Xs, int index,
                                        bool full);
    void savePinpointingInfoRoleInclusion(Concept* A, Concept* B, const std::vector<Concept*>& Xs, int index,
                                          bool full);
    // X ⊑ B from the premises (X, E) and (E's filler, A), per (X, E).
    void savePinpointingInfoBinaryExistential(Concept* A, Concept* B,
                                              const std::vector<std::pair<Concept*, Concept*>>& XEs, int index,
                                              bool full);
    // The same with its own index and premise concepts per ((X, index), (E, A)).
    void savePinpointingInfoManyBinaryExistential(
        Concept* B, const std::vector<std::pair<std::pair<Concept*, int>, std::pair<Concept*, Concept*>>>& elements,
        bool full);
    // X ⊑ B from the premises (X, Ci) for every operand Ci of the conjunction C, per X.
    void savePinpointingInfoConjunction(Concept* C, Concept* B, const std::vector<Concept*>& Xs, int index,
                                        bool full);
    // X ⊑ B from the premise pairs, in order (a role chain of three or more roles).
    void savePinpointingInfoChain(Concept* X, Concept* B,
                                  const std::vector<std::pair<const Concept*, const Concept*>>& premises, int index,
                                  bool full);
    // The completion-based classification: the preparation seeds every
    // subsumed list from the told subsumptions (reasoner/DeductionPreparation.cpp),
    // the loop applies the rules to the fixpoint (reasoner/DeductionLoop.cpp,
    // in the order of a PassScheduler), one rule or small rule group per file
    // under reasoner/rules/. Each rule works in the iteration under way of the
    // run's PassState, raises its marker by the relevance test when a concept
    // that can trigger a rule gains, and returns the number of subsumptions
    // it added.
    void prepareDeduction();
    // Bottom, itself, top and its operands as told subsumptions of a
    // normalised concept; an existential tells its filler.
    void seedConcept(Concept* c);
    // After a classification: seeds only what new axioms touched
    // (reasoner/IncrementalPreparation.cpp).
    void prepareIncrementalDeduction();
    DeducedList* performDeduction(int& conceptCount, int& roleCount);
    // The GCIs in the order of the last run's passes.
    const PassSteps& gciPassSteps() const { return passSteps; }
    int getSubsumptionsNumber();
    void clearAllDeductionStructures();
    // since: the iteration in which the GCI was last applied (0: never);
    // what its left side held then has reached its right side already.
    int applyImplication(Axiom* a, int since, PassState& pass);
    int applyConjunction(Axiom* a, int since, PassState& pass);
    // The first step of the existential rule for the GCIs of steps at
    // positions (ascending), all with an existential left side: every one
    // in a full run, the new ones in an incremental run.
    int applyFirstExistentialSteps(const std::vector<GciStep>& steps, const std::vector<std::size_t>& positions,
                                   PassState& pass);
    int applyFirstExistentialStep(Axiom* a, PassState& pass);
    int useCommonForChainedAndMerge(Concept* G, Concept* D, ConceptList* common, bool save, int index,
                                    PassState& pass);
    int mergeNewSubsumedAndClear(Concept* D, PassState& pass);
    int mergeSubsumedFromNewChainedAndSubsumedAndClear(Concept* G, Concept* D, Role* r, bool save, int index,
                                                       PassState& pass);
    // prevIt: the role threshold; axIt: the iteration in which the axiom was
    // last applied; all: every existential over r, changed or not.
    int deduceRoleInclusion(Role* r, Role* s, int prevIt, int axIt, bool all, int index, PassState& pass);
    // merges: what the chain's earlier applications in this run merged.
    int deduceRoleInclusionWithComposition(Role* chain, Role* s, int prevIt, int axIt, bool all, int index,
                                           MergedSources& merges, PassState& pass);
    int applyFirstBinaryChainSteps(PassState& pass);
    // a: a chain of two roles; how far it has read its second role's
    // pendingRelated in this run moves on to its end, and its last
    // application is kept on it.
    int deduceBinaryRoleInclusion(RoleAxiom* a, PassState& pass);
    // A concept that a rule has just put into the normal form joins the
    // subsumed lists of bottom, itself and top like any new subsumee.
    void handleNonTBoxNewConcept(Concept* c, PassState& pass);
    // The existentials of news join r's related map in iteration it; those
    // it lacked are handed to r's dependents (noted as queued work).
    int mergeNewConceptsInRoleRelated(ConceptList* news, Role* r, int it, DeductionNotes& notes);

    // A normalised and classified terminology rebuilt from a stored encoding
    // whose variables the normalisation map has named (reasoner/EncodingReload.cpp):
    // GCIs from the axiom clauses, told and derived subsumptions from all
    // clauses, the subsumed lists seeded from them. Returns the deduced-axioms
    // list. A variable without a concept is a fatal error.
    DeducedList* normalizationAndDeductionFromEncoding(EncodedTBox& e);
    void saveDeduction(FILE* out);
    void printDeducedAxioms();
    // Set by a reload from an encoding: the subsumed lists hold what the
    // encoding told, and the next preparation first rebuilds the deduction
    // state of the reloaded terminology's classification.
    bool reloadedDeductionIncomplete = false;
    // Subsumptions that the rebuild derived and the stored encoding did not
    // hold; the next encoding pass writes them with its deduced ones.
    DeducedList* pendingDeducedAxioms = nullptr;
    static bool full_encoding;
    static bool save_pinpointing_info;
    // When set, every application of a transitivity walks the whole related
    // map of its role: the runs must come out the same either way.
    static bool walkEveryChainEntry;

private:
    // The loop's dispatch (reasoner/DeductionLoop.cpp): a GCI or role axiom
    // that the pass scheduler visits goes to its rule when it is due against
    // the threshold of its pass. Each returns what the rules it ran add to
    // the conceptCount or roleCount of performDeduction.
    int applyGciStep(const GciStep& step, PassScheduler& schedule, PassState& pass);
    // A GCI ∃r.G ⊑ D: what G's pending list and D's handed-on subsumees
    // hold, when the scheduler's hints say they may hold something.
    int applyExistentialStep(const GciStep& step, PassScheduler& schedule, PassState& pass);
    int applyRoleAxiom(RoleAxiom* a, int roleThreshold, PassState& pass);
    // After the loop: the stamps and working lists reset, every concept in
    // its slot of conceptsById; schedule is the run's. After a full run
    // every concept and GCI is looked at, after an incremental one only
    // those that the run touched or stamped.
    void endDeduction(const PassScheduler& schedule, bool incremental);
    // Seeds shared by the preparation and the reload: every normalised
    // concept in its slot of conceptsById with its told subsumers (bottom
    // and top first), then the lists of subsumed concepts and related
    // existentials built from the recorded subsumers in ascending id.
    void seedNormalizedConcepts();
    void settleToldSubsumptions();
    // After a reload, before the first classification: the deduction state
    // that the classification of the reloaded terminology leaves, from the
    // stored subsumptions.
    void rebuildReloadedDeduction();
    // Its steps: the seeds of the concepts normalised since the reload; the
    // premise, dependent and chained conclusions of every existential GCI
    // over the existentials of its role; a run of the loop from the state of
    // the lists, what it derives kept for the next encoding pass.
    void seedSinceReload();
    void linkExistentialPremises();
    void runRebuildPass();

    // The concepts that the incremental preparation and the run after it
    // have touched (DeductionNotes::noteTouched).
    std::vector<Concept*> touchedInRun;
    // Set by the incremental preparation for the run that follows it, with
    // the GCIs that it found marked new.
    bool incrementPrepared = false;
    std::vector<Axiom*> gcisNewToRun;
    // The GCIs of the passes, kept from one run to the next.
    PassSteps passSteps;
};

#endif
