#ifndef KORVANE_CLASSIFIER_CLASSIFIEROPTIONS_H
#define KORVANE_CLASSIFIER_CLASSIFIEROPTIONS_H

#include <cstdio>
#include <string>
#include <vector>

#include "parsers/CommandLineFiles.h"

// The classifier's command line. Every named file is opened while the
// arguments are read; every bad argument is reported on standard error and
// sets the error flag.
class ClassifierOptions {
public:
    void parse(int argc, char** argv);
    // The checks made right after the arguments; may end the process.
    void check();

    FILE* input = stdin;
    FILE* queries = nullptr;
    FILE* clauses = stdout;
    FILE* header = stderr;
    FILE* normalizationListing = nullptr;
    FILE* normalizationMap = nullptr;
    FILE* axiomDump = nullptr;
    FILE* deductionsTable = nullptr;
    std::string deductionsTableName;
    // With -g and a -z name: the role-axiom, GCI and map tables, named after
    // the deductions table.
    FILE* roleAxiomTable = nullptr;
    FILE* gciTable = nullptr;
    FILE* mapTable = nullptr;
    FILE* assumptionList = nullptr;
    bool debug = false;
    FILE* debugStream = nullptr;
    bool noSubsumptionEncoding = false;
    bool noPinpointing = false;
    bool inProcessSolver = false;
    bool propagateOnly = true;
    bool clearNonNormalConcepts = true;
    bool createNewConceptsInDeduction = true;
    bool useRoleAxiomsInDeduction = true;
    bool initializeNonPrimitive = false;
    bool useOriginalAxiomsIds = false;
    bool error = false;

    // The named files; the outputs are checked for write errors at the end.
    CommandLineFiles files;

private:
    void parseArgument(const std::string& argument);
    bool nameForm(const std::string& argument, std::string& name) const;
    void invalid(const std::string& argument);
    void openOriginalAxiomTables();
    FILE* openInput(const std::string& argument);
};

#endif
