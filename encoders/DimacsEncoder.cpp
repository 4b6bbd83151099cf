#include "encoders/DimacsEncoder.h"

#include <algorithm>
#include <cstdlib>

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
    for (long v : *variables) {
        if (clauses != nullptr)
            std::fprintf(clauses, negated ? "-%d 0\n" : "%d 0\n", static_cast<int>(v));
        variablesSoFar = std::max(variablesSoFar, static_cast<unsigned long>(std::labs(v)));
    }
    return variables->size();
}

void DimacsEncoder::writeQueryUnits(long sub, long super)
{
    if (clauses != nullptr)
        std::fprintf(clauses, "%d 0\n-%d 0\n", static_cast<int>(sub), static_cast<int>(super));
    variablesSoFar = std::max({variablesSoFar, static_cast<unsigned long>(std::labs(sub)),
                               static_cast<unsigned long>(std::labs(super))});
}

void DimacsEncoder::writeQueryHeader(unsigned long written, unsigned long queryUnits, unsigned long variables,
                                     unsigned long callerClauses)
{
    variablesSoFar = std::max(variablesSoFar, variables);
    DimacsText::writeTotals(header, 0, written);
    DimacsText::writeProblem(header, variablesSoFar, callerClauses + assumptionUnits + queryUnits);
}

bool DimacsEncoder::endEncoding(bool, unsigned long variables, unsigned long clauseCount,
                                unsigned long axiomClauses, unsigned long deducedClauses)
{
    writer.newLine();
    variablesSoFar = std::max(variablesSoFar, variables);
    DimacsText::writeEncodingHeader(header, variables, clauseCount, axiomClauses, deducedClauses);
    return true;
}

bool DimacsEncoder::checkSatisfiability(const LiteralList* positives, const LiteralList* negatives,
                                        unsigned long variables, unsigned long clauseCount)
{
    writer.endLine();
    unsigned long n = writeUnits(positives, false);
    n += writeUnits(negatives, true);
    writeQueryHeader(n, n, variables, clauseCount);
    return true;
}

bool DimacsEncoder::checkSatisfiability(long sub, long super, unsigned long variables, unsigned long clauseCount)
{
    writer.endLine();
    writeQueryUnits(sub, super);
    writeQueryHeader(2, 2, variables, clauseCount);
    return true;
}

// Refreshed assumptions replace those in force; the totals line counts them
// with the query's units.
LiteralList* DimacsEncoder::checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions,
                                                           bool refresh, unsigned long variables,
                                                           unsigned long clauseCount)
{
    writer.endLine();
    unsigned long n = 0;
    if (refresh && assumptions != nullptr)
        assumptionUnits = n = writeUnits(assumptions, false);
    writeQueryUnits(sub, super);
    writeQueryHeader(n + 2, 2, variables, clauseCount);
    return nullptr;
}

// The units follow whatever the stream holds, an open clause line included.
void DimacsEncoder::preparePinpointing(const LiteralList* assumptions)
{
    writer.flush();
    if (assumptions == nullptr)
        return;
    assumptionUnits = writeUnits(assumptions, false);
    DimacsText::writeTotals(header, assumptionUnits, 0);
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
