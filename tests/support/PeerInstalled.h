#ifndef KORVANE_TESTS_SUPPORT_PEERINSTALLED_H
#define KORVANE_TESTS_SUPPORT_PEERINSTALLED_H

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "support/PeerSolver.h"

// Whether the program of a peer command (its first word) is installed, as a
// test's condition: a test that runs an independent program cannot stand
// without it, so a missing peer fails the test and says how to get it. The
// test command (scripts/test.sh) installs every peer.
inline ::testing::AssertionResult peerInstalled(const std::string& command)
{
    const std::string program = command.substr(0, command.find(' '));
    if (peerAvailable(program))
        return ::testing::AssertionSuccess();
    std::string package = program;
    for (char& c : package)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ::testing::AssertionFailure() << program << " is not installed, and this test runs it as an independent "
                                         << "check: scripts/test.sh installs it (apt-get install " << package << ")";
}

#endif
