#include "support/IncrementalRoads.h"

#include <algorithm>
#include <numeric>
#include <random>

#include "support/OntologyForms.h"
#include "support/ParallelTasks.h"

std::atomic<unsigned long> IncrementalRoads::runCount{0};

const char* roadName(QueryRoad road)
{
    static const char* const names[QueryRoadCount] = {"in order",
                                                      "shuffled",
                                                      "alone",
                                                      "after an increment",
                                                      "after an increment in two halves",
                                                      "between names defined for the sides",
                                                      "after a reload",
                                                      "after a reload and an increment",
                                                      "after a reload, a half, a store, a reload and a half"};
    return names[static_cast<int>(road)];
}

RoadCase RoadCase::dealt(const std::string& path, const std::vector<std::string>& queries, uint32_t seed)
{
    const std::vector<std::string> parts =
        korvane_test::dealForms(korvane_test::ontologyForms(path), {70, 30}, seed);
    return {readFile(path), parts[0], parts[1], queries, "", {}, seed};
}

std::string RoadOptions::title() const
{
    std::string t = sink;
    for (const std::string& o : more)
        t += " " + o;
    return t;
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

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

// The increment's odd (half 0) or even (half 1) lines.
std::string half(const std::string& increment, unsigned which)
{
    std::string part;
    unsigned k = 0;
    for (const std::string& axiom : lines(increment))
        if (!axiom.empty() && k++ % 2 == which)
            part += axiom + "\n";
    return part;
}

} // namespace

IncrementalRoads::IncrementalRoads(std::string program, RoadOptions options)
    : program(std::move(program)), given(std::move(options))
{
}

ProcessResult IncrementalRoads::start(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), program);
    arguments.insert(arguments.end(), given.more.begin(), given.more.end());
    ++runCount;
    return runProgram(arguments, "", true);
}

void IncrementalRoads::fail(QueryRoad road, const std::string& why)
{
    std::lock_guard<std::mutex> hold(failureLock);
    failures[static_cast<int>(road)] += why;
}

void IncrementalRoads::ask(QueryRoad road, std::vector<std::string> arguments, const std::string& queryFile,
                           const std::vector<std::size_t>& slots)
{
    arguments.insert(arguments.end(), {"-q=" + queryFile, given.sink, "-o=/dev/null", "-h=/dev/null"});
    const ProcessResult run = start(arguments);
    const std::vector<int> found = answerLines(run.out);
    if (run.status != 0 || found.size() != slots.size())
        return fail(road, "status " + std::to_string(run.status) + ", " + std::to_string(found.size()) +
                              " answers for " + std::to_string(slots.size()) + " queries: " + run.err + "\n");
    for (std::size_t i = 0; i < slots.size(); ++i)
        byRoad[static_cast<int>(road)][slots[i]] = found[i];
}

bool IncrementalRoads::store(QueryRoad road, const std::string& name, std::vector<std::string> arguments)
{
    arguments.insert(arguments.end(), {"-o=" + scratch.path(name + ".body"), "-h=" + scratch.path(name + ".header"),
                                       "-v=" + scratch.path(name + ".map")});
    const ProcessResult stored = start(arguments);
    if (stored.status != 0) {
        fail(road, "storing: " + stored.err);
        return false;
    }
    scratch.write(name + ".encoding", scratch.read(name + ".header") + scratch.read(name + ".body"));
    return true;
}

std::vector<std::string> IncrementalRoads::reload(const std::string& name, const std::string& increment) const
{
    std::vector<std::string> arguments = {"-io=" + scratch.path(name + ".encoding"),
                                          "-iv=" + scratch.path(name + ".map")};
    if (!increment.empty())
        arguments.push_back("-j=" + increment);
    return arguments;
}

std::vector<std::function<void()>> IncrementalRoads::tasks(const RoadCase& c, const std::vector<QueryRoad>& roads)
{
    for (std::vector<int>& answers : byRoad)
        answers.assign(c.queries.size(), -1);
    std::vector<std::size_t> inOrder(c.queries.size());
    std::iota(inOrder.begin(), inOrder.end(), 0);
    std::vector<std::size_t> shuffled = inOrder;
    std::mt19937 draw(c.shuffle);
    std::shuffle(shuffled.begin(), shuffled.end(), draw);
    std::vector<std::string> mixed;
    for (std::size_t i : shuffled)
        mixed.push_back(c.queries[i]);

    const std::string whole = "-i=" + scratch.write("whole.krss", c.whole);
    const std::string first = "-i=" + scratch.write("first.krss", c.first);
    const std::string increment = scratch.write("increment.krss", c.increment);
    const std::string halves[] = {scratch.write("half1.krss", half(c.increment, 0)),
                                  scratch.write("half2.krss", half(c.increment, 1))};
    const std::string queries = scratch.write("queries", joined(c.queries));
    const auto storeFirst = [this, first](QueryRoad r) {
        std::call_once(firstStored, [&] {
            if (!store(r, "first", {first}))
                firstFailure = failures[static_cast<int>(r)];
        });
        if (!firstFailure.empty() && failures[static_cast<int>(r)].empty())
            fail(r, firstFailure);
        return firstFailure.empty();
    };

    std::vector<std::function<void()>> list;
    for (const QueryRoad r : roads) {
        switch (r) {
        case QueryRoad::InOrder:
            list.push_back([=] { ask(r, {whole}, queries, inOrder); });
            break;
        case QueryRoad::Shuffled:
            list.push_back([=, file = scratch.write("shuffled", joined(mixed))] { ask(r, {whole}, file, shuffled); });
            break;
        case QueryRoad::Alone:
            for (std::size_t i = 0; i < c.queries.size(); ++i)
                list.push_back([=, file = scratch.write("query" + std::to_string(i), c.queries[i] + "\n")] {
                    ask(r, {whole}, file, {i});
                });
            break;
        case QueryRoad::Increment:
            list.push_back([=] { ask(r, {first, "-j=" + increment}, queries, inOrder); });
            break;
        case QueryRoad::IncrementHalves:
            list.push_back([=, both = scratch.write("first-half1.krss", c.first + half(c.increment, 0))] {
                ask(r, {"-i=" + both, "-j=" + halves[1]}, queries, inOrder);
            });
            break;
        case QueryRoad::Defined:
            list.push_back([=, ontology = scratch.write("defined.krss", c.defined),
                            named = scratch.write("named", joined(c.definedQueries))] {
                ask(r, {"-i=" + ontology}, named, inOrder);
            });
            break;
        case QueryRoad::Reload:
            list.push_back([=] {
                if (store(r, "whole", {whole}))
                    ask(r, reload("whole", ""), queries, inOrder);
            });
            break;
        case QueryRoad::ReloadIncrement:
            list.push_back([=] {
                if (storeFirst(r))
                    ask(r, reload("first", increment), queries, inOrder);
            });
            break;
        case QueryRoad::ReloadHalves:
            list.push_back([=] {
                if (storeFirst(r) && store(r, "again", reload("first", halves[0])))
                    ask(r, reload("again", halves[1]), queries, inOrder);
            });
            break;
        }
    }
    return list;
}

void IncrementalRoads::run(const RoadCase& c, const std::vector<QueryRoad>& roads)
{
    std::vector<std::function<void()>> list = tasks(c, roads);
    runParallel(list, 4);
}
