#ifndef KORVANE_TESTS_SUPPORT_QUERYABLENAME_H
#define KORVANE_TESTS_SUPPORT_QUERYABLENAME_H

#include <cctype>
#include <cstring>
#include <string>

// A name that both query languages read as a concept name: a letter or a
// digit, then letters, digits and - # . / : _; not `top` or `bottom` (names
// in the query files, the top and bottom concepts elsewhere) or `quit`.
inline bool queryableName(const std::string& name)
{
    if (name.empty() || !std::isalnum(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && std::strchr("-#./:_", c) == nullptr)
            return false;
    return name != "top" && name != "bottom" && name != "quit";
}

#endif
