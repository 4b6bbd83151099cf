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
    std::string name;
    char letter = argument[1];
    switch (letter) {
    case 'i':
    case 'p':
    case 'q':
    case 'v': {
        FILE* f = openInput(argument, letter != 'v');
        if (f == nullptr)
            return;
        (letter == 'i' ? encoding : letter == 'p' ? pinpointingInfo : letter == 'q' ? queries : normalizationMap) = f;
        return;
    }
    case 'a':
    case 'h':
    case 'o': {
        FILE* f = openOutput(argument, name);
        if (f == nullptr)
            return;
        (letter == 'a' ? axiomsInformation : letter == 'h' ? header : clauses) = f;
        return;
    }
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
