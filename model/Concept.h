// model/: what a terminology is made of, and the process-wide services
// around it. The concept family (Concept, TrivialConcept, PrimitiveConcept,
// Conjunction, ExistentialRestr) and the role family (Role, TrivialRole,
// PrimitiveRole, Composition) on their common base Container, ordered by
// ExpressionOrder.h; the axioms (Axiom, RoleAxiom); the names table
// (SymbolTable, SymbolTableEntry); the diagnostics collector (ParserManager);
// the memory pools (MemoryPool, pool_allocator), the heap on large pages
// (LargePageHeap) and the CPU stopwatch (timer); the sets and indexes the classification works on
// (SharedConceptSet, GCIIndex, SubsumerIndex, AssertionSet.h, HashIndex.h,
// IdPairMap.h) and the walk that asks ahead for scattered objects
// (PrefetchedWalk.h); and what each build keeps on its objects, in a state class
// per model class and build (Library*State over the deduction state
// ConceptDeduction, ChainedConclusions, RoleDeduction; Classifier*State).
// The folder is compiled into both builds of the core libraries;
// ModelBuild.h selects each build's state classes.

#ifndef KORVANE_MODEL_CONCEPT_H
#define KORVANE_MODEL_CONCEPT_H

#include <cstdint>
#include <cstdio>
#include <list>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "model/Container.h"
#include "model/ModelBuild.h"
#include "model/pool_allocator.h"

class Role;
class Axiom;
class Concept;
class DeductionNotes;

// Kinds of concepts; kinds below Conjunction are atomic.
enum concept_t {
    CONCEPT = 0,
    TRIVIAL_CONCEPT = 1,
    PRIMITIVE_CONCEPT = 2,
    FRESH_CONCEPT = 3,
    CONJUNCTION = 4,
    EXISTENTIAL_RESTR = 5
};

using ConceptList = std::list<Concept*, pool_allocator<Concept*>>;
using ConceptParentList = std::vector<std::pair<Concept*, unsigned int>>;

// An EL+ concept expression: top, bottom, an atomic concept, a conjunction or
// an existential restriction. What the build's classification keeps on a
// concept comes from its base ConceptBuildState (see ModelBuild.h).
class Concept : public Container, public ConceptBuildState {
public:
    enum concept_flags_t : uint16_t {
        IN_DAG = 0x1,
        NEW_OR_TOUCHED = 0x2,
        FW_NORMALIZED = 0x4,
        BW_NORMALIZED = 0x8,
        FW_NAMING_AXIOM = 0x10,
        BW_NAMING_AXIOM = 0x20,
        NORMAL = 0x40,
        ON_LHS = 0x80,
        ON_RHS = 0x100,
        FILLER_ON_LHS = 0x200,
        CREATED_BY_CLASSIFICATION = 0x400,
        // The first GCI stored with this concept on its right-hand side
        // found it on no left-hand side: the GCI set orders every GCI with
        // this right-hand side so from then on (see Axiom::operator<).
        ORDERED_OFF_LHS = 0x800
    };

    Concept();
    explicit Concept(ConceptList* operandList);
    Concept(Concept* a, Concept* b);
    Concept(const Concept& other);
    Concept& operator=(const Concept&) = delete;
    ~Concept() override;

    virtual void setFWConceptFlag();
    virtual void setBWConceptFlag();
    virtual void printConcept(FILE* out) const = 0;
    virtual void printTextDescription(FILE* out) const = 0;
    // Frees what the concept's kind keeps beside the build's concept state.
    virtual void clear_specific();
    // The build state's reaction to c joining the concept's subsumees; what
    // it queues for the rules is noted in notes.
    virtual void handleNewSubsumed(Concept* c, DeductionNotes& notes);
    virtual int64_t compare(const Concept* other) const;
    virtual Concept* forwardNormalization() = 0;
    virtual Concept* backwardNormalization() = 0;
    virtual void propagateDeductionIt(int it);
    virtual Concept* createCopy() = 0;

    bool operator<(const Concept& other) const;
    bool isAtomic() const { return kind < CONJUNCTION; }
    bool isComplex() const { return kind == CONJUNCTION || kind == EXISTENTIAL_RESTR; }
    std::size_t operandCount() const { return operands == nullptr ? 0 : operands->size(); }

    // Stamps this concept and, transitively, the conjunctions that contain it;
    // each stamp that changes is noted in notes when given.
    void setLastDeductionIt(int it, DeductionNotes* notes = nullptr);

    void addChild(Concept* c);
    // Records parent as a concept over this one at the position, where the
    // build keeps parents (ConceptBuildState::keepsParents).
    void addParent(Concept* parent, unsigned int position);
    ConceptList* join(Concept* other);
    ConceptList* join(ConceptList* l);

    Concept* getFWNormalization();
    Concept* getBWNormalization();
    Concept* getFWName();
    Concept* getBWName();

    void destroy();
    void destroyNotShared(uint16_t mask);

    static uint64_t id_counter;
    static uint64_t dag_id_counter;
    static uint64_t normal_id_counter;
    static uint64_t encoding_id_counter;
    static bool EquivalenceNames;

    concept_t kind = CONCEPT;
    ConceptList* operands = nullptr;
    ConceptParentList* parents = nullptr;
    uint64_t serial;
    uint64_t id;
    uint64_t encodingId = 0;
    uint32_t occurrences = 1;

    Concept* forwardNormalForm = nullptr;
    Concept* backwardNormalForm = nullptr;
    Concept* forwardName = nullptr;
    Concept* backwardName = nullptr;

protected:
    // Points the normal forms and names at the object itself (atomic kinds).
    void selfNormalized();
};

// Strict order of the concept sets of the terminology store.
struct ConceptComparator {
    bool operator()(const Concept* a, const Concept* b) const { return *a < *b; }
};

#endif
