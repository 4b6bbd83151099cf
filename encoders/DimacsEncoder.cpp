#include "encoders/DimacsEncoder.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "encoders/ClauseWriter.h"
#include "encoders/DimacsText.h"

void DimacsEncoder::closeLine()
{
    flushPending();
    if (lineOpen)
        std::fputc('\n', clauses);
    lineOpen = false;
}

DimacsEncoder::~DimacsEncoder()
{
    flushPending();
}

bool DimacsEncoder::addClause(const LiteralList* literals, const KindList*, unsigned)
{
    if (literals == nullptr || literals->empty())
        return false;
    std::vector<long> copy(literals->begin(), literals->end());
    return addClause(copy.data(), copy.size());
}

bool DimacsEncoder::addClause(const long* literals, std::size_t count)
{
    if (count == 0)
        return false;
    if (clauses == nullptr) {
        // Without a stream the lines go nowhere, as fwrite would have them.
        lineOpen = true;
        return true;
    }
    if (writer == nullptr)
        writer.reset(new ClauseWriter(clauses, lineOpen));
    writer->add(literals, count);
    lineOpen = true;
    return true;
}

void DimacsEncoder::flushPending()
{
    if (writer == nullptr)
        return;
    writer->finish();
    writer.reset();
}

void DimacsEncoder::writeHeader(long axioms, long deduced, bool totals, long variables, long clauseCount)
{
    if (header == nullptr)
        return;
    if (totals)
        std::fprintf(header, "c axioms %d deduced %d\n", static_cast<int>(axioms), static_cast<int>(deduced));
    std::fprintf(header, "p cnf %d %d\n", static_cast<int>(variables), static_cast<int>(clauseCount));
}

bool DimacsEncoder::endEncoding(bool, unsigned long variables, unsigned long clauseCount,
                                unsigned long axiomClauses, unsigned long deducedClauses)
{
    flushPending();
    std::fputc('\n', clauses);
    lineOpen = false;
    writeHeader(static_cast<long>(axiomClauses), static_cast<long>(deducedClauses),
                axiomClauses != 0 || deducedClauses != 0, static_cast<long>(variables),
                static_cast<long>(clauseCount));
    return true;
}

void DimacsEncoder::writeQueryUnits(long sub, long super)
{
    std::fprintf(clauses, "%d 0\n-%d 0\n", static_cast<int>(sub), static_cast<int>(super));
}

bool DimacsEncoder::checkSatisfiability(const LiteralList* positives, const LiteralList* negatives,
                                        unsigned long variables, unsigned long clauseCount)
{
    closeLine();
    long n = 0;
    if (positives != nullptr) {
        for (long v : *positives)
            std::fprintf(clauses, "%d 0\n", static_cast<int>(v));
        n += static_cast<long>(positives->size());
    }
    if (negatives != nullptr) {
        for (long v : *negatives)
            std::fprintf(clauses, "-%d 0\n", static_cast<int>(v));
        n += static_cast<long>(negatives->size());
    }
    writeHeader(0, n, true, static_cast<long>(variables), static_cast<long>(clauseCount) + n);
    return true;
}

bool DimacsEncoder::checkSatisfiability(long sub, long super, unsigned long variables, unsigned long clauseCount)
{
    closeLine();
    writeQueryUnits(sub, super);
    writeHeader(0, 2, true, static_cast<long>(variables), static_cast<long>(clauseCount) + 2);
    return true;
}

LiteralList* DimacsEncoder::checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions,
                                                           bool refresh, unsigned long variables,
                                                           unsigned long clauseCount)
{
    closeLine();
    long n = 0;
    if (refresh && assumptions != nullptr) {
        for (long v : *assumptions)
            std::fprintf(clauses, "%d 0\n", static_cast<int>(v));
        n = static_cast<long>(assumptions->size());
    }
    writeQueryUnits(sub, super);
    writeHeader(0, n + 2, true, static_cast<long>(variables), static_cast<long>(clauseCount) + n + 2);
    return nullptr;
}

void DimacsEncoder::preparePinpointing(const LiteralList* assumptions)
{
    flushPending();
    if (assumptions == nullptr)
        return;
    for (long v : *assumptions)
        std::fprintf(clauses, "%d 0\n", static_cast<int>(v));
    if (header != nullptr)
        std::fprintf(header, "c axioms %d deduced %d\n", static_cast<int>(assumptions->size()), 0);
}

void DimacsEncoder::reportUnsatisfiability()
{
    flushPending();
    if (header != nullptr)
        std::fputs("c axioms 0 deduced 2\np cnf 1 2\n1 0\n-1 0\n", header);
    std::fputc('\n', clauses);
}
