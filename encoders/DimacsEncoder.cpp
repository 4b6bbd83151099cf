#include "encoders/DimacsEncoder.h"

#include <cstdint>
#include <cstring>

namespace {

// Appends the literal as a signed 32-bit decimal followed by a blank.
char* appendLiteral(char* out, long literal)
{
    int32_t value = static_cast<int32_t>(literal);
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    if (value < 0)
        *out++ = '-';
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (n > 0)
        *out++ = digits[--n];
    *out++ = ' ';
    return out;
}

constexpr std::size_t LiteralWidth = 12;

}

void DimacsEncoder::closeLine()
{
    if (lineOpen)
        std::fputc('\n', clauses);
    lineOpen = false;
}

bool DimacsEncoder::addClause(const LiteralList* literals, const KindList*, unsigned)
{
    if (literals == nullptr || literals->empty())
        return false;
    // A clause line is formatted in a small buffer and written at once.
    char buffer[64 * LiteralWidth + 2];
    char* out = buffer;
    if (lineOpen)
        *out++ = '\n';
    lineOpen = true;
    for (long literal : *literals) {
        if (static_cast<std::size_t>(out - buffer) > sizeof(buffer) - LiteralWidth - 2) {
            std::fwrite(buffer, 1, out - buffer, clauses);
            out = buffer;
        }
        out = appendLiteral(out, literal);
    }
    *out++ = '0';
    std::fwrite(buffer, 1, out - buffer, clauses);
    return true;
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
    if (assumptions == nullptr)
        return;
    for (long v : *assumptions)
        std::fprintf(clauses, "%d 0\n", static_cast<int>(v));
    if (header != nullptr)
        std::fprintf(header, "c axioms %d deduced %d\n", static_cast<int>(assumptions->size()), 0);
}

void DimacsEncoder::reportUnsatisfiability()
{
    if (header != nullptr)
        std::fputs("c axioms 0 deduced 2\np cnf 1 2\n1 0\n-1 0\n", header);
    std::fputc('\n', clauses);
}
