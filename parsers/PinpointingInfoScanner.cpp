#include "parsers/PinpointingInfoScanner.h"

#include <cstring>
#include <unistd.h>

#include "parsers/GrammarSupport.h"
#include "parsers/PinpointingInfoLoader.h"
#include "parsers/TokenNumber.h"

FILE* pinpyyin = nullptr;
FILE* pinpyyout = nullptr;
char* pinpyytext = nullptr;

void pinpyyrestart(FILE* input)
{
    PinpointingInfoScanner::restart(input);
}

namespace {

const std::size_t BlockSize = 1 << 20;
// Records announced ahead of the one being read.
const unsigned Lookahead = 16;
// The most numbers of a record ahead that are looked at.
const unsigned NumbersAhead = 16;
// Fewer digits than this never exceed 64 bits.
const std::size_t SafeDigits = 20;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

}

PinpointingInfoScanner* PinpointingInfoScanner::current = nullptr;

PinpointingInfoScanner::PinpointingInfoScanner(FILE* input)
    : input(input), interactive(input != nullptr && isatty(fileno(input)) > 0)
{
}

void PinpointingInfoScanner::restart(FILE* input)
{
    delete current;
    current = new PinpointingInfoScanner(input != nullptr ? input : stdin);
}

PinpointingInfoScanner::Token PinpointingInfoScanner::next(unsigned long& value)
{
    if (current == nullptr)
        restart(pinpyyin);
    Token t = current->scan(value);
    pinpyytext = current->text;
    return t;
}

bool PinpointingInfoScanner::refill()
{
    if (ended)
        return false;
    if (block.empty())
        block.resize(BlockSize);
    std::size_t n = GrammarSupport::readInput(input, block.data(), block.size(), interactive);
    if (n == 0) {
        ended = true;
        at = end = ahead = nullptr;
        return false;
    }
    at = ahead = block.data();
    end = at + n;
    lead = 0;
    return true;
}

PinpointingInfoScanner::Token PinpointingInfoScanner::scan(unsigned long& value)
{
    for (;;) {
        if (at == end && !refill()) {
            shortText[0] = '\0';
            text = shortText;
            GrammarSupport::endOfInput();
            return End;
        }
        char c = *at;
        switch (c) {
        case ' ':
        case '\t':
        case '\r': ++at; continue;
        case '\n':
            ++at;
            GrammarSupport::newLine();
            continue;
        case 'A': return letter(Axiom);
        case 'B': return letter(Boolean);
        case 'S': return letter(Deduced);
        default: break;
        }
        if (isDigit(c))
            return number(value);
        ++at;
        shortText[0] = c;
        shortText[1] = '\0';
        text = shortText;
        GrammarSupport::unrecognizedToken(text);
    }
}

PinpointingInfoScanner::Token PinpointingInfoScanner::letter(Token t)
{
    shortText[0] = *at;
    shortText[1] = '\0';
    text = shortText;
    ++at;
    if (lead > 0)
        --lead;
    lookAhead();
    return t;
}

PinpointingInfoScanner::Token PinpointingInfoScanner::number(unsigned long& value)
{
    // A number that ends inside the block is read in place.
    const char* p = at;
    unsigned long n = 0;
    while (p != end && isDigit(*p) && static_cast<std::size_t>(p - at) < SafeDigits)
        n = n * 10 + static_cast<unsigned long>(*p++ - '0');
    const std::size_t length = static_cast<std::size_t>(p - at);
    if (p != end && !isDigit(*p) && length < SafeDigits) {
        std::memcpy(shortText, at, length);
        shortText[length] = '\0';
        text = shortText;
        at = p;
        value = n;
        return Number;
    }
    // Otherwise it may go on in the next block, or be too long for 64 bits.
    token.clear();
    for (;;) {
        p = at;
        while (p != end && isDigit(*p))
            ++p;
        token.append(at, p);
        at = p;
        if (at != end || !refill())
            break;
    }
    text = &token[0];
    value = TokenNumber::value(text);
    return Number;
}

void PinpointingInfoScanner::lookAhead()
{
    if (interactive || ahead == nullptr)
        return;
    if (ahead < at) {
        ahead = at;
        lead = 0;
    }
    while (lead < Lookahead && foreseeRecord())
        ++lead;
}

bool PinpointingInfoScanner::foreseeRecord()
{
    unsigned long numbers[NumbersAhead];
    unsigned count = 0;
    const char* p = ahead;
    while (p != end) {
        char c = *p;
        if (isDigit(c)) {
            unsigned long n = 0;
            while (p != end && isDigit(*p))
                n = n * 10 + static_cast<unsigned long>(*p++ - '0');
            if (count < NumbersAhead)
                numbers[count++] = n;
            continue;
        }
        ++p;
        if (c == 'A' || c == 'B' || c == 'S') {
            ahead = p;
            PinpointingInfoLoader::foresee(numbers, count, c == 'A');
            return true;
        }
    }
    ahead = end;
    return false;
}
