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
        int32_t value = static_cast<int32_t>(literal);
        uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
        if (value < 0)
            *out++ = '-';
        if (magnitude >= 100000000) {
            // Nine or ten digits: the one or two above the last eight first.
            const uint32_t head = magnitude / 100000000;
            if (head >= 10)
                *out++ = static_cast<char>('0' + head / 10);
            *out++ = static_cast<char>('0' + head % 10);
            out = putEightDigits(out, eightDigits(magnitude % 100000000), 0);
        } else {
            // The leading zeros of the eight are dropped, all but one of 0.
            const uint64_t digits = eightDigits(magnitude);
            const unsigned zeros = digits == 0 ? 7 : static_cast<unsigned>(__builtin_ctzll(digits)) / 8;
            out = putEightDigits(out, digits, zeros);
        }
        *out++ = ' ';
        return out;
    }

private:
    // The eight decimal digits of n < 10^8, leading zeros included, one per
    // byte, the first in the lowest byte: n is split into halves of four
    // digits, each half into pairs, each pair into digits, all lanes of a
    // word at once (the quotients by 100 and by 10 as products with their
    // reciprocals, exact for these ranges).
    static uint64_t eightDigits(uint32_t n)
    {
        const uint64_t halves = (n / 10000) | (static_cast<uint64_t>(n % 10000) << 32);
        const uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007Full;
        const uint64_t pairs = hundreds | ((halves - 100 * hundreds) << 16);
        const uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000Full;
        return tens | ((pairs - 10 * tens) << 8);
    }

    // Writes the digits as text without the first `zeros` of them.
    static char* putEightDigits(char* out, uint64_t digits, unsigned zeros)
    {
        uint64_t text = (digits + 0x3030303030303030ull) >> (8 * zeros);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        text = __builtin_bswap64(text);
#endif
        std::memcpy(out, &text, sizeof(text));
        return out + 8 - zeros;
    }
};

#endif
