#ifndef KORVANE_TESTS_INCREMENTAL_CLASSIFIER_INCREMENTALCLASSIFIERPROCESS_H
#define KORVANE_TESTS_INCREMENTAL_CLASSIFIER_INCREMENTALCLASSIFIERPROCESS_H

// Running the built incremental classifier from a test.

#include <string>
#include <vector>

#include "e2e/ClassifierProcess.h"

namespace incremental_e2e {

using classifier_e2e::Scratch;

const std::string kIncremental = KORVANE_INCREMENTAL_CLASSIFIER_PATH;

// The incremental classifier with these arguments, `input` fed to its
// standard input through a pipe.
inline ProcessResult incremental(std::vector<std::string> arguments, const std::string& input = "")
{
    arguments.insert(arguments.begin(), kIncremental);
    return runProgram(arguments, input);
}

// The names of the timing lines ("NAME (CPU-sec): ...") of a standard error
// text, in order.
inline std::vector<std::string> timingNames(const std::string& err)
{
    std::vector<std::string> names;
    for (const std::string& line : lines(err)) {
        std::size_t at = line.find(" (CPU-sec): ");
        if (at != std::string::npos)
            names.push_back(line.substr(0, at));
    }
    return names;
}

} // namespace incremental_e2e

#endif
