#ifndef KORVANE_PARSERS_ENCODINGLIMITS_H
#define KORVANE_PARSERS_ENCODINGLIMITS_H

#include <cstdint>

// What the three readers of a stored encoding check the same way: the numbers
// of the text, the variable count that a problem line may declare, and the
// clauses and variables beyond the declared counts. Every failure is a fatal
// error (of the lexer for a number, of the parser otherwise).
class EncodingLimits {
public:
    EncodingLimits() = delete;

    // The most variables a problem line may declare: the largest variable
    // that the DIMACS text can carry (literals are written as signed 32-bit
    // numbers).
    static constexpr uint64_t LargestVariableCount = 2147483647;

    // A token of at most 20 decimal digits as an unsigned 64-bit number; a
    // number beyond that range is taken as the largest one.
    static uint64_t number(const char* digits);

    // The digits at the head of the text as a number, as number() reads
    // them; returns the end of the digits. Up to 19 digits cannot pass the
    // range and are read at once.
    static const char* readNumber(const char* text, uint64_t& value)
    {
        uint64_t v = 0;
        const char* d = text;
        for (; *d >= '0' && *d <= '9'; ++d)
            v = v * 10 + static_cast<uint64_t>(*d - '0');
        value = d - text > 19 ? number(text) : v;
        return d;
    }

    // Scanner: the number at the head of a token's text (at most 20 digits,
    // then possibly blanks); the text is cut after the digits.
    static uint64_t takeNumber(char* text)
    {
        uint64_t value = 0;
        text[readNumber(text, value) - text] = '\0';
        return value;
    }

    // Scanner: a number of more than 20 digits (the digits read so far);
    // fatal error of the lexer.
    [[noreturn]] static void numberTooLong(const char* digits);

    // A problem line: ERROR when it declares more variables than the text can
    // carry (nothing is sized by such a count).
    static void checkDeclaredVariables(uint64_t variables);

    // The pinpointing encoding numbers its assumption variables up to
    // `lastAssumption` (above the declared variables) and may give each of
    // `derivations` derivations a control variable above them: ERROR when
    // that passes the largest variable the text can carry.
    static void checkPinpointingVariables(uint64_t lastAssumption, uint64_t derivations);

    // Before each clause: one more clause read; ERROR when that is more than
    // the declared count.
    static void countClause(unsigned long& counter, unsigned long declared);

    // Each variable of a clause: ERROR when it lies above the declared count.
    static void checkVariable(uint64_t variable, unsigned long declared);
};

#endif
