#ifndef KORVANE_TESTS_SUPPORT_RELOADOUTCOME_H
#define KORVANE_TESTS_SUPPORT_RELOADOUTCOME_H

#include <algorithm>
#include <string>
#include <vector>

#include "support/IncrementalRoads.h"

// The incremental classifier's roads with a stored encoding against those
// without, on one case: a reload road answers as the roads without a reload
// (the references) do, so a query whose answer on a reload road is not the
// answer of one of the references is the reload's fault. A query whose
// references disagree among themselves is a fault of classification or of
// the query reader, not of a reload; it is counted apart.
struct ReloadOutcome {
    unsigned queries = 0;
    unsigned reloadFaults = 0;     // reload answers that no reference gives
    unsigned referencesDiffer = 0; // queries whose references disagree
    bool skipped = false;          // no reference ended well
    std::string report;            // the faults, with the case

    static ReloadOutcome of(const std::string& program, const RoadOptions& options, const RoadCase& c)
    {
        const std::vector<QueryRoad> references = {QueryRoad::InOrder, QueryRoad::Increment,
                                                   QueryRoad::IncrementHalves, QueryRoad::Defined};
        const std::vector<QueryRoad> reloads = {QueryRoad::ReloadIncrement, QueryRoad::Reload,
                                                QueryRoad::ReloadHalves};
        std::vector<QueryRoad> all = references;
        all.insert(all.end(), reloads.begin(), reloads.end());
        IncrementalRoads roads(program, options);
        roads.run(c, all);

        ReloadOutcome outcome;
        std::vector<QueryRoad> answering;
        for (QueryRoad r : references)
            if (roads.failure(r).empty())
                answering.push_back(r);
        outcome.skipped = answering.empty();
        outcome.queries = outcome.skipped ? 0 : static_cast<unsigned>(c.queries.size());
        for (std::size_t q = 0; q < outcome.queries; ++q) {
            std::vector<int> given;
            for (QueryRoad r : answering)
                given.push_back(roads.answers(r)[q]);
            if (std::count(given.begin(), given.end(), given.front()) != static_cast<long>(given.size()))
                ++outcome.referencesDiffer;
            for (QueryRoad r : reloads) {
                const int answer = roads.answers(r)[q];
                if (std::find(given.begin(), given.end(), answer) != given.end())
                    continue;
                ++outcome.reloadFaults;
                outcome.report += std::string(roadName(r)) + ": query " + std::to_string(q + 1) + " answers " +
                                  (answer < 0 ? "nothing" : answer ? "U" : "SAT") + ", the references " +
                                  (given.front() ? "U" : "SAT") + "\n";
            }
        }
        if (outcome.reloadFaults == 0)
            return outcome;
        for (QueryRoad r : reloads)
            outcome.report += roads.failure(r);
        outcome.report += "first part:\n" + c.first + "increment:\n" + c.increment + "queries:\n";
        for (const std::string& q : c.queries)
            outcome.report += q + "\n";
        return outcome;
    }
};

#endif
