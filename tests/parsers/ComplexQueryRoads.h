#ifndef KORVANE_TESTS_PARSERS_COMPLEXQUERYROADS_H
#define KORVANE_TESTS_PARSERS_COMPLEXQUERYROADS_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The roads by which the incremental classifier answers a file of complex
// queries: the file in order, the file shuffled, each query alone, after a
// reload of the stored encoding and map, after the ontology was split into a
// first part and an increment (-j), and after a reload of the first part's
// encoding and map followed by the increment.
enum class QueryRoad { InOrder, Shuffled, Alone, Reload, Increment, ReloadIncrement };
const QueryRoad AllQueryRoads[] = {QueryRoad::InOrder,   QueryRoad::Shuffled, QueryRoad::Alone,
                                   QueryRoad::Reload,    QueryRoad::Increment, QueryRoad::ReloadIncrement};
const int QueryRoadCount = 6;
const char* roadName(QueryRoad road);

// The clause sink (-m or -ms) and the names of complex concepts (one for
// both sides, or -e: one per side).
struct QueryOptions {
    bool simplifying = false;
    bool separateNames = false;

    std::string name() const { return std::string(simplifying ? "-ms" : "-m") + (separateNames ? " -e" : ""); }
    std::vector<std::string> arguments() const;
};
const QueryOptions AllQueryOptions[] = {{false, false}, {true, false}, {false, true}, {true, true}};

// The answers of the incremental classifier (the program at `program`) to
// the queries over one ontology with one set of options, by every road: one
// program run per road (per query alone), in scratch files of `dir`.
class ComplexQueryRoads {
public:
    ComplexQueryRoads(std::string program, std::string ontologyPath, const std::vector<std::string>& queries,
                      std::string dir, QueryOptions options, uint32_t seed);

    // The first part and the increment of the roads that split the
    // ontology (by default a seeded deal of its axioms, 70 to 30); their
    // union must be the ontology. Before the tasks.
    void split(const std::string& first, const std::string& increment);

    // The runs that fill the answers, to be run in any order, at once too.
    std::vector<std::function<void()>> tasks();

    // Per query, in file order: 1 when it holds (U), 0 when not (SAT), -1
    // when the road gave no answer; and what went wrong on that road.
    const std::vector<int>& answers(QueryRoad road) const { return byRoad[static_cast<int>(road)]; }
    const std::string& failure(QueryRoad road) const { return failures[static_cast<int>(road)]; }

    // The answers of the simple queries (subsumes? X Y) for the given pairs
    // of names of the ontology at `path`, in one run with these options.
    static std::vector<int> namedAnswers(const std::string& program, const std::string& path,
                                         const std::vector<std::pair<std::string, std::string>>& pairs,
                                         const QueryOptions& options);

    static unsigned long runs() { return runCount; }

private:
    // Runs the program on the query file and fills the answers of `slots`.
    void ask(QueryRoad road, const std::vector<std::string>& ontology, const std::string& queryFile,
             const std::vector<std::size_t>& slots);
    // Stores the encoding and the map of the ontology file as NAME.encoding
    // and NAME.map; false (and the road's failure) when that failed.
    bool store(QueryRoad road, const std::string& ontology, const std::string& name);
    std::string file(const std::string& name) const;

    const std::string program;
    const std::string ontologyPath;
    const std::vector<std::string> queries;
    const std::string dir;
    const QueryOptions options;
    const uint32_t seed;
    std::vector<std::size_t> shuffled;
    std::string firstPart;
    std::string incrementPart;
    bool explicitSplit = false;
    std::vector<int> byRoad[QueryRoadCount];
    std::string failures[QueryRoadCount];
    std::mutex failureLock;
    static std::atomic<unsigned long> runCount;
};

#endif
