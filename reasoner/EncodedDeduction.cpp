#include "reasoner/EncodedDeduction.h"

EncodedDeduction EncodedDeduction::axiom(int index, int originalNumber)
{
    EncodedDeduction d;
    d.present = true;
    d.isAxiom = true;
    d.inOriginalEncoding = true;
    d.done = true;
    d.index = index;
    d.originalNumber = originalNumber;
    return d;
}

EncodedDeduction EncodedDeduction::derivation(int index, bool saved)
{
    EncodedDeduction d;
    d.present = true;
    d.inOriginalEncoding = saved;
    d.index = index;
    return d;
}
