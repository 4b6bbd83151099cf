#ifndef KORVANE_ENCODERS_DIMACSTEXT_H
#define KORVANE_ENCODERS_DIMACSTEXT_H

#include <cstddef>
#include <cstdint>
#include <cstring>

// The text of a DIMACS literal, shared by the writers of clause lines.
struct DimacsText {
    // Room for the longest literal: a sign, ten digits and a blank.
    static constexpr std::size_t LiteralWidth = 12;

    // Appends the literal as a signed 32-bit decimal followed by a blank.
    static char* appendLiteral(char* out, long literal)
    {
        static const char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
        int32_t value = static_cast<int32_t>(literal);
        uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
        if (value < 0)
            *out++ = '-';
        // Digits are made two at a time from the right, into a scratch end.
        char digits[10];
        char* first = digits + sizeof(digits);
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
        const std::size_t length = static_cast<std::size_t>(digits + sizeof(digits) - first);
        std::memcpy(out, first, length);
        out += length;
        *out++ = ' ';
        return out;
    }
};

#endif
