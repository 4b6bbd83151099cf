#ifndef KORVANE_MODEL_AXIOM_H
#define KORVANE_MODEL_AXIOM_H

#include <cstdint>
#include <list>

#include "model/Container.h"
#include "model/ModelBuild.h"

class Concept;

// How a GCI came to be; the listings print "OR ", "FW ", "BW ", "DD ".
enum axiom_t { NO_AXIOM_TYPE = 0, ORIGINAL = 1, FW_NORMALIZED_AXIOM = 2, BW_NORMALIZED_AXIOM = 3, DEDUCED = 4 };

// A general concept inclusion lhs ⊑ rhs. What the build keeps on a GCI
// comes from its base AxiomBuildState (see ModelBuild.h).
class Axiom : public Container, public AxiomBuildState {
public:
    enum axiom_flags_t : uint16_t {
        IN_STORE = 0x1,
        NEW_AXIOM = 0x2,
        NOT_ENCODED = 0x4,
        FROM_EQUIVALENCE = 0x8,
        DEFINITION = 0x10
    };

    Axiom();
    Axiom(const Axiom& other);
    Axiom(Concept* lhs, Concept* rhs, axiom_t type);
    Axiom& operator=(const Axiom&) = delete;
    ~Axiom() override = default;

    virtual int64_t compare(const Axiom* other) const;
    bool operator<(const Axiom& other) const;

    static int original_ax_counter;

    axiom_t type = NO_AXIOM_TYPE;
    Concept* lhs = nullptr;
    Concept* rhs = nullptr;
    int index = -1;
    int originalNumber = 0;
};

// Strict order of the GCI set of the terminology store.
struct AxiomComparator {
    bool operator()(const Axiom* a, const Axiom* b) const { return *a < *b; }
};

#endif
