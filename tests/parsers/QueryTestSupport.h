#ifndef KORVANE_TESTS_PARSERS_QUERYTESTSUPPORT_H
#define KORVANE_TESTS_PARSERS_QUERYTESTSUPPORT_H

#include <functional>
#include <string>

#include "support/ProcessRunner.h"

namespace korvane_test {

// Runs the simple-query grammar over `text` (any bytes) read from a file and
// returns the parser's result.
int parseQueries(const std::string& text);

// Runs the simple-query grammar on standard input (simplequeryyyin = stdin).
void parseQueriesFromStandardInput();

// Runs `body` in a child process whose standard input is a pipe holding
// `input` (then closed), and whose standard output and error are captured.
// The child ends with status 0 when `body` returns.
ProcessResult runWithStandardInput(const std::string& input, const std::function<void()>& body);

} // namespace korvane_test

#endif
