#ifndef KORVANE_TESTS_SUPPORT_ONTOLOGYFORMS_H
#define KORVANE_TESTS_SUPPORT_ONTOLOGYFORMS_H

#include <fstream>
#include <random>
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

// Forms dealt to parts by a seeded draw: part k gets a form with
// probability shares[k] / 100; each part is its forms, one per line.
inline std::vector<std::string> dealForms(const std::vector<std::string>& forms, const std::vector<int>& shares,
                                          unsigned seed)
{
    std::mt19937 draw(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    std::vector<std::string> parts(shares.size());
    for (const std::string& form : forms) {
        int p = percent(draw);
        std::size_t k = 0;
        while (k + 1 < shares.size() && p >= shares[k]) {
            p -= shares[k];
            ++k;
        }
        parts[k] += form + "\n";
    }
    return parts;
}

} // namespace korvane_test

#endif
