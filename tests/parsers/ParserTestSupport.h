#ifndef KORVANE_TESTS_PARSERS_PARSERTESTSUPPORT_H
#define KORVANE_TESTS_PARSERS_PARSERTESTSUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "model/Axiom.h"
#include "model/Concept.h"
#include "model/Role.h"
#include "model/RoleAxiom.h"

namespace korvane_test {

// Fresh model singletons and counters for a test that parses: a new TBox,
// names table and diagnostics collector (earlier ones are left to leak).
void resetParserState();

// A test that parses, on fresh parser state.
class FreshParserTest : public ::testing::Test {
protected:
    void SetUp() override { resetParserState(); }
};

// A temporary file holding the bytes of `text`; removed again on destruction.
class TempInput {
public:
    explicit TempInput(const std::string& text);
    TempInput(const TempInput&) = delete;
    TempInput& operator=(const TempInput&) = delete;
    ~TempInput();
    const std::string& path() const { return filePath; }

private:
    std::string filePath;
};

// Runs a grammar whose input stream is `input` over `text` (any bytes) read
// from a file, and returns the parser's result.
int parseFrom(const std::string& text, FILE*& input, const std::function<int()>& parse);

// Parses `text` (any bytes) with the ontology grammar, read from a file, and
// returns the parser's result.
int parseOntology(const std::string& text);

// The full diagnostic of a fatal error as the collector prints it, as a
// literal regular expression.
std::string fatalError(const std::string& module, int line, const std::string& message);

// Objects the parse made, found through the names table (null when absent or
// of the other type).
Concept* conceptNamed(const std::string& name);
Role* roleNamed(const std::string& name);

std::vector<Axiom*> inputAxioms();
std::vector<RoleAxiom*> roleAxioms();

} // namespace korvane_test

#endif
