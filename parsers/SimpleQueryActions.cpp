#include "parsers/SimpleQueryActions.h"

#include <cstdio>
#include <cstdlib>

SimpleQueryActions* SimpleQueryActions::current = nullptr;

void SimpleQueryActions::install(SimpleQueryActions* actions)
{
    current = actions;
}

SimpleQueryActions& SimpleQueryActions::installed()
{
    if (current == nullptr) {
        std::fputs("no query actions installed\n", stderr);
        std::abort();
    }
    return *current;
}
