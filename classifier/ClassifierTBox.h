#ifndef KORVANE_CLASSIFIER_CLASSIFIERTBOX_H
#define KORVANE_CLASSIFIER_CLASSIFIERTBOX_H

#include <algorithm>
#include <cstdint>
#include <deque>
#include <list>
#include <utility>
#include <vector>

#include "classifier/DeductionsTables.h"
#include "model/IdPairMap.h"
#include "reasoner/EncodingMap.h"
#include "reasoner/TBoxCore.h"

// The terminology of the classifier's build (the TBox of that build, see
// model/ModelBuild.h): the normalisation with provenance and the
// classification that encodes every derivation as it is found.
class ClassifierTBox : public TBoxCore {
public:
    ~ClassifierTBox() override;

    // Normalisation: every input GCI becomes normal-form GCIs with at most one
    // constructor, complex parts named by fresh concepts.
    void normalizeTBox();
    Concept* normalizeConceptFW(Concept* c);
    Concept* normalizeConceptBW(Concept* c);
    // The classifier's axiom dump is numbered whenever asked.
    static bool numbersAxiomDump(bool numbered) { return numbered; }

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
    // The classification with on-the-fly encoding.
    // A subsumption sub ⊑ super waiting for its rules, with the ids of
    // both and the kind of super: taking it from the queue, or looking
    // ahead in it, reads no concept. Variables (DIMACS numbers) fit 32 bits.
    struct QueuedSubsumption {
        Concept* sub;
        Concept* super;
        uint32_t variable;
        uint32_t superId;
        uint32_t subId;
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
    static unsigned long global_cnf_id_counter;
    static unsigned long only_deductions_cnf_id_counter;
    static unsigned long axioms_clauses_counter;
    static unsigned long deduced_clauses_counter;
    static unsigned long last_gci_axiom_id;
    static unsigned long last_gci_pinpointing_id;
    static bool use_original_axioms_ids;
    // Whether the saturation ends by filling the assertion set of every
    // concept that is not an existential (the rules read only those of
    // existentials, the encoding none; the debug listing reads them all).
    // On unless a driver that writes no debug listing turns it off.
    static bool keepSubsumeeSets;
    // The deductions tables of the run, with the files that the driver opened
    // (none by default).
    DeductionsTables deductionsTables;

private:
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
    // The existentials made during the saturation join the normalised set
    // only after it (meanwhile normalExistentials answers every lookup), and
    // the normalised set orders them when next walked.
    std::vector<Concept*> madeExistentials;
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
    // read no axiom and no operand list. A conjunction's record also keeps
    // the subsumer-index bit of its first conjunct other than the concept
    // (NoProbe when there is none): a sub without it is no subsumee of
    // every conjunct, and the rule is not tried. The id of the right side
    // tells the loop, before it reads the sub's index, where the
    // conclusion's lookup in that index will start.
    struct AtomicRule {
        Axiom* axiom;
        Concept* rhs;
        Role* role;
        long selector;
        uint32_t kind;
        uint32_t firstOperand;
        uint32_t operandCount;
        uint32_t probe;
        uint32_t rhsId;
    };
    static constexpr uint32_t NoProbe = ~uint32_t(0);
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
    // The related sets of the roles: the existential that classification
    // has met over each role and filler, by (role id, filler id).
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
};

#endif
