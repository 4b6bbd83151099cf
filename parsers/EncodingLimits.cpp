#include "parsers/EncodingLimits.h"

#include <limits>
#include <string>

#include "model/ParserManager.h"

uint64_t EncodingLimits::number(const char* digits)
{
    const uint64_t largest = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (const char* d = digits; *d >= '0' && *d <= '9'; ++d) {
        uint64_t digit = static_cast<uint64_t>(*d - '0');
        if (value > (largest - digit) / 10)
            return largest;
        value = value * 10 + digit;
    }
    return value;
}

void EncodingLimits::numberTooLong(const char* digits)
{
    ParserManager::getInstance()->postError(
        "Number beyond " + std::to_string(std::numeric_limits<uint64_t>::max()) + ": '" + digits + "...'", Lexer);
}

void EncodingLimits::checkDeclaredVariables(uint64_t variables)
{
    if (variables > LargestVariableCount)
        ParserManager::getInstance()->postError(
            "Wrong encoding: the number of variables declared in the problem line (header) exceeds " +
                std::to_string(LargestVariableCount) + "!",
            Parser);
}

void EncodingLimits::checkPinpointingVariables(uint64_t lastAssumption, uint64_t derivations)
{
    // Both are far below 2^64: the declared variables are checked and the
    // axiom indexes bounded.
    if (lastAssumption > LargestVariableCount || derivations > LargestVariableCount - lastAssumption)
        ParserManager::getInstance()->postError(
            "Wrong encoding: the assumption and control variables of the pinpointing encoding would pass " +
                std::to_string(LargestVariableCount) +
                " (too many variables declared in the problem line (header) for the pinpointing information)!",
            Parser);
}

void EncodingLimits::countClause(unsigned long& counter, unsigned long declared)
{
    counter += 1;
    if (counter > declared)
        ParserManager::getInstance()->postError(
            "Wrong encoding: the number of clauses excedes the one declared in the problem line (header)!", Parser);
}

void EncodingLimits::checkVariable(uint64_t variable, unsigned long declared)
{
    if (variable > declared)
        ParserManager::getInstance()->postError(
            "Wrong encoding: the number of variables excedes the one declared in the problem line (header)!",
            Parser);
}
