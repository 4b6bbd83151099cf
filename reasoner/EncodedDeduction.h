#ifndef KORVANE_REASONER_ENCODEDDEDUCTION_H
#define KORVANE_REASONER_ENCODEDDEDUCTION_H

#include <cstddef>
#include <vector>

#include "model/pool_allocator.h"

// One record of the pinpointing information read back from a file: an input
// axiom ("A"), or a derived subsumption that has a clause of its own in the
// encoding ("S", saved) or stands only as a derived Boolean fact ("B").
// Derivations know the records of their premises by record number.
class EncodedDeduction final {
public:
    using Dependencies = std::vector<unsigned long, pool_allocator<unsigned long>>;

    // An axiom record: its control clause exists from the start (its control
    // variable is the axiom's assumption variable).
    static EncodedDeduction* axiom(int index, int originalNumber);
    // A derivation by the axiom with `index`; takes ownership of the
    // dependency vector (null: no premises).
    static EncodedDeduction* derivation(int index, Dependencies* dependencies, bool saved);

    // Records come by the million and go all at once: they are drawn from
    // one pool.
    static void* operator new(std::size_t size);
    static void operator delete(void* record) noexcept;

    EncodedDeduction(const EncodedDeduction&) = delete;
    EncodedDeduction& operator=(const EncodedDeduction&) = delete;
    ~EncodedDeduction();

    // Frees the dependency vector; the record keeps no premises.
    void clearDependencies();

    bool isAxiom = false;
    // The derived subsumption has a clause of its own in the encoding being copied.
    bool inOriginalEncoding = false;
    // Its control clause exists.
    bool done = false;
    int index = 0;
    int originalNumber = 0;
    unsigned long controlVariable = 0;
    unsigned long visitMark = 0;
    Dependencies* dependencies = nullptr;

private:
    EncodedDeduction() = default;
};

#endif
