#ifndef KORVANE_TESTS_INCREMENTAL_CLASSIFIER_QUERYSAMPLE_H
#define KORVANE_TESTS_INCREMENTAL_CLASSIFIER_QUERYSAMPLE_H

// Seeded queries between the named concepts of a normalisation map, the
// shared ontologies they are asked on, and the answers of a run.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "IncrementalClassifierProcess.h"
#include "support/OntologyForms.h"
#include "support/SharedOntologies.h"

namespace incremental_e2e {

constexpr unsigned kSeed = 20261209;

using Pair = std::pair<std::string, std::string>;  // (sub, super)

inline long fileSize(const std::string& path)
{
    struct stat s;
    return stat(path.c_str(), &s) == 0 ? static_cast<long>(s.st_size) : -1;
}

// The shared ontologies no larger than not-galen, but those whose
// classification rests on the bottom concept (an in-process solver refuses
// an inconsistent one at once).
inline std::vector<shared_ontologies::Case> smallCases()
{
    const std::vector<shared_ontologies::Case> all = shared_ontologies::cases(KORVANE_DATA_DIR);
    long limit = 0;
    for (const shared_ontologies::Case& c : all)
        if (c.name == "not-galen" && !c.elk)
            limit = fileSize(c.krss);
    std::vector<shared_ontologies::Case> found;
    for (const shared_ontologies::Case& c : all)
        if (!shared_ontologies::large(c) && !shared_ontologies::needsBottomRule(c) && fileSize(c.krss) <= limit)
            found.push_back(c);
    return found;
}

// A name usable in a query as it stands.
inline bool plainName(const std::string& name)
{
    if (name.empty() || name[0] == '(' || name[0] == '*' || name[0] == '|' || name[0] == '#')
        return false;
    return name.find_first_of(" ()|;") == std::string::npos && name != "top" && name != "bottom";
}

// The named concepts of a normalisation map with their variables.
inline std::map<std::string, long> namedVariables(const std::string& map)
{
    std::map<std::string, long> found;
    for (const std::string& line : lines(map)) {
        std::size_t blank = line.rfind(' ');
        if (blank == std::string::npos)
            continue;
        const std::string name = line.substr(0, blank);
        if (plainName(name))
            found[name] = std::stol(line.substr(blank + 1));
    }
    return found;
}

// Up to `holding` told inclusions between two names of the map, then
// `random` random pairs of names, which mostly do not hold.
inline std::vector<Pair> samplePairs(const std::string& krss, const std::map<std::string, long>& names, int holding,
                                     int random, std::size_t* toldCount = nullptr)
{
    std::vector<Pair> told;
    static const std::string prefix = "(implies ";
    for (const std::string& form : korvane_test::ontologyForms(krss)) {
        if (form.compare(0, prefix.size(), prefix) != 0 || form.back() != ')')
            continue;
        std::istringstream parts(form.substr(prefix.size(), form.size() - prefix.size() - 1));
        std::string sub, super, rest;
        if (parts >> sub >> super && !(parts >> rest) && names.count(sub) && names.count(super))
            told.emplace_back(sub, super);
    }
    std::mt19937 draw(kSeed);
    std::shuffle(told.begin(), told.end(), draw);
    if (told.size() > static_cast<std::size_t>(holding))
        told.resize(holding);
    if (toldCount != nullptr)
        *toldCount = told.size();
    std::vector<std::string> all;
    for (const auto& entry : names)
        all.push_back(entry.first);
    std::uniform_int_distribution<std::size_t> pick(0, all.empty() ? 0 : all.size() - 1);
    for (int i = 0; i < random && !all.empty(); ++i)
        told.emplace_back(all[pick(draw)], all[pick(draw)]);
    return told;
}

// The complex-query file asking each pair.
inline std::string queryFile(const std::vector<Pair>& pairs)
{
    std::string text;
    for (const Pair& p : pairs)
        text += "(subsumes? " + p.second + " " + p.first + ")\n";
    return text;
}

// The answer lines (U or SAT) of a run's standard output; the classifier's
// lines of pinpointed axioms are left out.
inline std::vector<std::string> answers(const std::string& out)
{
    std::vector<std::string> found;
    for (const std::string& line : lines(out))
        if (line == "U" || line == "SAT")
            found.push_back(line);
    return found;
}

// The ontology's top-level forms split by a seeded draw: the first four
// fifths, then the rest.
inline std::pair<std::string, std::string> splitOntology(const std::string& krss)
{
    std::vector<std::string> forms = korvane_test::ontologyForms(krss);
    std::mt19937 draw(kSeed);
    std::shuffle(forms.begin(), forms.end(), draw);
    const std::size_t cut = forms.size() * 4 / 5;
    std::pair<std::string, std::string> parts;
    for (std::size_t i = 0; i < forms.size(); ++i)
        (i < cut ? parts.first : parts.second) += forms[i] + "\n";
    return parts;
}

// The two parts of splitOntology written to o1.krss and o2.krss in
// `scratch`, their paths in o1 and o2; at least one part holds a form.
inline void writeSplitOntology(const Scratch& scratch, const std::string& krss, std::string& o1, std::string& o2)
{
    const auto [first, rest] = splitOntology(krss);
    ASSERT_FALSE(first.empty() && rest.empty());
    o1 = scratch.write("o1.krss", first);
    o2 = scratch.write("o2.krss", rest);
}

} // namespace incremental_e2e

#endif
