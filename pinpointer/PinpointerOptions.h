#ifndef KORVANE_PINPOINTER_PINPOINTEROPTIONS_H
#define KORVANE_PINPOINTER_PINPOINTEROPTIONS_H

#include <ostream>
#include <string>

#include "pinpointer/Verbosity.h"

// The pinpointer's command line: 3 to 6 arguments, each a minus sign, an
// option letter, and either nothing more or "=" and a value.
class PinpointerOptions {
public:
    // Where one of the three required inputs comes from.
    enum class Source { absent, standard_input, file };

    // Reads and checks the arguments. Returns -1 when the run goes on;
    // otherwise the usage text or an error has been written (on out for -h,
    // else on err) and the result is the exit status.
    int parse(int argc, char** argv, std::ostream& out, std::ostream& err);

    static void printUsage(std::ostream& stream, const char* program);

    Source assumptionsFrom = Source::absent;
    std::string assumptionsFile;
    Source encodingFrom = Source::absent;
    std::string encodingFile;
    Source queriesFrom = Source::absent;
    std::string queriesFile;
    long minaLimit = 0;              // -s: 0 means every MinA
    bool cone = false;               // -c
    bool onlyModule = false;         // -z
    bool boundTwoLiteral = true;     // cleared by -e
    bool expand = false;             // -r
    bool module = false;             // -m
    std::string moduleFile;
    int verbosity = VERBOSITY_MINAS; // -v

private:
    // False for an invalid argument.
    bool parseArgument(const char* argument, bool& help);
};

#endif
