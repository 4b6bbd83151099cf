#ifndef KORVANE_TESTS_MODEL_TEXTFORMS_H
#define KORVANE_TESTS_MODEL_TEXTFORMS_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace korvane_test {

// A concept or role with the texts it prints: its form in the ontology
// language and its description.
template <typename T>
struct TextForm {
    const T* object;
    std::string text;
    std::string description;
};

inline void expectTextForms(const std::vector<TextForm<Concept>>& forms)
{
    for (const TextForm<Concept>& f : forms) {
        EXPECT_EQ(conceptText(f.object), f.text);
        EXPECT_EQ(conceptDescription(f.object), f.description) << f.text;
    }
}

inline void expectTextForms(const std::vector<TextForm<Role>>& forms)
{
    for (const TextForm<Role>& f : forms) {
        EXPECT_EQ(roleText(f.object), f.text);
        EXPECT_EQ(roleDescription(f.object), f.description) << f.text;
    }
}

} // namespace korvane_test

#endif
