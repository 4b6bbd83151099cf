#ifndef KORVANE_REASONER_TBOXCORE_H
#define KORVANE_REASONER_TBOXCORE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <list>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/Axiom.h"
#include "model/IdPairMap.h"
#include "reasoner/EncodingMap.h"
#include "reasoner/Encoder.h"
#include "model/Concept.h"
#include "model/DeducedList.h"
#include "model/GCIIndex.h"
#include "model/ModelBuild.h"
#include "model/Role.h"
#include "model/SharedConceptSet.h"
#include "model/RoleAxiom.h"
#include "reasoner/WrittenAxioms.h"

class EncodedTBox;

// The process-wide terminology: the concept and role DAGs, the input axioms
// and the normal form that classification and encoding work on. This is what
// both builds share; TBox is the build's class derived from it, which adds
// the build's classification (see model/ModelBuild.h).
class TBoxCore {
public:
    using ConceptSet = SharedConceptSet;
    using RoleSet = std::set<Role*, RoleComparator>;
    using AxiomSet = std::set<Axiom*, AxiomComparator>;
    using RoleAxiomSet = std::set<RoleAxiom*, RoleAxiomComparator>;
    // Long after a large classification, and freed at the start of the
    // next run: one block, given back at once.
    using DeducedList = ::DeducedList;

    static TBox* Instance;
    static TBox* getInstance();

    TBoxCore();
    TBoxCore(const TBoxCore&) = delete;
    TBoxCore& operator=(const TBoxCore&) = delete;
    virtual ~TBoxCore();

    void initConceptsDAG();
    void initNormalizedConceptsDAG();
    void initRolesDAG();

    // Insertions take ownership of their argument and return the shared equal
    // object; the argument may have been deleted.
    Concept* insertConcept(Concept* c, bool dropDuplicates);
    Role* insertRole(Role* r);
    Axiom* insertGCIAxiom(Concept* lhs, Concept* rhs, bool equivalence);
    RoleAxiom* insertRIAxiom(Role* lhs, Role* rhs, bool transitive);
    RoleAxiom* insertRoleAxiom(RoleAxiom* a);
    Axiom* insertAxiom(Axiom* a);
    // The GCIs marked NEW_AXIOM since the record was last taken, in the
    // order of the GCI set; the record starts again empty. The marks stay.
    std::vector<Axiom*> takeNewGcis();
    void forgetNewGcis() { newGcis.clear(); }
    Concept* insertNormalizedConcept(Concept* c);
    // The conjunction of the operands in the normal form (made when there is
    // none; the list goes with it), or its one operand.
    Concept* normalConjunction(ConceptList* operands);
    Concept* findNormalizedConcept(Concept* c);
    void clearNonNormalAndSharedConcepts();

    // Clauses and queries through the installed encoder.
    static unsigned long encodingVariable(Concept* c);
    void addClauseToEncoder(LiteralList* clause);
    void addUnitClauseToEncoder(long literal);
    // True when sub ⊑ super does NOT follow: the encoding with sub true and
    // super false is satisfiable.
    bool decideSubsumption(Concept* sub, Concept* super);
    // Null when sub ⊑ super does NOT follow; otherwise the selectors that it
    // rests on.
    LiteralList* decideSubsumptionAndPinpoint(Concept* sub, Concept* super, LiteralList* assumptions, bool refresh,
                                              unsigned long variables, unsigned long clauseCount);
    // True when the conjunction of subs is NOT subsumed by the conjunction of
    // supers (satisfiable).
    bool decideSubsumptions(const std::list<Concept*>& subs, const std::list<Concept*>& supers);



    // Side files and debugging listings (the same in both builds). The
    // writers of the side files take the record of the axioms written so far
    // that the driver keeps for the run: whichever runs first marks an axiom,
    // a later one skips it.
    static void printGCIAxiomLine(FILE* out, const Axiom* a);
    // The role-axiom line; in the normalisation map's form when mapForm is set.
    static void printRoleAxiomLine(FILE* out, const RoleAxiom* a, bool mapForm = false);
    // The normalisation map, or what a later pass appends to it: the role
    // axioms and the inclusions that it has not listed yet, then the
    // concepts whose variables are above the bound.
    void saveNormalizationMap(FILE* out, unsigned long bound, WrittenAxioms& written);
    void saveNormalConceptsWithCnfId(FILE* out, unsigned long bound);
    // The normalisation map's "(implies C D)" lines: every GCI that makes no
    // clause and that this map has not listed yet.
    void saveUnencodedInclusions(FILE* out, WrittenAxioms& written);
    // Whether the inclusion c ⊑ d makes no clause: it holds in every
    // encoding (one concept on both sides, top on the right, bottom on the
    // left).
    static bool makesNoClause(const Concept* c, const Concept* d);
    void saveNormalization(FILE* out, WrittenAxioms& written);
    void printInputAxioms();
    void printNormalizedAxioms();
    void printRIAxioms();
    void touchAllNormalizedConceptsFlags(uint16_t mask, bool set);
    void touchAllConceptsFlags(uint16_t mask, bool set);
    void touchAllRolesFlags(uint16_t mask, bool set);
    // The axiom dump halves (the GCIs, the role axioms; unnumbered, the role
    // axioms open the normalisation map).
    void saveGCIAxioms(FILE* out, bool numbered, WrittenAxioms& written);
    void saveRIAxioms(FILE* out, bool numbered, WrittenAxioms& written);
    // The debug listing of what classification found.
    void printDeductionStructures();


    Concept* bottom;
    Concept* top;
    Role* emptyRole;
    Role* fullRole;
    ConceptSet concepts;
    ConceptSet normalizedConcepts;
    std::vector<Concept*>* conceptsById = nullptr;
    RoleSet roles;
    std::list<Axiom*> inputAxioms;
    AxiomSet gcis;
    // The GCIs stored after a classification (marked NOT_ENCODED), in order
    // of insertion: the next encoding pass finds them here, not in a walk
    // over the GCI set.
    std::vector<Axiom*> unencodedGcis;
    RoleAxiomSet roleAxioms;
    DeducedList* deducedAxioms = nullptr;
    int deductionIteration = 0;
    // The roles that could trigger a rule when the last classification run
    // ended: rules create existentials only over those.
    std::set<Role*> relevantRolesInDeduction;


    static bool normalized;
    static bool deduction_performed;
    static bool encoded;
    static bool only_loaded;
    static bool loaded_from_encoding;
    static bool saveDeductionsForNews;
    static bool clearNonNormalConcepts;
    static bool useRoleAxiomsInDeduction;
    static bool createNewConceptsInDeduction;
    static bool initializeNonPrimitive;
    static uint64_t clauses_counter;
    static Encoder* CNF_SAT_Encoder;
    static uint64_t concept_dag_matchings;
    static uint64_t exist_dag_matchings;
    static uint64_t conj_dag_matchings;
    static FILE* debug_f;
    static FILE* pinpointing_f;
    static bool pinpointing;
    static int pinpointing_index;

protected:
    // The GCIs by their sides, which spares searching the GCI set for new ones.
    GCIIndex gciIndex;
    // The GCIs of the set that got the NEW_AXIOM mark after a
    // classification, once each, in order of marking: the next incremental
    // run finds them here, not in a walk over the GCI set.
    std::vector<Axiom*> newGcis;
    // The GCIs that entered the set after a classification, in order of
    // insertion, for the passes of the next run (PassSteps::update).
    std::vector<Axiom*> storedSinceRun;
    // Every normalised concept that has the NEW_OR_TOUCHED mark, in order
    // of marking (an entry may repeat, or have lost its mark since): the
    // incremental preparation takes its touched concepts from here, not from
    // a walk over the normal form. markTouched marks and logs.
    std::vector<Concept*> touchedSinceRun;
    void markTouched(Concept* c);
    // Marks a stored GCI (or one being stored) as new to the next
    // classification and records it; only after a classification, and once.
    void markNewGci(Axiom* a);
    // Numbers a concept that has just joined the normal form and links its
    // operands to it.
    void adoptNormalizedConcept(Concept* c);
    // Replaces c's operands by the shared ones, sorted by ascending serial.
    template <typename Share>
    void shareOperands(Concept* c, bool dropDuplicates, Share share);


};

#endif
