#include "parsers/AxiomNumberLimit.h"

#include <string>

#include "model/ParserManager.h"

int AxiomNumberLimit::checked(unsigned long n, const char* what)
{
    if (n > largest) {
        ParserManager* manager = ParserManager::getInstance();
        manager->postError(std::string(what) + " greater than " + std::to_string(largest) + ", line: ", Parser,
                           static_cast<unsigned int>(manager->line));
    }
    return static_cast<int>(n);
}
