#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"
#include "encoders/DimacsText.h"

namespace {

// The header pair that ends an encoding pass: numbers as signed 32-bit
// decimals, the totals line only for a pass with clauses of either kind.
struct HeaderCase {
    unsigned long variables, clauses, axioms, deduced;
    const char* text;
};

class EncodingHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(EncodingHeader, IsWrittenAsTheCountsSay)
{
    const HeaderCase& c = GetParam();
    korvane_test::MemoryStream header;
    DimacsText::writeEncodingHeader(header.get(), c.variables, c.clauses, c.axioms, c.deduced);
    EXPECT_EQ(header.text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, EncodingHeader,
    ::testing::Values(HeaderCase{7, 2, 2, 0, "c axioms 2 deduced 0\np cnf 7 2\n"},
                      HeaderCase{7, 2, 0, 5, "c axioms 0 deduced 5\np cnf 7 2\n"},
                      HeaderCase{3, 4, 0, 0, "p cnf 3 4\n"},
                      HeaderCase{0, 0, 0, 0, "p cnf 0 0\n"},
                      HeaderCase{2147483647UL, 2147483648UL, 4294967295UL, 1,
                                 "c axioms -1 deduced 1\np cnf 2147483647 -2147483648\n"}));

TEST(EncodingHeaderLines, EachLineStandsAlone)
{
    korvane_test::MemoryStream header;
    DimacsText::writeTotals(header.get(), 0, 0);
    DimacsText::writeProblem(header.get(), 1, 2);
    EXPECT_EQ(header.text(), "c axioms 0 deduced 0\np cnf 1 2\n");
}

}
