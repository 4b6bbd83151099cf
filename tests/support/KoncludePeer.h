#ifndef KORVANE_TESTS_KONCLUDEPEER_H
#define KORVANE_TESTS_KONCLUDEPEER_H

#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "support/KrssToOwl.h"
#include "support/ParallelTasks.h"
#include "support/PeerSolver.h"
#include "support/ProcessRunner.h"

// The classification of an independent OWL reasoner (Konclude), read from its
// OWL/XML output: the ordered pairs (A, B) of named classes with A ⊑ B,
// A ≠ B, transitively closed, with owl:Thing and owl:Nothing left out as
// either member. Class names are the IRI fragments.
namespace konclude_peer {

using Pairs = std::set<std::pair<std::string, std::string>>;

inline bool newerThan(const std::string& a, const std::string& b)
{
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_mtime >= sb.st_mtime;
}

// Classifies the OWL functional-syntax file into cacheDir (once; later runs
// reuse the output) and returns the output's path, or "" when it failed.
inline std::string classify(const std::string& ofn, const std::string& cacheDir, const std::string& key)
{
    mkdir(cacheDir.c_str(), 0755);
    std::string out = cacheDir + "/" + key + ".owl.xml";
    if (newerThan(out, ofn))
        return out;
    std::string partial = out + "." + std::to_string(getpid());
    ProcessSetup quiet;
    quiet.outputPath = "/dev/null";
    quiet.errorPath = "/dev/null";
    // Two workers: the single-worker mode does not finish.
    if (runProgramWith({"Konclude", "classification", "-w", "2", "-i", ofn, "-o", partial}, quiet).status != 0 ||
        std::rename(partial.c_str(), out.c_str()) != 0) {
        std::remove(partial.c_str());
        return "";
    }
    return out;
}

inline std::string className(const std::string& line)
{
    std::size_t start = line.find("IRI=\"");
    if (start == std::string::npos)
        return "";
    start += 5;
    std::size_t end = line.find('"', start);
    std::string iri = line.substr(start, end - start);
    std::size_t hash = iri.rfind('#');
    std::string fragment = hash == std::string::npos ? iri : iri.substr(hash + 1);
    // owl:Thing and owl:Nothing stay nodes (an equivalence with owl:Thing
    // still links the classes below it) under names no class can have.
    if (iri.compare(0, 30, "http://www.w3.org/2002/07/owl#") == 0)
        return "\x01" + fragment;
    return fragment;
}

inline Pairs readClosure(const std::string& path)
{
    std::map<std::string, std::set<std::string>> up;
    std::ifstream in(path);
    std::string line;
    std::vector<std::string> raw;
    bool inSub = false;
    bool inEq = false;
    while (std::getline(in, line)) {
        if (line.find("<SubClassOf>") != std::string::npos) {
            inSub = true;
            raw.clear();
        } else if (line.find("<EquivalentClasses>") != std::string::npos) {
            inEq = true;
            raw.clear();
        } else if (line.find("</SubClassOf>") != std::string::npos) {
            inSub = false;
            if (raw.size() == 2)
                up[raw[0]].insert(raw[1]);
        } else if (line.find("</EquivalentClasses>") != std::string::npos) {
            inEq = false;
            for (const std::string& a : raw)
                for (const std::string& b : raw)
                    if (a != b)
                        up[a].insert(b);
        } else if ((inSub || inEq) && line.find("<Class ") != std::string::npos) {
            raw.push_back(className(line));
        }
    }
    Pairs closure;
    for (const auto& start : up) {
        if (start.first[0] == '\x01')
            continue;
        std::set<std::string> seen;
        std::vector<std::string> stack(start.second.begin(), start.second.end());
        while (!stack.empty()) {
            std::string next = stack.back();
            stack.pop_back();
            if (!seen.insert(next).second)
                continue;
            auto it = up.find(next);
            if (it != up.end())
                stack.insert(stack.end(), it->second.begin(), it->second.end());
        }
        for (const std::string& b : seen)
            if (b != start.first && b[0] != '\x01')
                closure.insert({start.first, b});
    }
    return closure;
}

// The ontologies (in the ontology language, each under names of its own),
// `size` to an OWL document, classified into dir `workers` documents at a
// time: the closure of each document, ontology i's at i / size; false when
// the reasoner failed on one (dir keeps the documents).
inline bool classifyInBatches(const std::vector<std::string>& ontologies, std::size_t size, const std::string& dir,
                              unsigned workers, std::vector<Pairs>& closures)
{
    closures.assign((ontologies.size() + size - 1) / size, {});
    std::atomic<bool> failed{false};
    std::vector<std::function<void()>> tasks;
    for (std::size_t b = 0; b < closures.size(); ++b)
        tasks.push_back([&, b] {
            std::string krss;
            for (std::size_t i = b * size; i < ontologies.size() && i < (b + 1) * size; ++i)
                krss += ontologies[i];
            const std::string key = "batch" + std::to_string(b);
            writeFile(dir + "/" + key + ".ofn", KrssToOwl(krss).document());
            const std::string out = classify(dir + "/" + key + ".ofn", dir, key);
            if (out.empty())
                failed = true;
            else
                closures[b] = readClosure(out);
        });
    runParallel(tasks, workers);
    return !failed;
}

// The pairs whose first name starts with the prefix.
inline Pairs withPrefix(const Pairs& all, const std::string& prefix)
{
    Pairs found;
    for (const auto& p : all)
        if (p.first.compare(0, prefix.size(), prefix) == 0)
            found.insert(p);
    return found;
}

} // namespace konclude_peer

#endif
