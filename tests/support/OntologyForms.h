#ifndef KORVANE_TESTS_SUPPORT_ONTOLOGYFORMS_H
#define KORVANE_TESTS_SUPPORT_ONTOLOGYFORMS_H

#include <fstream>
#include <string>
#include <vector>

namespace korvane_test {

// The top-level forms of an ontology file (its axioms and declarations), in
// file order, comments left out.
inline std::vector<std::string> ontologyForms(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> found;
    std::string line;
    std::string current;
    int depth = 0;
    while (std::getline(in, line)) {
        for (char ch : line) {
            if (ch == ';' && depth == 0)
                break;
            if (depth == 0 && ch != '(')
                continue;
            current += ch;
            if (ch == '(')
                ++depth;
            else if (ch == ')' && --depth == 0) {
                found.push_back(current);
                current.clear();
            }
        }
        if (depth > 0)
            current += '\n';
    }
    return found;
}

} // namespace korvane_test

#endif
