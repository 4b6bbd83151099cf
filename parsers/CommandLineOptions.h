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
    // "-x=name" with a non-empty name; `letters` is the length of the
    // option's own part ("-x" 2, "-xy" 3).
    static bool nameForm(const std::string& argument, std::string& name, std::size_t letters = 2);
    // "-x=name" opens that file for reading; bare "-x" is standard input
    // where allowed. Null on failure.
    FILE* openInput(const std::string& argument, bool bareIsStandardInput = true, std::size_t letters = 2);
    // The debug option: "-d=name" names the debug file, every other form is
    // standard error. A file that cannot be opened is reported without the
    // error flag, and the stream stays as it was.
    void debugOption(const std::string& argument, FILE*& stream);
    // "-x=name" opens that file for writing and keeps it for the output
    // check; `name` receives the name. Null on failure.
    FILE* openOutput(const std::string& argument, std::string& name);
    // The same, making `stream` the opened file; on failure it stays as it was.
    void inputInto(const std::string& argument, FILE*& stream, bool bareIsStandardInput = true,
                   std::size_t letters = 2);
    void outputInto(const std::string& argument, FILE*& stream);
};

#endif
