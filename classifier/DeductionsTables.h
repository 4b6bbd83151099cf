#ifndef KORVANE_CLASSIFIER_DEDUCTIONSTABLES_H
#define KORVANE_CLASSIFIER_DEDUCTIONSTABLES_H

#include <cstdio>

class Concept;
class RoleAxiom;

// The classifier's deductions tables (-z, and with -g its .gci, .ri and .map
// tables): the one writer of their lines, installed in the terminology by
// the driver with the files it opened. A table that was not asked for is
// null and gets no line.
class DeductionsTables {
public:
    DeductionsTables() = default;
    DeductionsTables(FILE* deductions, FILE* inputAxioms, FILE* roleAxioms, FILE* links)
        : deductions(deductions), inputAxioms(inputAxioms), roleAxioms(roleAxioms), links(links)
    {
    }

    // "VARIABLE (implies C D )" per told and derived subsumption.
    void subsumption(unsigned long variable, const Concept* sub, const Concept* super) const
    {
        if (deductions != nullptr)
            writeInclusion(deductions, variable, sub, super);
    }
    // The same line per input axiom, numbered by its input number.
    void inputAxiom(unsigned long number, const Concept* lhs, const Concept* rhs) const
    {
        if (inputAxioms != nullptr)
            writeInclusion(inputAxioms, number, lhs, rhs);
    }
    // "FROM TO" per link from an input axiom, or a parent normal-form axiom,
    // to a normal-form axiom made from it.
    void link(unsigned long from, unsigned long to) const;
    // "SELECTOR" and the role-axiom line, after the saturation: in the
    // role-axiom table when there is one, else in the deductions table.
    void roleAxiom(const RoleAxiom* a) const;

    FILE* deductions = nullptr;
    FILE* inputAxioms = nullptr;
    FILE* roleAxioms = nullptr;
    FILE* links = nullptr;

private:
    static void writeInclusion(FILE* out, unsigned long number, const Concept* left, const Concept* right);
};

#endif
