#ifndef KORVANE_PARSERS_COMMANDLINEOPTIONS_H
#define KORVANE_PARSERS_COMMANDLINEOPTIONS_H

#include <cstdio>
#include <string>

#include "parsers/CommandLineFiles.h"

// What the command lines of the classifier-like programs share: every
// argument is read in turn, every named file is opened at once, and every bad
// argument is reported on standard error and sets the error flag.
class CommandLineOptions {
public:
    virtual ~CommandLineOptions() = default;

    void parse(int argc, char** argv);

    bool error = false;
    // The named files; the outputs are checked for write errors at the end.
    CommandLineFiles files;

protected:
    virtual void parseArgument(const std::string& argument) = 0;

    // "Invalid parameter: %s" and the error flag.
    void invalid(const std::string& argument);
    // "-x=name" with a non-empty name.
    static bool nameForm(const std::string& argument, std::string& name);
    // "-x=name" opens that file for reading; bare "-x" is standard input
    // where allowed. Null on failure.
    FILE* openInput(const std::string& argument, bool bareIsStandardInput = true);
    // "-x=name" opens that file for writing and keeps it for the output
    // check; `name` receives the name. Null on failure.
    FILE* openOutput(const std::string& argument, std::string& name);
};

#endif
