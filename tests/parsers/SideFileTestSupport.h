#ifndef KORVANE_TESTS_PARSERS_SIDEFILETESTSUPPORT_H
#define KORVANE_TESTS_PARSERS_SIDEFILETESTSUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace korvane_test {

// Fresh model, names table, diagnostics collector and EncodedTBox for a test
// that reads side files (earlier singletons are left to leak).
void resetSideFileState();

// The normalisation map, the pinpointing information and the axioms
// information read from `text`.
int parseMap(const std::string& text);
int parsePinpointingInfo(const std::string& text);
int parseAxiomsInfo(const std::string& text);

// One diagnostic line as the collector prints it, under the input context
// (none when empty), with the number glued to the message when not 0.
std::string diagnostic(const std::string& context, const std::string& module, const std::string& kind, int line,
                       const std::string& message, unsigned int number = 0);

// The message of a character that no scanner rule accepts.
std::string unrecognized(const std::string& text);

// The end-of-input report of `count` warnings.
std::string warningsSummary(int count);

// Names a parameterised case by its title.
struct ByTitle {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return info.param.title;
    }
};

// What a fatal error leaves on standard error after `before` (the warnings
// printed earlier): the error's diagnostic and the totals line, as a literal
// regular expression.
std::string fatalOutput(const std::string& before, const std::string& error, int warnings);

} // namespace korvane_test

#endif
