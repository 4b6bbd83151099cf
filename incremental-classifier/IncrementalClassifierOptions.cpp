#include "incremental-classifier/IncrementalClassifierOptions.h"

#include <cstdlib>
#include <cstring>

#include "incremental-classifier/BestTypeActivityGenerator.h"

void IncrementalClassifierOptions::inputOption(const std::string& argument)
{
    const char second = argument.size() > 2 ? argument[2] : '\0';
    if (second == 'o' || second == 'v') {
        (second == 'o' ? encodingGiven : normalizationMapGiven) = true;
        inputInto(argument, second == 'o' ? encoding : normalizationMap, true, 3);
        return;
    }
    FILE* f = openInput(argument);
    if (f != nullptr) {
        input = f;
        namedInput = f != stdin;
    }
}

void IncrementalClassifierOptions::activityOption(const std::string& argument)
{
    if (argument.size() > 3) {
        invalid(argument);
        return;
    }
    activityByKind = true;
    bestType = argument.size() == 3 && argument[2] >= '1' && argument[2] <= '5' ? argument[2] - '0' : 0;
}

void IncrementalClassifierOptions::parseArgument(const std::string& argument)
{
    if (argument.empty())
        return;
    if (argument[0] != '-' || argument.size() < 2 || argument[1] < 'a' || argument[1] > 'z' ||
        std::strchr("gkltz", argument[1]) != nullptr) {
        invalid(argument);
        return;
    }
    switch (argument[1]) {
    case 'i': inputOption(argument); return;
    case 'j': inputInto(argument, increment, false); return;
    case 'q': inputInto(argument, queries); return;
    case 'o': outputInto(argument, clauses); return;
    case 'h': outputInto(argument, header); return;
    case 'a': outputInto(argument, axiomDump); return;
    case 'n': outputInto(argument, normalizationListing); return;
    case 'v': outputInto(argument, normalizationMapOutput); return;
    case 'p': outputInto(argument, pinpointingInfo); return;
    case 's': outputInto(argument, statistics); return;
    case 'd': debugOption(argument, debugStream); return;
    case 'b': keepNamesTable = true; return;
    case 'c': createNewConceptsInDeduction = false; return;
    case 'e': equivalenceNames = false; return;
    case 'f': fullEncoding = true; return;
    case 'm':
        if (argument.size() == 2)
            sink = EncoderFactory::CORE_SOLVER;
        else if (argument[2] == 's')
            sink = EncoderFactory::SIMP_SOLVER;
        else
            invalid(argument);
        return;
    case 'r': useRoleAxiomsInDeduction = false; return;
    case 'u': propagateOnly = false; return;
    case 'w': activityOption(argument); return;
    case 'x': initializeNonPrimitive = true; return;
    case 'y': saveDeductionsForNews = true; return;
    default: invalid(argument); return;
    }
}

void IncrementalClassifierOptions::check()
{
    if (encodingGiven != normalizationMapGiven) {
        std::fputs("Trying to upload a TBox from a previous encoding without giving the encoding or the "
                   "normalization mapping!\n",
                   stderr);
        error = true;
    }
    if (queries == stdin &&
        ((input == stdin && !encodingGiven) || encoding == stdin || normalizationMap == stdin)) {
        std::fputs("Input and Queries cannot be both read from standard input!\n", stderr);
        error = true;
    }
    // The map is read after the encoding: both on standard input would leave
    // the map an exhausted input.
    if (encoding == stdin && normalizationMap == stdin) {
        std::fputs("The encoding and the normalization mapping cannot be both read from standard input!\n", stderr);
        error = true;
    }
    // The pinpointing information numbers the axioms of one classification
    // and is read against an encoding whose clauses follow its records: the
    // axioms of an increment, and those of a reloaded encoding, have no
    // numbers of their own.
    if (pinpointingInfo != nullptr && (increment != nullptr || encodingGiven)) {
        std::fputs("Cannot write the pinpointing information of an increment or of a reloaded encoding!\n",
                   stderr);
        error = true;
    }
    // Queries change what the information was written for: with the DIMACS
    // writer their units go into the encoding's body, and a query file that
    // adds inclusions classifies again, which writes a second set of records.
    // (With an in-process solver no encoding is written at all.)
    if (pinpointingInfo != nullptr && queries != nullptr) {
        std::fputs("Cannot write the pinpointing information of a run that answers queries!\n", stderr);
        error = true;
    }
    if (encodingGiven && namedInput) {
        std::fputs("Trying to load a TBox both from an encoding and from an axioms file!\n", stderr);
        std::exit(-1);
    }
    if (error)
        std::exit(-1);
}

Encoder* IncrementalClassifierOptions::makeEncoder() const
{
    BestTypeActivityGenerator* generator = nullptr;
    if (activityByKind && sink != EncoderFactory::DIMACS_WRITER) {
        generator = new BestTypeActivityGenerator();
        generator->maxLevel = 3;
        generator->bestType = static_cast<concept_t>(bestType);
    }
    return EncoderFactory::make(sink, clauses, header, propagateOnly, generator);
}
