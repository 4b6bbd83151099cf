#ifndef KORVANE_TESTS_PINPOINT_ENCODER_PINPOINTENCODERPROCESS_H
#define KORVANE_TESTS_PINPOINT_ENCODER_PINPOINTENCODERPROCESS_H

// Running the built pinpoint-encoder on hand-written inputs, and the small
// terminologies those inputs describe.

#include <set>
#include <string>
#include <vector>

#include "support/ProcessRunner.h"
#include "support/TextPattern.h"

namespace pinpoint_encoder_e2e {

const std::string kProgram = KORVANE_PINPOINT_ENCODER_PATH;

using Files = ScratchDir;

inline ProcessResult pinpointEncode(std::vector<std::string> arguments, const std::string& input = "")
{
    arguments.insert(arguments.begin(), kProgram);
    return runProgram(arguments, input);
}

// Standard error with the values of the timing lines replaced by "T".
inline std::string maskTimes(const std::string& err)
{
    static const TextPattern fixed("((PARSING PINPOINTING INFO|PARSING AND PRODUCE NEW ENCODING|PARSING NORM-MAP|"
                                   "TOTAL TIME) \\(CPU-sec\\): )[0-9]+\\.[0-9]{6}\n");
    static const TextPattern preprocessing("(QUERIES PREPROCESSING \\(CPU-sec\\): )[0-9.e+-]+\n");
    static const TextPattern query("(S \\[[0-9]+\\]: )[0-9.e+-]+\n");
    std::string masked = fixed.replaced(err, "$1T\n");
    masked = preprocessing.replaced(masked, "$1T\n");
    return query.replaced(masked, "$1T\n");
}

const std::string kPinpointingInfoTime = "PARSING PINPOINTING INFO (CPU-sec): T\n";
const std::string kEncodingTime = "PARSING AND PRODUCE NEW ENCODING (CPU-sec): T\n";
const std::string kMapTime = "PARSING NORM-MAP (CPU-sec): T\n";
const std::string kTotal = "TOTAL TIME (CPU-sec): T\n";

// The answers of a query run: "SAT", or "U" with the set of axiom numbers
// of the line that follows it. An axiom line of another form fails the test
// through an empty optional marker (-1 in the set).
struct Answer {
    bool holds;
    std::set<long> axioms;
    bool operator==(const Answer& other) const { return holds == other.holds && axioms == other.axioms; }
};

inline std::vector<Answer> answers(const std::string& out)
{
    std::vector<Answer> result;
    static const TextPattern numbers("([0-9]+ )*");
    std::size_t start = 0;
    auto nextLine = [&](std::string& line) {
        std::size_t end = out.find('\n', start);
        if (end == std::string::npos)
            return false;
        line = out.substr(start, end - start);
        start = end + 1;
        return true;
    };
    std::string line;
    while (nextLine(line)) {
        if (line == "SAT") {
            result.push_back({false, {}});
            continue;
        }
        Answer a{true, {}};
        std::string axioms;
        if (line != "U" || !nextLine(axioms) || !numbers.matches(axioms)) {
            result.push_back({true, {-1}});
            return result;
        }
        for (std::size_t p = 0; p < axioms.size();) {
            std::size_t blank = axioms.find(' ', p);
            a.axioms.insert(std::stol(axioms.substr(p, blank - p)));
            p = blank + 1;
        }
        result.push_back(a);
    }
    return result;
}

// A terminology of four GCIs, the second of which makes no clause:
//   1: A ⊑ B   2: A ⊑ A   3: B ⊑ C   4: C ⊑ D
// Concept ids: BOTTOM 0, TOP 1, A 2, B 3, C 4, D 5; variables: BOTTOM 1,
// TOP 2, A 3, B 4, C 5, D 6. Classification derives A ⊑ C (by 3 from A ⊑ B),
// A ⊑ D (by 4 from A ⊑ C) and B ⊑ D (by 4 from B ⊑ C), each with a clause.
const std::string kChainEncoding = "c axioms 5 deduced 3\np cnf 6 8\n"
                                   "-1 0\n2 0\n-3 4 0\n-4 5 0\n-5 6 0\n-3 5 0\n-3 6 0\n-4 6 0\n";
const std::string kChainPinpointing = "2 3 1 1 A\n2 2 2 2 A\n3 4 3 3 A\n4 5 4 4 A\n"
                                      "2 4 3 2 3 S\n2 5 4 2 4 S\n3 5 4 3 4 S\n";
const std::string kChainMap = "*bottom* 1\n*top* 2\nA 3\nB 4\nC 5\nD 6\n";
// The assumption variables of axioms 1 to 4 are 7 to 10 (above the six
// declared variables); the three derivations get the control variables 11,
// 12 and 13 in clause order, each with its control clause right after it.
const std::string kChainPinpointingBody = "-1 0\n2 0\n-7 -3 4 0\n-9 -4 5 0\n-10 -5 6 0\n"
                                          "-11 -3 5 0\n-7 -9 11 0\n"
                                          "-12 -3 6 0\n-11 -10 12 0\n"
                                          "-13 -4 6 0\n-9 -10 13 0\n";
const std::string kChainPinpointingHeader = "p cnf 13 11\n";

} // namespace pinpoint_encoder_e2e

#endif
