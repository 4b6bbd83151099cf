#ifndef KORVANE_TESTS_ONTOLOGYCLASSIFICATION_H
#define KORVANE_TESTS_ONTOLOGYCLASSIFICATION_H

// An ontology read, normalised and classified as the driver of the build
// does it: the classifier's build (KORVANE_CLASSIFIER_MODEL) classifies and
// encodes in one pass through TBox::CNF_SAT_Encoder; the library build
// classifies, and encodes on request. The model is the caller's to reset.
// Texts are read through the parsers' test support (ParserTestSupport.cpp).

#include <gtest/gtest.h>

#include <string>

#include "model/ParserManager.h"
#include "parsers/ParserTestSupport.h"
#include "parsers/el_krss_g.h"
#include "reasoner/TBox.h"

namespace korvane_test {

// Reads the ontology file into the terminology; the parser's result.
inline int readOntologyFile(const std::string& path)
{
    ParserManager::getInstance()->setInputFile(path.c_str());
    return yyparse();
}

// The terminology read so far, normalised.
inline TBox* normalizeTerminology()
{
    TBox* tbox = TBox::getInstance();
    tbox->normalizeTBox();
#ifdef KORVANE_CLASSIFIER_MODEL
    tbox->clearNonNormalAndSharedConcepts();
#endif
    return tbox;
}

#ifdef KORVANE_CLASSIFIER_MODEL
// Classifies the normalised terminology, encoding on the way unless told
// otherwise.
inline TBox* classifyTerminology(bool encode = true)
{
    TBox* tbox = TBox::getInstance();
    tbox->performDeductionAndEncode(encode, TBox::pinpointing);
    return tbox;
}
#else
// Classifies the normalised terminology (after a first classification, as
// an increment) and, when told, encodes it.
inline TBox* classifyTerminology(bool encode = false)
{
    TBox* tbox = TBox::getInstance();
    tbox->prepareDeduction();
    int conceptCount = 0;
    int roleCount = 0;
    tbox->performDeduction(conceptCount, roleCount);
    if (encode) {
        unsigned long variables = 0, clauses = 0;
        tbox->encodeIntoSat(false, &variables, &clauses);
    }
    return tbox;
}
#endif

// Normalises and classifies what the parser read when it accepted `source`;
// null (and a failure) when it did not.
inline TBox* classifyParsed(int parserResult, const std::string& source)
{
    if (parserResult != 0) {
        ADD_FAILURE() << "cannot read " << source;
        return nullptr;
    }
    normalizeTerminology();
    return classifyTerminology();
}

// Reads, normalises and classifies a file or a text.
inline TBox* classifyOntologyFile(const std::string& path)
{
    return classifyParsed(readOntologyFile(path), path);
}

inline TBox* classifyOntologyText(const std::string& text)
{
    return classifyParsed(parseOntology(text), text);
}

} // namespace korvane_test

#endif
