#include "parsers/TokenNumber.h"

#include <limits>
#include <string>

#include "model/ParserManager.h"

unsigned long TokenNumber::value(const char* digits)
{
    const unsigned long largest = std::numeric_limits<unsigned long>::max();
    unsigned long n = 0;
    for (const char* p = digits; *p >= '0' && *p <= '9'; ++p) {
        unsigned long digit = static_cast<unsigned long>(*p - '0');
        if (n > (largest - digit) / 10)
            ParserManager::getInstance()->postError(std::string("Number out of range: '") + digits + "'", Lexer);
        n = n * 10 + digit;
    }
    return n;
}
