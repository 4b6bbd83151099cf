#ifndef KORVANE_CLASSIFIER_CLASSIFIEROPTIONS_H
#define KORVANE_CLASSIFIER_CLASSIFIEROPTIONS_H

#include <cstdio>
#include <string>
#include <vector>

#include "parsers/CommandLineOptions.h"

// The classifier's command line.
class ClassifierOptions : public CommandLineOptions {
public:
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

private:
    void parseArgument(const std::string& argument) override;
    void openOriginalAxiomTables();
};

#endif
