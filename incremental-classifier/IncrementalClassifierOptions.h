#ifndef KORVANE_INCREMENTAL_CLASSIFIER_INCREMENTALCLASSIFIEROPTIONS_H
#define KORVANE_INCREMENTAL_CLASSIFIER_INCREMENTALCLASSIFIEROPTIONS_H

#include <cstdio>
#include <string>

#include "encoders/EncoderFactory.h"
#include "parsers/CommandLineOptions.h"

// The incremental classifier's command line.
class IncrementalClassifierOptions : public CommandLineOptions {
public:
    // The checks made right after the arguments; ends the process with
    // status -1 when the run cannot go on.
    void check();

    // The run reloads a stored encoding and its map instead of classifying
    // an ontology.
    bool reload() const { return encoding != nullptr && normalizationMap != nullptr; }
    // The clause sink that the options ask for (with its activity generator).
    Encoder* makeEncoder() const;

    FILE* input = stdin;
    // The ontology came from -i=FILE rather than standard input.
    bool namedInput = false;
    FILE* encoding = nullptr;
    FILE* normalizationMap = nullptr;
    // -io and -iv were given, whether or not their files opened.
    bool encodingGiven = false;
    bool normalizationMapGiven = false;
    FILE* increment = nullptr;
    FILE* queries = nullptr;
    FILE* clauses = stdout;
    FILE* header = stderr;
    FILE* axiomDump = nullptr;
    FILE* normalizationListing = nullptr;
    FILE* normalizationMapOutput = nullptr;
    FILE* pinpointingInfo = nullptr;
    FILE* statistics = nullptr;
    FILE* debugStream = nullptr;
    EncoderFactory::Sink sink = EncoderFactory::DIMACS_WRITER;
    bool propagateOnly = true;
    // -w: a generator that favours the concepts of kind bestType.
    bool activityByKind = false;
    int bestType = 0;
    bool keepNamesTable = false;
    bool createNewConceptsInDeduction = true;
    bool equivalenceNames = true;
    bool fullEncoding = false;
    bool useRoleAxiomsInDeduction = true;
    bool initializeNonPrimitive = false;
    bool saveDeductionsForNews = false;

private:
    void parseArgument(const std::string& argument) override;
    // -i, -io and -iv.
    void inputOption(const std::string& argument);
    void activityOption(const std::string& argument);
};

#endif
