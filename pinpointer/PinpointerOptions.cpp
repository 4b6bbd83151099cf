#include "pinpointer/PinpointerOptions.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool bare(const char* argument) { return argument[2] == '\0'; }

// "-x" reads standard input, "-x=F" file F.
void takeSource(const char* argument, PinpointerOptions::Source& source, std::string& file) {
    if (bare(argument)) {
        source = PinpointerOptions::Source::standard_input;
        file.clear();
    } else {
        source = PinpointerOptions::Source::file;
        file = argument + 3;
    }
}

}  // namespace

void PinpointerOptions::printUsage(std::ostream& stream, const char* program) {
    stream << "Usage: " << program << " -a=<assumptions_var_list> -i=<dimacs_cnf_file> -q=<query_file>\n"
           << "       [opt -s] [opt -c] [opt -z] [opt -e] [opt -r] [opt -m=<module_file>] [opt -v=<verbosity level>]\n";
}

bool PinpointerOptions::parseArgument(const char* argument, bool& help) {
    if (argument[0] != '-' || argument[1] == '\0') return false;
    if (argument[2] != '\0' && argument[2] != '=') return false;
    switch (argument[1]) {
        case 'a':
            takeSource(argument, assumptionsFrom, assumptionsFile);
            return true;
        case 'i':
            takeSource(argument, encodingFrom, encodingFile);
            return true;
        case 'q':
            takeSource(argument, queriesFrom, queriesFile);
            return true;
        case 's': {
            if (bare(argument)) {
                minaLimit = 1;
                return true;
            }
            const char* digits = argument + 3;
            char* end = nullptr;
            errno = 0;
            long n = std::strtol(digits, &end, 10);
            if (end == digits || *end != '\0' || errno == ERANGE || n <= 0) return false;
            minaLimit = n;
            return true;
        }
        case 'c':
            cone = true;
            return true;
        case 'z':
            if (!bare(argument)) return false;
            onlyModule = true;
            return true;
        case 'e':
            if (!bare(argument)) return false;
            boundTwoLiteral = false;
            return true;
        case 'r':
            if (!bare(argument)) return false;
            expand = true;
            return true;
        case 'm':
            if (bare(argument)) return false;
            module = true;
            moduleFile = argument + 3;
            return true;
        case 'v':
            if (bare(argument)) return false;
            verbosity = argument[3] - '0';
            return true;
        case 'h':
            if (!bare(argument)) return false;
            help = true;
            return true;
        default:
            return false;
    }
}

int PinpointerOptions::parse(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const char* program = argc > 0 && argv[0] != nullptr ? argv[0] : "pinpointer";
    if (argc < 4 || argc > 7) {
        printUsage(err, program);
        return 1;
    }
    for (int i = 1; i < argc; i++) {
        bool help = false;
        if (!parseArgument(argv[i], help)) {
            err << "Invalid parameter: " << argv[i] << "\n";
            return 1;
        }
        if (help) {
            printUsage(out, program);
            return 0;
        }
    }
    if (onlyModule && !cone) {
        err << "Use 'only modularization' (-z) in combination of compute 'cone-of-influence mod.' (-c).\n";
        printUsage(err, program);
        return 1;
    }
    int fromStandardInput = (assumptionsFrom == Source::standard_input) + (encodingFrom == Source::standard_input) +
                            (queriesFrom == Source::standard_input);
    if (assumptionsFrom == Source::absent || encodingFrom == Source::absent || queriesFrom == Source::absent ||
        fromStandardInput >= 2) {
        printUsage(err, program);
        return 1;
    }
    return -1;
}
