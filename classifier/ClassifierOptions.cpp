#include "classifier/ClassifierOptions.h"

#include <cstdlib>
#include <cstring>

#include "model/ParserManager.h"

void ClassifierOptions::parseArgument(const std::string& argument)
{
    if (argument.empty())
        return;
    if (argument[0] != '-' || argument.size() < 2 || argument[1] < 'a' || argument[1] > 'z' ||
        std::strchr("fjkltwy", argument[1]) != nullptr) {
        invalid(argument);
        return;
    }
    std::string name;
    switch (argument[1]) {
    case 'a': outputInto(argument, axiomDump); return;
    case 'h': outputInto(argument, header); return;
    case 'n': outputInto(argument, normalizationListing); return;
    case 'o': outputInto(argument, clauses); return;
    case 'v': outputInto(argument, normalizationMap); return;
    case 'z': {
        FILE* f = openOutput(argument, name);
        if (f != nullptr) {
            deductionsTable = f;
            deductionsTableName = name;
        }
        return;
    }
    case 'b': clearNonNormalConcepts = false; return;
    case 'c': createNewConceptsInDeduction = false; return;
    case 'd':
        debug = true;
        debugOption(argument, debugStream);
        return;
    case 'e': return;
    case 'g': useOriginalAxiomsIds = true; return;
    case 'i': inputInto(argument, input); return;
    case 'm':
        if (argument.size() != 2)
            invalid(argument);
        else
            inProcessSolver = true;
        return;
    case 'p':
        noSubsumptionEncoding = true;
        if (argument.size() == 2)
            return;
        if (!nameForm(argument, name)) {
            error = true;
            return;
        }
        {
            FILE* f = files.openOutput(name);
            if (f == nullptr)
                error = true;
            else
                assumptionList = f;
        }
        return;
    case 'q': inputInto(argument, queries); return;
    case 'r': useRoleAxiomsInDeduction = false; return;
    case 's': noPinpointing = true; return;
    case 'u': propagateOnly = false; return;
    case 'x': initializeNonPrimitive = true; return;
    default: invalid(argument); return;
    }
}

// Like every named output, a table that cannot be made ends the run, and
// one that cannot be written completely is reported at the end.
void ClassifierOptions::openOriginalAxiomTables()
{
    if (!useOriginalAxiomsIds || deductionsTableName.empty())
        return;
    struct Table {
        const char* suffix;
        FILE** stream;
    };
    for (const Table& table : {Table{".ri", &roleAxiomTable}, Table{".gci", &gciTable}, Table{".map", &mapTable}}) {
        *table.stream = files.openOutput(deductionsTableName + table.suffix);
        if (*table.stream == nullptr)
            error = true;
    }
}

void ClassifierOptions::check()
{
    openOriginalAxiomTables();
    if (debug && debugStream == nullptr)
        debug = false;
    if (queries == stdin && input == stdin) {
        std::fputs("Input and Queries cannot be both read from standard input!\n", stderr);
        error = true;
    }
    if (noSubsumptionEncoding && noPinpointing) {
        noSubsumptionEncoding = false;
        noPinpointing = false;
    }
    if (queries != nullptr && noSubsumptionEncoding) {
        std::fputs("Cannot answer Queries without encoding subsumption!\n", stderr);
        std::exit(-1);
    }
    if (error)
        std::exit(-1);
}
