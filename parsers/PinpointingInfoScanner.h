#ifndef KORVANE_PARSERS_PINPOINTINGINFOSCANNER_H
#define KORVANE_PARSERS_PINPOINTINGINFOSCANNER_H

#include <cstdio>
#include <string>
#include <vector>

// The scanner of the pinpointing information: numbers and the record
// letters "A", "B" and "S"; blanks, tabs and carriage returns are skipped,
// newlines counted, anything else is a fatal Lexer error. The input is read
// in large blocks (a line at a time from a terminal) and the numbers are
// scanned in place.
//
// A file of millions of records spends its time in looking up the pairs that
// each record names, in a table far larger than the caches. So the scanner
// looks a few records ahead in its block and announces every record there
// (PinpointingInfoLoader::foresee) before the parser reaches it: the
// lookups of the record are then under way while the records before it are
// read. The records ahead are only glanced at, never checked: the tokens,
// the diagnostics and their order are those of the records as they are read.
class PinpointingInfoScanner {
public:
    enum Token { End, Number, Axiom, Boolean, Deduced };

    // Starts on the input from its current position.
    static void restart(FILE* input);
    // The next token; the number's value in `value`; its text in
    // pinpyytext (empty at the end). At the end of the input the
    // end-of-input report is made (every time the end is asked for).
    static Token next(unsigned long& value);

private:
    explicit PinpointingInfoScanner(FILE* input);

    Token scan(unsigned long& value);
    // Takes the next block; false at the end of the input.
    bool refill();
    Token number(unsigned long& value);
    // A letter token: the lookahead keeps its distance.
    Token letter(Token token);
    void lookAhead();
    // Announces the next record after `ahead` in the block; false when the
    // block ends first.
    bool foreseeRecord();

    static PinpointingInfoScanner* current;

    FILE* input;
    bool interactive;
    std::vector<char> block;
    const char* at = nullptr;
    const char* end = nullptr;
    bool ended = false;
    // The text of the last token: a letter or a short number in shortText,
    // a number that ran across blocks, or too long for 64 bits, in token.
    char shortText[32] = {};
    std::string token;
    char* text = shortText;
    // The lookahead: where it stands in the block, and how many record
    // letters lie between the scanner and it.
    const char* ahead = nullptr;
    unsigned lead = 0;
};

#endif
