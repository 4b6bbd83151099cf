#include "encoders/DimacsEncoder.h"

#include "encoders/DimacsText.h"

bool DimacsEncoder::addClause(const LiteralList* literals, const KindList*, unsigned)
{
    if (literals == nullptr || literals->empty())
        return false;
    writer.add(literals->begin(), literals->end());
    return true;
}

bool DimacsEncoder::addClause(const long* literals, std::size_t count)
{
    if (count == 0)
        return false;
    writer.add(literals, literals + count);
    return true;
}

void DimacsEncoder::flushPending()
{
    writer.flush();
}

unsigned long DimacsEncoder::writeUnits(const LiteralList* variables, bool negated)
{
    if (variables == nullptr)
        return 0;
    if (clauses != nullptr) {
        for (long v : *variables)
            std::fprintf(clauses, negated ? "-%d 0\n" : "%d 0\n", static_cast<int>(v));
    }
    return variables->size();
}

void DimacsEncoder::writeQueryUnits(long sub, long super)
{
    if (clauses != nullptr)
        std::fprintf(clauses, "%d 0\n-%d 0\n", static_cast<int>(sub), static_cast<int>(super));
}

bool DimacsEncoder::endEncoding(bool, unsigned long variables, unsigned long clauseCount,
                                unsigned long axiomClauses, unsigned long deducedClauses)
{
    writer.newLine();
    DimacsText::writeEncodingHeader(header, variables, clauseCount, axiomClauses, deducedClauses);
    return true;
}

bool DimacsEncoder::checkSatisfiability(const LiteralList* positives, const LiteralList* negatives,
                                        unsigned long variables, unsigned long clauseCount)
{
    writer.endLine();
    unsigned long n = writeUnits(positives, false);
    n += writeUnits(negatives, true);
    DimacsText::writeTotals(header, 0, n);
    DimacsText::writeProblem(header, variables, clauseCount + n);
    return true;
}

bool DimacsEncoder::checkSatisfiability(long sub, long super, unsigned long variables, unsigned long clauseCount)
{
    writer.endLine();
    writeQueryUnits(sub, super);
    DimacsText::writeTotals(header, 0, 2);
    DimacsText::writeProblem(header, variables, clauseCount + 2);
    return true;
}

LiteralList* DimacsEncoder::checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions,
                                                           bool refresh, unsigned long variables,
                                                           unsigned long clauseCount)
{
    writer.endLine();
    const unsigned long n = refresh ? writeUnits(assumptions, false) : 0;
    writeQueryUnits(sub, super);
    DimacsText::writeTotals(header, 0, n + 2);
    DimacsText::writeProblem(header, variables, clauseCount + n + 2);
    return nullptr;
}

// The units follow whatever the stream holds, an open clause line included.
void DimacsEncoder::preparePinpointing(const LiteralList* assumptions)
{
    writer.flush();
    if (assumptions == nullptr)
        return;
    DimacsText::writeTotals(header, writeUnits(assumptions, false), 0);
}

// A complete unsatisfiable CNF over variable 1 goes to the header stream.
void DimacsEncoder::reportUnsatisfiability()
{
    writer.flush();
    DimacsText::writeTotals(header, 0, 2);
    DimacsText::writeProblem(header, 1, 2);
    if (header != nullptr)
        std::fputs("1 0\n-1 0\n", header);
    if (clauses != nullptr)
        std::fputc('\n', clauses);
}
