// The reload roads of the incremental classifier against its roads without
// a reload on random terminologies (tests/support/ReloadRoads.h), one seed
// after another, and the counts on one line:
//   cases N queries Q reload-faults F references-apart A
// followed, with -v, by the report of every case with a reload fault. The
// exit status is 0 when no reload answer differs from every road without a
// reload, 1 otherwise.
//
// usage: bench_reload_agreement [-v] PROGRAM FIRST_SEED COUNT SINK [OPTION...]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/ReloadRoads.h"

int main(int argc, char** argv)
{
    int k = 1;
    const bool verbose = argc > 1 && std::strcmp(argv[1], "-v") == 0;
    if (verbose)
        ++k;
    if (argc - k < 4) {
        std::fprintf(stderr, "usage: %s [-v] PROGRAM FIRST_SEED COUNT SINK [OPTION...]\n", argv[0]);
        return 2;
    }
    const std::string program = argv[k];
    const unsigned long first = std::strtoul(argv[k + 1], nullptr, 10);
    const unsigned long count = std::strtoul(argv[k + 2], nullptr, 10);
    const std::string sink = argv[k + 3];
    const std::vector<std::string> options(argv + k + 4, argv + argc);
    const ReloadRoads roads(program, sink, options);
    unsigned long cases = 0, queries = 0, faults = 0, apart = 0;
    for (unsigned long seed = first; seed < first + count; ++seed) {
        const ReloadRoads::Outcome outcome = roads.compare(RandomIncrementCase(static_cast<uint32_t>(seed)));
        if (outcome.skipped)
            continue;
        ++cases;
        queries += outcome.queries;
        faults += outcome.reloadFaults;
        apart += outcome.referencesDiffer;
        if (verbose && outcome.reloadFaults > 0)
            std::printf("seed %lu\n%s", seed, outcome.report.c_str());
    }
    std::printf("cases %lu queries %lu reload-faults %lu references-apart %lu\n", cases, queries, faults, apart);
    return faults == 0 ? 0 : 1;
}
