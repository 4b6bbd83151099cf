#ifndef KORVANE_TESTS_PINPOINTER_PINPOINTERRUNNER_H
#define KORVANE_TESTS_PINPOINTER_PINPOINTERRUNNER_H

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/ProcessRunner.h"
#include "support/SanitizedBuild.h"

// Runs the built pinpointer executable (KORVANE_PINPOINTER_PATH) in a
// scratch directory of its own, with files written there beforehand.
namespace pinpointer_test {

using RunResult = ProcessResult;

// Whether the tests run in the sanitizer build (slower, and its shadow
// memory needs the whole address space).
inline bool sanitized() {
    return sanitizedBuild();
}

// A scratch directory for the pinpointer's files, and its runs there.
class ScratchDir : public ::ScratchDir {
public:
    // Runs the pinpointer in the directory with the given arguments and
    // standard input.
    RunResult run(const std::vector<std::string>& arguments, const std::string& input = "") const {
        ProcessSetup setup;
        setup.input = input;
        return runWith(arguments, setup);
    }

    // The same with the rest of the setup given (its working directory is
    // replaced by this one).
    RunResult runWith(const std::vector<std::string>& arguments, ProcessSetup setup) const {
        std::vector<std::string> argv{KORVANE_PINPOINTER_PATH};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        setup.workingDirectory = dir;
        return runProgramWith(argv, setup);
    }
};

using ::lines;

// A set of CNF selector numbers.
using Selectors = std::set<int>;

inline Selectors parseSelectors(const std::string& text) {
    Selectors s;
    std::istringstream in(text);
    int v;
    while (in >> v) s.insert(v);
    return s;
}

inline bool isLiteralLine(const std::string& line) {
    return line.find_first_not_of("-0123456789 ") == std::string::npos;
}

// The MinAs listed after "PINPOINTING RESULTS:" and its dashes, one block
// per query, in order. A block is the run of lines holding only literals.
inline std::vector<std::vector<Selectors> > resultBlocks(const std::string& out) {
    std::vector<std::vector<Selectors> > blocks;
    std::vector<std::string> all = lines(out);
    for (std::size_t i = 0; i < all.size(); i++) {
        if (all[i] != "PINPOINTING RESULTS:") continue;
        blocks.emplace_back();
        std::size_t j = i + 2;
        for (; j < all.size() && isLiteralLine(all[j]); j++) blocks.back().push_back(parseSelectors(all[j]));
        i = j - 1;
    }
    return blocks;
}

// The selector sets of the "MinA AXIOMS: " lines, in order.
inline std::vector<Selectors> minaLines(const std::string& out) {
    std::vector<Selectors> found;
    for (const std::string& line : lines(out)) {
        if (line.rfind("MinA AXIOMS: ", 0) == 0) found.push_back(parseSelectors(line.substr(13)));
    }
    return found;
}

}  // namespace pinpointer_test

#endif
