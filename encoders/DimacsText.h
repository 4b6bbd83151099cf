#ifndef KORVANE_ENCODERS_DIMACSTEXT_H
#define KORVANE_ENCODERS_DIMACSTEXT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

// The texts of an encoding that more than one sink writes: the literals of
// clause lines and the two header lines. Header numbers are printed as
// signed 32-bit decimals; a null header stream gets nothing.
struct DimacsText {
    // "c axioms A deduced D": the clauses of one encoding pass, or of a query.
    static void writeTotals(FILE* header, unsigned long axioms, unsigned long deduced)
    {
        if (header != nullptr)
            std::fprintf(header, "c axioms %d deduced %d\n", static_cast<int>(axioms), static_cast<int>(deduced));
    }

    // "p cnf V C": the variables and the clauses of the whole encoding so far.
    static void writeProblem(FILE* header, unsigned long variables, unsigned long clauses)
    {
        if (header != nullptr)
            std::fprintf(header, "p cnf %d %d\n", static_cast<int>(variables), static_cast<int>(clauses));
    }

    // The header pair that closes an encoding pass: the totals only when
    // the pass has any.
    static void writeEncodingHeader(FILE* header, unsigned long variables, unsigned long clauses,
                                    unsigned long axioms, unsigned long deduced)
    {
        if (axioms != 0 || deduced != 0)
            writeTotals(header, axioms, deduced);
        writeProblem(header, variables, clauses);
    }

    // Room for the longest literal: a sign, ten digits and a blank.
    static constexpr std::size_t LiteralWidth = 12;

    // Appends the literal as a signed 32-bit decimal followed by a blank.
    // Writes within LiteralWidth bytes of out; those after the blank are
    // scratch, left to the next text.
    static char* appendLiteral(char* out, long literal)
    {
        static const char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
        int32_t value = static_cast<int32_t>(literal);
        uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
        if (value < 0)
            *out++ = '-';
        // Digits are made two at a time from the right, ending at the
        // middle of a scratch buffer, and copied as a block of MaxDigits
        // whatever their number: a copy of fixed length is a few moves, not
        // a call. The blank overwrites the first byte after them.
        constexpr std::size_t MaxDigits = 10;
        char digits[2 * MaxDigits] = {};
        char* const last = digits + MaxDigits;
        char* first = last;
        while (magnitude >= 100) {
            const uint32_t pair = magnitude % 100;
            magnitude /= 100;
            first -= 2;
            std::memcpy(first, pairs + 2 * pair, 2);
        }
        if (magnitude >= 10) {
            first -= 2;
            std::memcpy(first, pairs + 2 * magnitude, 2);
        } else {
            *--first = static_cast<char>('0' + magnitude);
        }
        std::memcpy(out, first, MaxDigits);
        out += last - first;
        *out++ = ' ';
        return out;
    }
};

#endif
