#include "pinpoint-encoder/PinpointEncoderOptions.h"

#include <cstdlib>


void PinpointEncoderOptions::flag(const std::string& argument, bool& target, bool value)
{
    target = value;
    if (argument.size() != 2)
        invalid(argument);
}

void PinpointEncoderOptions::parseArgument(const std::string& argument)
{
    if (argument.empty())
        return;
    if (argument[0] != '-' || argument.size() < 2) {
        invalid(argument);
        return;
    }
    switch (argument[1]) {
    case 'i': inputInto(argument, encoding); return;
    case 'p': inputInto(argument, pinpointingInfo); return;
    case 'q': inputInto(argument, queries); return;
    case 'v': inputInto(argument, normalizationMap, false); return;
    case 'a': outputInto(argument, axiomsInformation); return;
    case 'h': outputInto(argument, header); return;
    case 'o': outputInto(argument, clauses); return;
    case 'd': debugOption(argument, debugStream); return;
    case 'g': flag(argument, originalAxiomNumbers, true); return;
    case 'm': flag(argument, inProcessSolver, true); return;
    case 'u': flag(argument, propagateOnly, false); return;
    default: invalid(argument); return;
    }
}

void PinpointEncoderOptions::check()
{
    if (encoding == nullptr || pinpointingInfo == nullptr) {
        std::fputs("Cannot produce a pinpointing encoding without the normal encoding or the pinpointing "
                   "information file!\n",
                   stderr);
        error = true;
    }
    // The map is read before the queries: both on standard input would leave
    // the queries nothing to read.
    if (queries == stdin && (encoding == stdin || pinpointingInfo == stdin || normalizationMap == stdin)) {
        std::fputs("Input and Queries cannot be both read from standard input!\n", stderr);
        error = true;
    }
    if (encoding == stdin && pinpointingInfo == stdin) {
        std::fputs("The original encoding and the pinpointing information file cannot be both read from "
                   "standard input!\n",
                   stderr);
        std::exit(-1);
    }
    if (error)
        std::exit(-1);
}
