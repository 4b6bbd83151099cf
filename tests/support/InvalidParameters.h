#ifndef KORVANE_TESTS_INVALIDPARAMETERS_H
#define KORVANE_TESTS_INVALIDPARAMETERS_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ProcessRunner.h"

// A program's run on arguments it rejects, every one of them: one line
// "Invalid parameter: ARGUMENT" each on standard error, in order, nothing on
// standard output, and the status 255.
inline void expectInvalidParameters(const ProcessResult& r, const std::vector<std::string>& invalid)
{
    std::string expected;
    for (const std::string& argument : invalid)
        expected += "Invalid parameter: " + argument + "\n";
    EXPECT_EQ(r.err, expected);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 255);
}

#endif
