#ifndef KORVANE_PINPOINT_ENCODER_PINPOINTENCODEROPTIONS_H
#define KORVANE_PINPOINT_ENCODER_PINPOINTENCODEROPTIONS_H

#include <cstdio>
#include <string>

#include "parsers/CommandLineOptions.h"

// The pinpoint-encoder's command line.
class PinpointEncoderOptions : public CommandLineOptions {
public:
    // The checks of the streams made right after the arguments; ends the
    // process with status -1 when the run cannot go on.
    void check();

    FILE* encoding = stdin;
    FILE* pinpointingInfo = stdin;
    FILE* queries = nullptr;
    FILE* normalizationMap = stdin;
    FILE* clauses = stdout;
    FILE* header = stderr;
    FILE* axiomsInformation = nullptr;
    FILE* debugStream = nullptr;
    bool originalAxiomNumbers = false;
    bool inProcessSolver = false;
    bool propagateOnly = true;

private:
    void parseArgument(const std::string& argument) override;
    // A flag letter: anything after it is reported, the flag is set anyway.
    void flag(const std::string& argument, bool& target, bool value);
};

#endif
