#ifndef KORVANE_TESTS_E2E_CLASSIFIERPROCESS_H
#define KORVANE_TESTS_E2E_CLASSIFIERPROCESS_H

// Running the built classifier from a test and reading what it wrote.

#include <string>
#include <vector>

#include "support/ProcessRunner.h"
#include "support/TextPattern.h"

namespace classifier_e2e {

const std::string kClassifier = KORVANE_CLASSIFIER_PATH;
const std::string kDataDir = KORVANE_DATA_DIR;
const std::string kExamplesDir = KORVANE_EXAMPLES_DIR;

using Scratch = ScratchDir;

// The classifier with these arguments, `input` fed to its standard input
// through a pipe (an empty input is an immediate end of file).
inline ProcessResult classify(std::vector<std::string> arguments, const std::string& input = "")
{
    arguments.insert(arguments.begin(), kClassifier);
    return runProgram(arguments, input);
}

// The same with standard input and standard output on a pseudo-terminal.
inline ProcessResult classifyInTerminal(std::vector<std::string> arguments, const std::string& typed)
{
    arguments.insert(arguments.begin(), kClassifier);
    return runInTerminal(arguments, typed);
}

// The classifier started by a shell in `directory`, with `redirection`
// (such as ">/dev/full") applied to it.
inline ProcessResult classifyThroughShell(const std::string& directory, const std::vector<std::string>& arguments,
                                          const std::string& redirection = "")
{
    std::vector<std::string> argv = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\" " + redirection, directory,
                                     kClassifier};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return runProgram(argv);
}

// Standard error with the values of the timing lines replaced by "T". A
// line is masked only when its name is a phase of the classifier and its
// value has the phase's format ("%f", or "%g" for the query lines), so any
// other text stays as it is and shows up in a comparison.
inline std::string maskTimes(const std::string& err)
{
    static const TextPattern fixed(
        "(PARSING|NORMALIZATION|CLASSIFICATION AND ENCODING \\[init\\+ded\\+enc\\]|TOTAL TIME) \\(CPU-sec\\): "
        "[0-9]+\\.[0-9]{6}");
    static const TextPattern preprocessing("QUERIES PREPROCESSING \\(CPU-sec\\): [0-9]+(\\.[0-9]+)?(e[-+][0-9]+)?");
    static const TextPattern query("S \\[([0-9]+)\\]: [0-9]+(\\.[0-9]+)?(e[-+][0-9]+)?");
    std::string masked;
    for (const std::string& line : lines(err)) {
        std::vector<std::string> m;
        if (fixed.matches(line) || preprocessing.matches(line))
            masked += line.substr(0, line.find("): ") + 3) + "T";
        else if (query.matches(line, m))
            masked += "S [" + m[1] + "]: T";
        else
            masked += line;
        masked += "\n";
    }
    if (!err.empty() && err.back() != '\n')
        masked.pop_back();
    return masked;
}

// The timing lines of a run without queries, around what the classification
// writes between them (the header lines when they go to standard error).
inline std::string phases(const std::string& duringClassification = "")
{
    return "PARSING (CPU-sec): T\n"
           "NORMALIZATION (CPU-sec): T\n" +
           duringClassification + "CLASSIFICATION AND ENCODING [init+ded+enc] (CPU-sec): T\n";
}
const std::string kTotal = "TOTAL TIME (CPU-sec): T\n";

// The numbers of a line of pinpointed axioms ("%d " each), or false when the
// line is not of that form.
inline bool axiomNumbers(const std::string& line, std::vector<long>& numbers)
{
    static const TextPattern form("([0-9]+ )*");
    if (!form.matches(line))
        return false;
    numbers.clear();
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t end = line.find(' ', start);
        numbers.push_back(std::stol(line.substr(start, end - start)));
        start = end + 1;
    }
    return true;
}

} // namespace classifier_e2e

#endif
