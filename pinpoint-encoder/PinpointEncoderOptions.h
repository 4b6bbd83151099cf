#ifndef KORVANE_PINPOINT_ENCODER_PINPOINTENCODEROPTIONS_H
#define KORVANE_PINPOINT_ENCODER_PINPOINTENCODEROPTIONS_H

#include <cstdio>
#include <string>

#include "parsers/CommandLineFiles.h"

// The pinpoint-encoder's command line. Every named file is opened while the
// arguments are read; every bad argument is reported on standard error and
// sets the error flag.
class PinpointEncoderOptions {
public:
    void parse(int argc, char** argv);
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
    bool error = false;

    // The named files; the outputs are checked for write errors at the end.
    CommandLineFiles files;

private:
    void parseArgument(const std::string& argument);
    void invalid(const std::string& argument);
    // "-x=name" with a non-empty name.
    static bool nameForm(const std::string& argument, std::string& name);
    // "-x=name" opens that file; bare "-x" is standard input where allowed.
    // Null on failure.
    FILE* openInput(const std::string& argument, bool bareIsStandardInput);
    // A flag letter: anything after it is reported, the flag is set anyway.
    void flag(const std::string& argument, bool& target, bool value);
};

#endif
