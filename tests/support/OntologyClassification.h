#ifndef KORVANE_TESTS_ONTOLOGYCLASSIFICATION_H
#define KORVANE_TESTS_ONTOLOGYCLASSIFICATION_H

// An ontology read, normalised and classified as the driver of the build
// does it: the classifier's build classifies and encodes in one pass through TBox::CNF_SAT_Encoder; the library build
// classifies, and encodes on request. The model is the caller's to reset
// (but for classifyAsTheLibraryPrograms).
// Texts are read through the parsers' test support (ParserTestSupport.cpp).

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "TestSupport.h"
#include "model/ParserManager.h"
#include "model/SymbolTable.h"
#include "parsers/ParserTestSupport.h"
#include "parsers/el_krss_g.h"
#include "reasoner/TBox.h"

class ClassifierTBox;

namespace korvane_test {

// Reads the ontology file into the terminology; the parser's result.
inline int readOntologyFile(const std::string& path)
{
    ParserManager::getInstance()->setInputFile(path.c_str());
    return yyparse();
}

// Whether T, this build's TBox, is the classifier's (see model/ModelBuild.h);
// the helpers below take the build's class as a template argument, so that
// only the branch of this build is compiled.
template <typename T>
constexpr bool isClassifierTBox = std::is_same<T, ClassifierTBox>::value;

// The terminology read so far, normalised.
template <typename T = TBox>
inline T* normalizeTerminology()
{
    T* tbox = T::getInstance();
    tbox->normalizeTBox();
    if constexpr (isClassifierTBox<T>)
        tbox->clearNonNormalAndSharedConcepts();
    return tbox;
}

// Classifies the normalised terminology: the classifier's build encodes on
// the way unless told otherwise; the library build classifies (after a first
// classification, as an increment) and, when told, encodes it.
template <typename T = TBox>
inline T* classifyTerminology(bool encode = isClassifierTBox<T>)
{
    T* tbox = T::getInstance();
    if constexpr (isClassifierTBox<T>) {
        tbox->performDeductionAndEncode(encode, T::pinpointing);
    } else {
        tbox->prepareDeduction();
        int conceptCount = 0;
        int roleCount = 0;
        tbox->performDeduction(conceptCount, roleCount);
        if (encode) {
            unsigned long variables = 0, clauses = 0;
            tbox->encodeIntoSat(false, &variables, &clauses);
        }
    }
    return tbox;
}

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

// Classifies the texts, each after the one before as an increment, as the
// library's programs do, on a fresh model with their switches: names that
// stand for equivalences, complex concepts started only with -x
// (`startComplex`), existentials made by the rules unless -c
// (`makeExistentials`); the switches stay so. The names table is emptied
// after reading, and the concepts outside the normal form after normalising,
// so that an increment makes its complex concepts afresh; afterEach, when
// given, looks at the terminology after each classification. Null (and a
// failure) when a text cannot be read.
inline TBox* classifyAsTheLibraryPrograms(const std::vector<std::string>& texts, bool startComplex = false,
                                          bool makeExistentials = true,
                                          const std::function<void(TBox*)>& afterEach = {})
{
    resetModel();
    Concept::EquivalenceNames = true;
    TBox::initializeNonPrimitive = startComplex;
    TBox::createNewConceptsInDeduction = makeExistentials;
    for (const std::string& text : texts) {
        if (parseOntology(text) != 0) {
            ADD_FAILURE() << "cannot read " << text;
            return nullptr;
        }
        SymbolTable::getInstance()->clear();
        TBox::getInstance()->normalizeTBox();
        TBox::getInstance()->clearNonNormalAndSharedConcepts();
        classifyTerminology();
        if (afterEach)
            afterEach(TBox::getInstance());
    }
    return TBox::getInstance();
}

} // namespace korvane_test

#endif
