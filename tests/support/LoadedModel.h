#ifndef KORVANE_TESTS_LOADEDMODEL_H
#define KORVANE_TESTS_LOADEDMODEL_H

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

namespace korvane_test {

// A fresh model (library build) with nothing read back from stored files:
// no store of loaded clauses, and axioms go by their normal-form numbers.
inline void resetLoadedModel()
{
    resetModel();
    TBox::only_loaded = false;
    EncodedTBox::Instance = nullptr;
    EncodedTBox::use_original_axiom_index = false;
}

// A test that reads stored files, on a fresh loaded model.
class LoadedModelTest : public ::testing::Test {
protected:
    void SetUp() override { resetLoadedModel(); }
};

} // namespace korvane_test

#endif
