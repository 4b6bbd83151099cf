#include "ComplexQueryRoads.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>

#include "support/OntologyForms.h"
#include "support/ProcessRunner.h"

std::atomic<unsigned long> ComplexQueryRoads::runCount{0};

const char* roadName(QueryRoad road)
{
    switch (road) {
    case QueryRoad::InOrder:
        return "in order";
    case QueryRoad::Shuffled:
        return "shuffled";
    case QueryRoad::Alone:
        return "alone";
    case QueryRoad::Reload:
        return "after a reload";
    case QueryRoad::Increment:
        return "after an increment";
    case QueryRoad::ReloadIncrement:
        return "after a reload and an increment";
    }
    return "";
}

std::vector<std::string> QueryOptions::arguments() const
{
    std::vector<std::string> a = {simplifying ? "-ms" : "-m", "-o=/dev/null", "-h=/dev/null"};
    if (separateNames)
        a.push_back("-e");
    return a;
}

namespace {

// The answers U and SAT of a standard output, as 1 and 0.
std::vector<int> answerLines(const std::string& out)
{
    std::vector<int> found;
    for (const std::string& line : lines(out))
        if (line == "U" || line == "SAT")
            found.push_back(line == "U" ? 1 : 0);
    return found;
}

} // namespace

ComplexQueryRoads::ComplexQueryRoads(std::string program, std::string ontologyPath,
                                     const std::vector<std::string>& queries, std::string dir, QueryOptions options,
                                     uint32_t seed)
    : program(std::move(program)), ontologyPath(std::move(ontologyPath)), queries(queries), dir(std::move(dir)),
      options(options), seed(seed), shuffled(queries.size())
{
    std::filesystem::create_directories(this->dir);
    std::iota(shuffled.begin(), shuffled.end(), 0);
    std::mt19937 draw(seed);
    std::shuffle(shuffled.begin(), shuffled.end(), draw);
    for (std::vector<int>& answers : byRoad)
        answers.assign(queries.size(), -1);
}

std::string ComplexQueryRoads::file(const std::string& name) const
{
    std::string tag = options.name();
    std::replace(tag.begin(), tag.end(), ' ', '_');
    return dir + "/" + name + tag;
}

void ComplexQueryRoads::ask(QueryRoad road, const std::vector<std::string>& ontology, const std::string& queryFile,
                            const std::vector<std::size_t>& slots)
{
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), ontology.begin(), ontology.end());
    argv.push_back("-q=" + queryFile);
    for (const std::string& a : options.arguments())
        argv.push_back(a);
    ++runCount;
    const ProcessResult run = runProgram(argv, "", true);
    const std::vector<int> found = answerLines(run.out);
    if (run.status != 0 || found.size() != slots.size()) {
        std::lock_guard<std::mutex> hold(failureLock);
        failures[static_cast<int>(road)] += "status " + std::to_string(run.status) + ", " + std::to_string(found.size()) + " answers for " +
                   std::to_string(slots.size()) + " queries: " + run.err + "\n";
        return;
    }
    for (std::size_t i = 0; i < slots.size(); ++i)
        byRoad[static_cast<int>(road)][slots[i]] = found[i];
}

std::vector<std::function<void()>> ComplexQueryRoads::tasks()
{
    std::vector<std::function<void()>> list;
    std::vector<std::size_t> inOrder(queries.size());
    std::iota(inOrder.begin(), inOrder.end(), 0);
    std::string text;
    for (const std::string& q : queries)
        text += q + "\n";
    const std::string whole = file("queries");
    writeFile(whole, text);
    const std::vector<std::string> ontology = {"-i=" + ontologyPath};
    list.push_back([this, ontology, whole, inOrder] { ask(QueryRoad::InOrder, ontology, whole, inOrder); });

    std::string shuffledText;
    for (std::size_t i : shuffled)
        shuffledText += queries[i] + "\n";
    const std::string mixed = file("shuffled");
    writeFile(mixed, shuffledText);
    list.push_back([this, ontology, mixed] { ask(QueryRoad::Shuffled, ontology, mixed, shuffled); });

    for (std::size_t i = 0; i < queries.size(); ++i) {
        const std::string one = file("query" + std::to_string(i) + "_");
        writeFile(one, queries[i] + "\n");
        list.push_back([this, ontology, one, i] { ask(QueryRoad::Alone, ontology, one, {i}); });
    }

    list.push_back([this, whole, inOrder] {
        if (store(QueryRoad::Reload, ontologyPath, "whole"))
            ask(QueryRoad::Reload, {"-io=" + file("whole.encoding"), "-iv=" + file("whole.map")}, whole, inOrder);
    });

    if (!explicitSplit) {
        const std::vector<std::string> parts =
            korvane_test::dealForms(korvane_test::ontologyForms(ontologyPath), {70, 30}, seed);
        firstPart = parts[0];
        incrementPart = parts[1];
    }
    writeFile(file("first"), firstPart);
    writeFile(file("increment"), incrementPart);
    list.push_back([this, whole, inOrder] {
        ask(QueryRoad::Increment, {"-i=" + file("first"), "-j=" + file("increment")}, whole, inOrder);
    });
    list.push_back([this, whole, inOrder] {
        if (store(QueryRoad::ReloadIncrement, file("first"), "first"))
            ask(QueryRoad::ReloadIncrement,
                {"-io=" + file("first.encoding"), "-iv=" + file("first.map"), "-j=" + file("increment")}, whole,
                inOrder);
    });
    return list;
}

void ComplexQueryRoads::split(const std::string& first, const std::string& increment)
{
    firstPart = first;
    incrementPart = increment;
    explicitSplit = true;
}

bool ComplexQueryRoads::store(QueryRoad road, const std::string& ontology, const std::string& name)
{
    // The encoding file is the header, then the body.
    std::vector<std::string> argv = {program, "-i=" + ontology, "-o=" + file(name + ".body"),
                                     "-h=" + file(name + ".header"), "-v=" + file(name + ".map")};
    if (options.separateNames)
        argv.push_back("-e");
    ++runCount;
    const ProcessResult stored = runProgram(argv, "", true);
    if (stored.status != 0) {
        std::lock_guard<std::mutex> hold(failureLock);
        failures[static_cast<int>(road)] += "storing: " + stored.err;
        return false;
    }
    writeFile(file(name + ".encoding"), readFile(file(name + ".header")) + readFile(file(name + ".body")));
    return true;
}

std::vector<int> ComplexQueryRoads::namedAnswers(const std::string& program, const std::string& path,
                                                 const std::vector<std::pair<std::string, std::string>>& pairs,
                                                 const QueryOptions& options)
{
    std::vector<std::string> argv = {program, "-i=" + path, "-q"};
    for (const std::string& a : options.arguments())
        argv.push_back(a);
    std::string input;
    for (const auto& p : pairs)
        input += "(subsumes? " + p.first + " " + p.second + ")\n";
    ++runCount;
    const ProcessResult run = runProgram(argv, input);
    std::vector<int> found = answerLines(run.out);
    found.resize(pairs.size(), -1);
    return found;
}
