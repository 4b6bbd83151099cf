#ifndef KORVANE_TESTS_SUPPORT_INCREMENTALROADS_H
#define KORVANE_TESTS_SUPPORT_INCREMENTALROADS_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "support/ProcessRunner.h"

// The roads by which the incremental classifier answers a file of queries
// over an ontology dealt to a first part and an increment:
//   InOrder          one run over the whole ontology;
//   Shuffled         the same with the query file shuffled;
//   Alone            one run per query;
//   Increment        the first part, then the increment (-j);
//   IncrementHalves  the first part and the increment's odd lines, then its
//                    even lines;
//   Defined          one run over the ontology with the sides of the queries
//                    defined as names, asked between the names;
//   Reload           the whole stored, reloaded (-io, -iv);
//   ReloadIncrement  the first part stored, reloaded with the increment;
//   ReloadHalves     the first part stored, reloaded with the increment's odd
//                    lines and stored again, reloaded with its even lines.
enum class QueryRoad {
    InOrder, Shuffled, Alone, Increment, IncrementHalves, Defined, Reload, ReloadIncrement, ReloadHalves
};
const int QueryRoadCount = 9;
const char* roadName(QueryRoad road);

// What the roads read.
struct RoadCase {
    std::string whole;
    std::string first;
    std::string increment;
    std::vector<std::string> queries;
    std::string defined;
    std::vector<std::string> definedQueries;
    uint32_t shuffle = 0; // the seed of the shuffled order

    // An ontology file with its forms dealt to the first part and the
    // increment 70 to 30, by the seed that also shuffles the queries.
    static RoadCase dealt(const std::string& path, const std::vector<std::string>& queries, uint32_t seed);
};

// The clause sink (-m or -ms) of the runs that answer, and the options of
// every run.
struct RoadOptions {
    std::string sink;
    std::vector<std::string> more;
    std::string title() const;
};
// The roads and options of complex queries: both sinks, each with one name
// for both sides of a complex concept or, with -e, one per side.
const std::vector<QueryRoad> ComplexQueryRoads = {QueryRoad::InOrder, QueryRoad::Shuffled,  QueryRoad::Alone,
                                                  QueryRoad::Reload,  QueryRoad::Increment, QueryRoad::ReloadIncrement};
const RoadOptions ComplexQueryOptions[] = {{"-m", {}}, {"-ms", {}}, {"-m", {"-e"}}, {"-ms", {"-e"}}};

// The answers of the incremental classifier (the program at `program`) to a
// case by the given roads, in scratch files of its own; one object answers
// one case.
class IncrementalRoads {
public:
    IncrementalRoads(std::string program, RoadOptions options);

    // The runs of the roads, to be run in any order, at once too.
    std::vector<std::function<void()>> tasks(const RoadCase& c, const std::vector<QueryRoad>& roads);
    // Runs them, a few at a time.
    void run(const RoadCase& c, const std::vector<QueryRoad>& roads);

    // Per query, in file order: 1 when it holds (U), 0 when not (SAT), -1
    // when the road gave no answer; and what went wrong on the road.
    const std::vector<int>& answers(QueryRoad road) const { return byRoad[static_cast<int>(road)]; }
    const std::string& failure(QueryRoad road) const { return failures[static_cast<int>(road)]; }
    const RoadOptions& options() const { return given; }

    static unsigned long runs() { return runCount; }

private:
    // A run of the program with these arguments and the options.
    ProcessResult start(std::vector<std::string> arguments);
    // Runs the program on the query file and fills the answers of `slots`.
    void ask(QueryRoad road, std::vector<std::string> arguments, const std::string& queryFile,
             const std::vector<std::size_t>& slots);
    // Stores the encoding and the map of a run as NAME.encoding (the header,
    // then the body) and NAME.map; false (and the road's failure) when the
    // run failed.
    bool store(QueryRoad road, const std::string& name, std::vector<std::string> arguments);
    std::vector<std::string> reload(const std::string& name, const std::string& increment) const;
    void fail(QueryRoad road, const std::string& why);

    const std::string program;
    const RoadOptions given;
    ScratchDir scratch;
    std::vector<int> byRoad[QueryRoadCount];
    std::string failures[QueryRoadCount];
    std::mutex failureLock;
    // The first part is stored once for the roads that reload it.
    std::once_flag firstStored;
    std::string firstFailure;
    static std::atomic<unsigned long> runCount;
};

#endif
