#ifndef KORVANE_TESTS_PARSERS_SIDEFILETESTSUPPORT_H
#define KORVANE_TESTS_PARSERS_SIDEFILETESTSUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "support/LoadedModel.h"

namespace korvane_test {

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

// Runs `parseText` over `text` in a child process with its standard error
// silenced, and returns how the child ended: its exit status (0 when the
// parser returned 0, 1 when it returned anything else), or 128 + the number
// of the signal that ended it.
int childStatus(const std::string& text, int (*parseText)(const std::string&));

// Runs every text in a child process (childStatus) and expects it to be
// accepted or rejected with status 255, never to end otherwise; returns how
// many texts were accepted.
int acceptedWithoutACrash(const std::vector<std::string>& texts, int (*parseText)(const std::string&));

// `count` variants of the well-formed token sequence `tokens`: each takes up
// to three edits (a token replaced by one drawn from `alphabet`, removed or
// repeated, or the text cut short), and its tokens are separated by a blank
// or a newline. The same seed gives the same texts.
std::vector<std::string> variedTexts(const std::vector<std::string>& tokens, const std::vector<std::string>& alphabet,
                                     int count, unsigned seed);

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

// Input that a side-file reader rejects: the fatal diagnostic it ends with
// under the input context (none when empty), after the one warning `before`
// when that is not empty.
struct RejectedSideFile {
    const char* title;
    const char* input;
    const char* context;
    const char* module;
    int line;
    std::string message;
    std::string before = "";
};

void PrintTo(const RejectedSideFile& c, std::ostream* out);

// The reader ends the process with status 255 and exactly that output.
void expectRejected(int (*parseText)(const std::string&), const RejectedSideFile& c);

} // namespace korvane_test

#endif
