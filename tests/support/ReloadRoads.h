#ifndef KORVANE_TESTS_SUPPORT_RELOADROADS_H
#define KORVANE_TESTS_SUPPORT_RELOADROADS_H

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/ProcessRunner.h"
#include "support/RandomIncrementCase.h"

// The incremental classifier's roads from a terminology dealt to a first
// part and an increment to the answers of one query file, with and without
// a stored encoding:
//   without a reload (the references): one run over the whole terminology;
//   the first part with the increment (-j); the first part and the
//   increment's first half with its second half; one run over the whole
//   terminology with the queries' concepts defined as names, asked as names;
//   reloads: the first part stored, reloaded and the increment added; the
//   whole terminology stored and reloaded; the first part stored, reloaded
//   with the increment's first half and stored again, reloaded with the
//   second half.
// A reload road answers as the roads without a reload do: a query whose
// answer on a reload road is not the answer of one of the references is the
// reload's fault. A query whose references disagree among themselves is a
// fault of classification or of the query reader, not of a reload; it is
// counted apart. Every run gets the same options; the runs that answer
// also the clause sink (-m or -ms), the runs that store none.
class ReloadRoads {
public:
    struct Outcome {
        unsigned queries = 0;
        unsigned reloadFaults = 0;     // reload answers that no reference gives
        unsigned referencesDiffer = 0;  // queries whose references disagree
        bool skipped = false;          // no reference ended well
        std::string report;            // the faults, with the case
    };

    ReloadRoads(std::string program, std::string sink, std::vector<std::string> options)
        : program(std::move(program)), sink(std::move(sink)), options(std::move(options))
    {
    }

    Outcome compare(const RandomIncrementCase& c) const
    {
        ScratchDir scratch;
        const std::string whole = scratch.write("whole", c.whole());
        const std::string first = scratch.write("first", c.first);
        const std::string increment = scratch.write("increment", c.increment);
        const std::string firstHalf = scratch.write("half1", c.incrementPart(0));
        const std::string secondHalf = scratch.write("half2", c.incrementPart(1));
        const std::string firstAndHalf = scratch.write("first-half1", c.first + c.incrementPart(0));
        const std::string queries = scratch.write("queries", c.queries);

        const std::vector<Answers> references = {
            ask({"-i=" + whole}, queries),
            ask({"-i=" + first, "-j=" + increment}, queries),
            ask({"-i=" + firstAndHalf, "-j=" + secondHalf}, queries),
            ask({"-i=" + scratch.write("defined", c.defined)}, scratch.write("named", c.definedQueries)),
        };
        const Stored storedFirst = store(scratch, "first", {"-i=" + first});
        const Stored storedWhole = store(scratch, "whole", {"-i=" + whole});
        const Stored storedAgain = store(scratch, "again", reload(storedFirst, firstHalf));
        const std::vector<std::pair<const char*, Answers>> reloads = {
            {"reload, increment", ask(reload(storedFirst, increment), queries)},
            {"reload of the whole", ask(reload(storedWhole, ""), queries)},
            {"reload, half, store, reload, half", ask(reload(storedAgain, secondHalf), queries)},
        };

        Outcome outcome;
        std::size_t count = 0;
        for (const Answers& r : references)
            count = std::max(count, r.size());
        if (count == 0) {
            outcome.skipped = true;
            return outcome;
        }
        outcome.queries = static_cast<unsigned>(count);
        for (std::size_t q = 0; q < count; ++q) {
            std::vector<std::string> given;
            for (const Answers& r : references)
                if (r.size() == count)
                    given.push_back(r[q]);
            if (std::count(given.begin(), given.end(), given.front()) != static_cast<long>(given.size()))
                ++outcome.referencesDiffer;
            for (const auto& road : reloads) {
                const std::string answer = road.second.size() == count ? road.second[q] : "(no answers)";
                if (std::find(given.begin(), given.end(), answer) != given.end())
                    continue;
                ++outcome.reloadFaults;
                outcome.report += std::string(road.first) + ": query " + std::to_string(q + 1) + " answers " +
                                  answer + ", the references " + given.front() + "\n";
            }
        }
        if (outcome.reloadFaults > 0)
            outcome.report += "first part:\n" + c.first + "increment:\n" + c.increment + "queries:\n" + c.queries;
        return outcome;
    }

    // The steps of the roads, which other tests take for roads of their own.
    using Answers = std::vector<std::string>;
    // An encoding file (header, then clauses) and its map.
    struct Stored {
        std::string encoding;
        std::string map;
    };

    // The answers (U or SAT, in the file's order) of a run that reads the
    // query file with the sink, none when it did not end well.
    Answers ask(std::vector<std::string> arguments, const std::string& queries) const
    {
        arguments.insert(arguments.end(), {"-q=" + queries, sink, "-o=/dev/null", "-h=/dev/null"});
        const ProcessResult r = runProgram(withOptions(arguments));
        Answers found;
        if (r.status != 0)
            return found;
        for (const std::string& line : lines(r.out))
            if (line == "U" || line == "SAT")
                found.push_back(line);
        return found;
    }

    // Stores the encoding and the map of a run, as NAME.encoding (the header,
    // then the body) and NAME.map of the scratch directory.
    Stored store(const ScratchDir& scratch, const std::string& name, std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.end(), {"-o=" + scratch.path(name + ".body"), "-h=" + scratch.path(name + ".header"),
                                           "-v=" + scratch.path(name + ".map")});
        runProgram(withOptions(arguments));
        return {scratch.write(name + ".encoding", scratch.read(name + ".header") + scratch.read(name + ".body")),
                scratch.path(name + ".map")};
    }

    // The arguments that reload what was stored, with the increment if any.
    static std::vector<std::string> reload(const Stored& stored, const std::string& increment)
    {
        std::vector<std::string> arguments = {"-io=" + stored.encoding, "-iv=" + stored.map};
        if (!increment.empty())
            arguments.push_back("-j=" + increment);
        return arguments;
    }

private:
    std::vector<std::string> withOptions(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), program);
        arguments.insert(arguments.end(), options.begin(), options.end());
        return arguments;
    }

    std::string program;
    std::string sink;
    std::vector<std::string> options;
};

#endif
