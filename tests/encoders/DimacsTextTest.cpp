#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

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

// A literal is written as printf's "%d " writes it, and writes nothing past
// the room it asks for: every number of digits and each end of its range,
// both signs, and a few thousand numbers of every size, so that each digit
// place takes many values.
TEST(LiteralText, IsTheSignedDecimalFollowedByABlank)
{
    std::vector<long> literals = {0, 2147483647L, -2147483647L, -2147483648L};
    for (long power = 1; power <= 1000000000L; power *= 10)
        for (long n : {power - 1, power, power + 1, 5 * power + 3})
            if (n <= 2147483647L) {
                literals.push_back(n);
                literals.push_back(-n);
            }
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        const long n = static_cast<long>((random() & 0x7FFFFFFFu) >> (random() % 31));
        literals.push_back(random() % 2 == 0 ? n : -n);
    }
    for (long literal : literals) {
        char expected[16];
        std::snprintf(expected, sizeof(expected), "%d ", static_cast<int>(literal));
        char text[DimacsText::LiteralWidth + 4];
        std::fill(std::begin(text), std::end(text), '#');
        char* end = DimacsText::appendLiteral(text, literal);
        EXPECT_EQ(std::string(text, end), expected) << literal;
        EXPECT_TRUE(std::all_of(text + DimacsText::LiteralWidth, std::end(text), [](char c) { return c == '#'; }))
            << literal;
    }
}

}
