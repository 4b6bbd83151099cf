#ifndef KORVANE_PARSERS_TOKENNUMBER_H
#define KORVANE_PARSERS_TOKENNUMBER_H

// The value of a number token of the side-file scanners: its decimal digits
// as an unsigned 64-bit integer. A number too large for that is a fatal Lexer
// error naming the token, never a value taken modulo 2^64.
class TokenNumber {
public:
    TokenNumber() = delete;

    // `digits` holds decimal digits only (leading zeros allowed).
    static unsigned long value(const char* digits);
};

#endif
