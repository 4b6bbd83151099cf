#ifndef KORVANE_REASONER_TBOX_H
#define KORVANE_REASONER_TBOX_H

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
#include "model/GCIIndex.h"
#include "model/ModelBuild.h"
#ifdef KORVANE_CLASSIFIER_MODEL
#include "classifier/DeductionsTables.h"
#endif
#include "model/Role.h"
#include "model/SharedConceptSet.h"
#include "model/RoleAxiom.h"

class EncodedTBox;

// The process-wide terminology: the concept and role DAGs, the input axioms
// and the normal form that classification and encoding work on.
class TBox {
public:
    using ConceptSet = SharedConceptSet;
    using RoleSet = std::set<Role*, RoleComparator>;
    using AxiomSet = std::set<Axiom*, AxiomComparator>;
    using RoleAxiomSet = std::set<RoleAxiom*, RoleAxiomComparator>;
    // Long after a large classification, and freed at the start of the next
    // run: its nodes come from a pool, which takes them back cheaply.
    using DeducedList = std::list<std::pair<Concept*, Concept*>, pool_allocator<std::pair<Concept*, Concept*>>>;

    static TBox* Instance;
    static TBox* getInstance();

    TBox();
    TBox(const TBox&) = delete;
    TBox& operator=(const TBox&) = delete;
    virtual ~TBox();

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
    Concept* insertNormalizedConcept(Concept* c);
    Concept* findNormalizedConcept(Concept* c);
    void clearNonNormalAndSharedConcepts();

    // Normalisation: every input GCI becomes normal-form GCIs with at most one
    // constructor, complex parts named by fresh concepts.
    void normalizeTBox();
    Concept* normalizeConceptFW(Concept* c);
    Concept* normalizeConceptBW(Concept* c);
    // Clauses and queries through the installed encoder.
    static unsigned long encodingVariable(Concept* c);
#ifndef KORVANE_CLASSIFIER_MODEL
    int encodeTrivialConcepts();
    int encodeAxiom(Concept* c, Concept* d);
#endif
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
#ifndef KORVANE_CLASSIFIER_MODEL
    void encodeIntoSat(bool solve, unsigned long* variables, unsigned long* clauseCount);
    bool fullEncodingIntoSat(bool solve, unsigned long* variables, unsigned long* clauseCount);
    Axiom* createFWNormalizedAxioms(Concept* c, Concept* n, axiom_t type, Axiom* source);
    Axiom* createBWNormalizedAxioms(Concept* n, Concept* c, axiom_t type, Axiom* source, bool nested);
    Concept* convertToFWNormalizedConcept(Concept* c);
    Concept* convertToBWNormalizedConcept(Concept* c);
#endif

#ifndef KORVANE_CLASSIFIER_MODEL
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
#endif

#ifndef KORVANE_CLASSIFIER_MODEL
    // The completion-based classification: the preparation seeds every
    // subsumed list from the told subsumptions (reasoner/DeductionPreparation.cpp),
    // the loop applies the rules to the fixpoint (reasoner/DeductionLoop.cpp),
    // one rule or small rule group per file under reasoner/rules/. Each rule
    // returns the number of subsumptions it added; `marker` is
    // deductionIteration, raised when a concept that can trigger a rule gains.
    void prepareDeduction();
    // Bottom, itself, top and its operands as told subsumptions of a
    // normalised concept; an existential tells its filler.
    void seedConcept(Concept* c);
    // After a classification: seeds only what new axioms touched
    // (reasoner/IncrementalPreparation.cpp).
    void prepareIncrementalDeduction();
    DeducedList* performDeduction(int& conceptCount, int& roleCount);
    int getSubsumptionsNumber();
    void clearAllDeductionStructures();
    // since: the iteration in which the GCI was last applied (0: never);
    // what its left side held then has reached its right side already.
    int applyImplication(Axiom* a, int it, int since, int& marker);
    int applyConjunction(Axiom* a, int it, int since, int& marker);
    int applyFirstExistentialStep(Axiom* a, int it);
    int useCommonForChainedAndMerge(Concept* G, Concept* D, ConceptList* common, int it, bool save, int index);
    int mergeNewSubsumedAndClear(Concept* D, int it);
    int mergeSubsumedFromNewChainedAndSubsumedAndClear(Concept* G, Concept* D, Role* r, int it, int& marker,
                                                       bool save, int index);
    int deduceRoleInclusion(Role* r, Role* s, int& it, int prevIt, int axIt, int& marker, bool all, int index);
    int deduceRoleInclusionWithComposition(Role* chain, Role* s, int& it, int prevIt, int axIt, int& marker,
                                           bool all, int index);
    int applyFirstBinaryChainSteps(int it, int& marker);
    int deduceBinaryRoleInclusion(Role* chain, Role* s, int& it, int& marker, int index);
    // A concept that a rule has just put into the normal form joins the
    // subsumed lists of bottom, itself and top like any new subsumee.
    void handleNonTBoxNewConcept(Concept* c, int it, int& marker);
    int mergeNewConceptsInRoleRelated(ConceptList* news, Role* r, int it);

    // A normalised and classified terminology rebuilt from a stored encoding
    // whose variables the normalisation map has named (reasoner/EncodingReload.cpp):
    // GCIs from the axiom clauses, told and derived subsumptions from all
    // clauses, the subsumed lists seeded from them. Returns the deduced-axioms
    // list. A variable without a concept is a fatal error.
    DeducedList* normalizationAndDeductionFromEncoding(EncodedTBox& e);
#endif

    // Side files and debugging listings (the same in both builds). The
    // written-marks of axioms and role axioms are shared between the writers:
    // whichever runs first marks an axiom, a later one skips it.
    static void printGCIAxiomLine(FILE* out, const Axiom* a);
    // The role-axiom line; in the normalisation map's form when mapForm is set.
    static void printRoleAxiomLine(FILE* out, const RoleAxiom* a, bool mapForm = false);
    void saveNormalConceptsWithCnfId(FILE* out, unsigned long bound);
    void saveNormalization(FILE* out);
    void printInputAxioms();
    void printNormalizedAxioms();
    void printRIAxioms();
    void touchAllNormalizedConceptsFlags(uint16_t mask, bool set);
    void touchAllConceptsFlags(uint16_t mask, bool set);
    void touchAllRolesFlags(uint16_t mask, bool set);
    // The axiom dump halves (the GCIs, the role axioms; unnumbered, the role
    // axioms open the normalisation map).
    void saveGCIAxioms(FILE* out, bool numbered);
    void saveRIAxioms(FILE* out, bool numbered);
    // The debug listing of what classification found.
    void printDeductionStructures();
#ifndef KORVANE_CLASSIFIER_MODEL
    void saveDeduction(FILE* out);
    void printDeducedAxioms();
#endif

#ifdef KORVANE_CLASSIFIER_MODEL
    // Normalisation that records, for every normal-form axiom, the input
    // axioms it came from and the normal-form axioms that needed it.
    Axiom* createNormalizedAxioms(int level, Concept* left, Concept* right, Axiom* source);
    Axiom* createFWNormalizedAxioms(int level, Concept* left, Concept* name, axiom_t kind, Axiom* source);
    std::list<Axiom*>* createBWNormalizedAxioms(int level, Concept* name, Concept* right, axiom_t kind,
                                                Axiom* source);
    void BWfindAndAddGeneratedFrom(Concept* complex, Concept* part, Axiom* parent);
    Axiom* findAxiom(Concept* left, Concept* right, axiom_t kind);

    // Classification that encodes every derivation as it is found.
    // The variable of a subsumption in an assertion set, and whether the
    // entry was made now.
    struct Assertion {
        unsigned long variable;
        bool inserted;
    };
    bool prepareDeductionAndEncode(bool encode, bool pinpointing);
    void performDeductionAndEncode(bool encode, bool pinpointing);
    // A told (told non-null) or initial subsumption, and a derived one: each
    // is asserted and queued, gets its table line and its place in the
    // encoding (classifier/Conclusion.cpp).
    void newAxiom(Concept* sub, Concept* super, Axiom* told);
    Assertion newDeduction(Concept* sub, Concept* super);
    void handleNonTBoxNewConcept(Concept* existential, Role* role);
    void encodeDeductionsIntoSat(bool pinpointing);
    void encodeTrivialConcepts(unsigned long* counter);
    void encodeAxiom(unsigned long id, Concept* left, Concept* right, unsigned long* counter);
    // The Horn clause "-selector -premise... conclusion" (a 0 selector or
    // premise left out), unless the conclusion is 0 or the selector itself.
    void handHornClause(unsigned long conclusion, long selector, const unsigned long* premises, std::size_t count);
    void clearAllDeductionStructures();

    // Tables beside the encoding and the mapping of selectors to axioms.
    void saveAssumptions(FILE* out);
    LiteralList* convertAssumptionsInAxiomsIds(LiteralList* ids);
    unsigned long getSubsumptionsNumber();
#endif

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
    RoleAxiomSet roleAxioms;
    DeducedList* deducedAxioms = nullptr;
    int deductionIteration = 0;
#ifndef KORVANE_CLASSIFIER_MODEL
    // Set by a reload from an encoding: the subsumed lists hold what the
    // encoding told, and the next incremental preparation first classifies
    // the reloaded terminology.
    bool reloadedDeductionIncomplete = false;
    // Subsumptions derived by that classification that the stored encoding
    // did not hold; the next encoding pass writes them with its deduced ones.
    DeducedList* pendingDeducedAxioms = nullptr;
#endif
    // The roles that could trigger a rule when the last classification run
    // ended: rules create existentials only over those.
    std::set<Role*> relevantRolesInDeduction;

#ifdef KORVANE_CLASSIFIER_MODEL
    // The classification with on-the-fly encoding.
    // A subsumption sub ⊑ super waiting for its rules, with the id and kind
    // of super: taking it from the queue reads no concept.
    struct QueuedSubsumption {
        Concept* sub;
        Concept* super;
        unsigned long variable;
        uint32_t superId;
        concept_t superKind;
    };
    using DeductionQueue = std::deque<QueuedSubsumption>;
    EncodingMap* encodingMap = nullptr;
    // The derived subsumptions still to be encoded, by variable: the one of
    // variable firstDeducedVariable + i is (sub id, super id) at i. Derived
    // variables are handed out one after the other, so they need no keys;
    // the encoding map keeps the told axioms.
    std::vector<std::pair<uint32_t, uint32_t>> deducedPairs;
    unsigned long firstDeducedVariable = 0;
    LiteralList assumptions;
    DeductionQueue deductionQueue;
    // The two-role steps that a chain of three or more roles is applied in.
    std::vector<RoleAxiom*> chainSteps;
#endif

    static bool normalized;
    static bool deduction_performed;
    static bool encoded;
    static bool only_loaded;
    static bool loaded_from_encoding;
    static bool saveDeductionsForNews;
#ifndef KORVANE_CLASSIFIER_MODEL
    static bool full_encoding;
    static bool save_pinpointing_info;
#endif
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
#ifdef KORVANE_CLASSIFIER_MODEL
    static unsigned long global_cnf_id_counter;
    static unsigned long only_deductions_cnf_id_counter;
    static unsigned long axioms_clauses_counter;
    static unsigned long deduced_clauses_counter;
    static unsigned long last_gci_axiom_id;
    static unsigned long last_gci_pinpointing_id;
    static bool use_original_axioms_ids;
    // The deductions tables, installed by the driver.
    static DeductionsTables deductionsTables;
#endif

private:
    // The GCIs by their sides, which spares searching the GCI set for new ones.
    GCIIndex gciIndex;
    // Numbers a concept that has just joined the normal form and links its
    // operands to it.
    void adoptNormalizedConcept(Concept* c);
    // Replaces c's operands by the shared ones, sorted by ascending serial.
    template <typename Share>
    void shareOperands(Concept* c, bool dropDuplicates, Share share);

#ifndef KORVANE_CLASSIFIER_MODEL
    // Seeds shared by the preparation and the reload: every normalised
    // concept in its slot of conceptsById with its told subsumers (bottom
    // and top first), then the lists of subsumed concepts and related
    // existentials built from the recorded subsumers in ascending id.
    void seedNormalizedConcepts();
    void settleToldSubsumptions();
    void completeReloadedDeduction();
#endif

#ifdef KORVANE_CLASSIFIER_MODEL
    // Steps of the classification, in the order it runs them. The first
    // ones walk the GCIs in the order of the set, kept in gcisInOrder while
    // they run.
    std::vector<Axiom*> gcisInOrder;
    void numberSelectors();
    void linkNormalizedAxioms(bool pinpointing);
    void numberRoleAxiomSelectors(bool pinpointing);
    void indexAxiomsByPremise();
    void indexRoleAxioms();
    void addInitialSubsumptions();
    void addToldSubsumptions();
    void enqueue(Concept* sub, Concept* super, unsigned long variable);
    void finishDeductionAndEncode();
    // What the current classification run writes: the subsumption encoding,
    // the Horn clauses of the rule applications.
    struct SaturationRun {
        bool encode;
        bool pinpointing;
    };
    SaturationRun saturation{true, true};

    // The loop hands each queued subsumption to the rules its super triggers
    // (classifier/Saturation.cpp); each rule is one member in its own file
    // under classifier/rules/. A queued sub ⊑ super with super atomic, as the
    // rules over super read it: with the variable of the entry of sub in
    // super's own set when there is one.
    struct AtomicRule;
    struct AtomicPremise {
        const QueuedSubsumption& item;
        unsigned long processed;
        bool ownPresent;
        uint32_t ownVariable;
    };
    void prefetchQueued() const;
    void dispatchAtomic(const QueuedSubsumption& item, unsigned long processed);
    void dispatchExistential(const QueuedSubsumption& item, unsigned long processed);
    void applyImplicationRule(const AtomicPremise& premise, const AtomicRule& rule);
    void applyConjunctionRule(const AtomicPremise& premise, const AtomicRule& rule);
    void applyExistentialRuleAsFiller(const AtomicPremise& premise, const AtomicRule& rule);
    void applyExistentialRule(const QueuedSubsumption& item, unsigned long processed);
    void indexExistentialRule(Axiom* a);
    void applyRoleInclusionRule(RoleAxiom* ra, const QueuedSubsumption& item);
    void applyChainRule(RoleAxiom* ra, const QueuedSubsumption& item, unsigned long processed);
    // Derives sub ⊑ super by a rule application (the selector of its axiom,
    // the variables of its premises) and, when pinpointing, hands over its
    // Horn clause; with dropTautology not when the conclusion is a premise.
    void conclude(Concept* sub, Concept* super, long selector, const unsigned long* premises, std::size_t count,
                  bool dropTautology = false);
    // The existential over role with the filler, stored or made now; null
    // when new concepts are not to be made and none is stored.
    // The existential's filler is given as the parts of an existential over
    // it (read before anything is made: a new one may move the parts).
    struct ExistentialParts;
    Concept* obtainExistential(Role* role, const ExistentialParts& parts);
    // The existential over role with the filler in the role's related set.
    Concept* findRelated(Role* role, Concept* filler);
    Concept* findRelated(Role* role, uint32_t fillerId);
    void handClause(const LiteralList& clause);
    void handClause(const std::vector<long>& clause);
    void handClause(const long* literals, std::size_t count);
    std::vector<long> scratchClause;
    // Puts (sub, variable) into super's assertion set and, for an
    // existential super, into the index of the existentials above sub.
    Assertion assertSubsumption(Concept* sub, Concept* super, unsigned long variable);
    // The variable of sub ⊑ super in super's assertion set, or null.
    const uint32_t* findAssertion(Concept* sub, Concept* super) const;
    const uint32_t* findAssertion(Concept* sub, uint32_t superId) const;
    // Puts an existential into its role's related set (one per filler).
    void addRelated(Role* role, Concept* existential);
    // The existentials made during the saturation join the normalised set,
    // and the related sets receive their members, only after it: meanwhile
    // normalExistentials and relatedIndex answer every lookup. The related
    // sets take their sorted batch with position hints instead of one tree
    // search each; the normalised set orders its batch when next walked.
    std::vector<Concept*> madeExistentials;
    std::vector<Concept*> pendingRelated;
    void settleSaturationSets();
    // Fills the assertion sets of the concepts other than existentials from
    // the subsumer indexes.
    void fillAssertionSets();
    // Every normalised concept at the index of its id, from the end of the
    // saturation until its encoding is written.
    std::vector<Concept*> conceptsByNormalId;

    // The lhs-axiom lists of the atomic concepts compiled for the rules run
    // on them: per concept id, one record per axiom in list order, the ids of
    // a conjunction's conjuncts kept in one flat array, so that the rules
    // read no axiom and no operand list.
    struct AtomicRule {
        Axiom* axiom;
        Concept* rhs;
        Role* role;
        long selector;
        uint32_t kind;
        uint32_t firstOperand;
        uint32_t operandCount;
    };
    std::vector<std::vector<AtomicRule>> atomicRules;
    std::vector<uint32_t> ruleOperandIds;
    void compileAtomicRules();
    // Every normalised existential by (role id, filler id): the one that
    // inserting an equal new existential into the normal form would return.
    IdPairMap<Concept*> normalExistentials;
    void indexNormalExistentials();
    // The role and filler of every normalised existential by its id, with
    // the filler's id: the rules read them here instead of walking to the
    // filler through the operand list (and most read no filler at all).
    struct ExistentialParts {
        Role* role;
        Concept* filler;
        uint32_t fillerId;
    };
    std::vector<ExistentialParts> existentialParts;
    const ExistentialParts& partsOf(const Concept* existential) const { return existentialParts[existential->id]; }
    const ExistentialParts& partsOf(uint32_t id) const { return existentialParts[id]; }
    // The related sets by (role id, filler id).
    IdPairMap<Concept*> relatedIndex;
    // For each concept, the fillers of left-side existentials above it with
    // the variable of that entry; and for each role and such filler, the
    // positions of the axioms ∃role.filler ⊑ R in the role's existential-lhs
    // list. Together they find the axioms an existential triggers without a
    // walk over every axiom of its role.
    // An entry X ⊑ concept seen from X: the concept, its id and the entry's
    // variable, so that a walk over such entries reads no concept.
    struct SubsumerLink {
        Concept* concept;
        uint32_t id;
        uint32_t variable;
    };
    std::vector<std::vector<SubsumerLink>> fillersAbove;
    IdPairMap<uint32_t> existentialLhsIndex;
    std::vector<std::vector<unsigned>> existentialLhsPositions;
    // Scratch lists of the rules, kept to spare an allocation per rule run
    // (no rule runs inside another).
    std::vector<unsigned long> scratchPremises;
    std::vector<std::pair<unsigned, unsigned long>> scratchTriggered;
    std::vector<SubsumerLink> scratchLinks;
    // Per role id, the filler ids of its existential-lhs list, in list order.
    std::vector<std::vector<uint32_t>> existentialLhsFillers;
    // For each concept id, the existentials whose assertion sets hold it, with
    // the variable of that entry.
    std::vector<std::vector<SubsumerLink>> existentialsAbove;
    // The list kept for a concept in one of the by-id tables above, made on
    // first use.
    template <typename List>
    static List& byId(std::vector<List>& table, const Concept* c)
    {
        if (c->id >= table.size())
            table.resize(std::max<std::size_t>(c->id + 1, table.size() * 2));
        return table[c->id];
    }
#endif
};

#endif
