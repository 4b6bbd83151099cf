#ifndef KORVANE_TESTS_SUPPORT_DEDUCTIONSTABLEPAIRS_H
#define KORVANE_TESTS_SUPPORT_DEDUCTIONSTABLEPAIRS_H

#include <set>
#include <sstream>
#include <string>
#include <utility>

namespace korvane_test {

// The pairs (A, B) of named concepts of a classifier's deductions table: the
// lines "N (implies A B )" whose two sides are names (complex sides start
// with a parenthesis, fresh concepts with a number sign).
inline std::set<std::pair<std::string, std::string>> deductionsTablePairs(const std::string& table)
{
    std::set<std::pair<std::string, std::string>> pairs;
    std::istringstream in(table);
    std::string line;
    const std::string opening = "(implies ";
    const std::string closing = " )";
    while (std::getline(in, line)) {
        std::size_t start = line.find(opening);
        if (start == std::string::npos || line.size() < start + opening.size() + closing.size() ||
            line.compare(line.size() - closing.size(), closing.size(), closing) != 0)
            continue;
        std::string sides = line.substr(start + opening.size(), line.size() - closing.size() - start - opening.size());
        std::size_t blank = sides.find(' ');
        if (blank == std::string::npos)
            continue;
        std::string a = sides.substr(0, blank);
        std::string b = sides.substr(blank + 1);
        auto named = [](const std::string& c) {
            return !c.empty() && c[0] != '(' && c[0] != '#' && c.find(' ') == std::string::npos;
        };
        if (named(a) && named(b))
            pairs.insert({a, b});
    }
    return pairs;
}

} // namespace korvane_test

#endif
