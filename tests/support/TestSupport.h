#ifndef KORVANE_TESTS_SUPPORT_TESTSUPPORT_H
#define KORVANE_TESTS_SUPPORT_TESTSUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/Axiom.h"
#include "model/Concept.h"
#include "model/PrimitiveConcept.h"
#include "model/Role.h"
#include "model/TrivialConcept.h"
#include "model/TrivialRole.h"
#include "model/ParserManager.h"
#include "model/SymbolTable.h"
#include "reasoner/TBox.h"

namespace korvane_test {

// Everything a print function writes to its stream, as a string.
template <typename Print>
std::string printed(Print print)
{
    char* buffer = nullptr;
    std::size_t length = 0;
    FILE* out = open_memstream(&buffer, &length);
    print(out);
    std::fclose(out);
    std::string text(buffer, length);
    std::free(buffer);
    return text;
}

inline std::string conceptText(const Concept* c)
{
    return printed([c](FILE* out) { c->printConcept(out); });
}

inline std::string conceptDescription(const Concept* c)
{
    return printed([c](FILE* out) { c->printTextDescription(out); });
}

inline std::string roleText(const Role* r)
{
    return printed([r](FILE* out) { r->printRole(out); });
}

inline std::string roleDescription(const Role* r)
{
    return printed([r](FILE* out) { r->printTextDescription(out); });
}

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

// The clauses of a DIMACS text: literals up to each 0, over as many lines as
// they take; comment and problem lines give no clause.
inline std::vector<std::vector<long>> readDimacsClauses(const std::string& text)
{
    std::vector<std::vector<long>> clauses;
    std::istringstream lines(text);
    std::string line;
    std::vector<long> clause;
    while (std::getline(lines, line)) {
        if (!line.empty() && (line[0] == 'c' || line[0] == 'p'))
            continue;
        std::istringstream words(line);
        for (long literal; words >> literal;) {
            if (literal != 0) {
                clause.push_back(literal);
            } else {
                clauses.push_back(clause);
                clause.clear();
            }
        }
    }
    return clauses;
}

// A regular expression that matches `text` literally.
inline std::string literal(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos)
            out += '\\';
        out += c;
    }
    return out;
}

// A stream in memory whose text so far can be read back.
class MemoryStream {
public:
    MemoryStream() : stream(open_memstream(&buffer, &size)) {}
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;
    ~MemoryStream()
    {
        std::fclose(stream);
        std::free(buffer);
    }

    FILE* get() const { return stream; }
    std::string text()
    {
        std::fflush(stream);
        return std::string(buffer, size);
    }

private:
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* stream;
};

// A model object that reports its own deletion into a flag kept outside it,
// so that a test can tell which objects an operation deleted.
template <typename Base>
class Tracked : public Base {
public:
    template <typename... Args>
    explicit Tracked(bool* deleted, Args&&... args) : Base(std::forward<Args>(args)...), deleted(deleted)
    {
        *deleted = false;
    }
    ~Tracked() override { *deleted = true; }

private:
    bool* deleted;
};

template <typename T, typename List>
std::vector<T*> members(const List* list)
{
    return list == nullptr ? std::vector<T*>() : std::vector<T*>(list->begin(), list->end());
}

inline std::vector<Concept*> operandsOf(const Concept* c)
{
    return members<Concept>(c->operands);
}

inline std::vector<Role*> componentsOf(const Role* r)
{
    return members<Role>(r->components);
}

// The model's counters and singletons start afresh; objects made by earlier
// tests of the same program are left alone (and leak).
inline void resetModelStatics()
{
    Concept::id_counter = 0;
    Concept::dag_id_counter = 0;
    Concept::normal_id_counter = 0;
    Concept::encoding_id_counter = 0;
    Concept::EquivalenceNames = false;
    Role::id_counter = 0;
    Role::dag_id_counter = 0;
    TrivialConcept::TOP = nullptr;
    TrivialConcept::BOTTOM = nullptr;
    TrivialRole::FULL = nullptr;
    TrivialRole::EMPTY = nullptr;
    Axiom::original_ax_counter = 0;
}

// Counters, singletons and the terminology's switches start afresh.
inline void resetModel()
{
    resetModelStatics();
    TBox::Instance = nullptr;
    TBox::normalized = false;
    TBox::deduction_performed = false;
    TBox::encoded = false;
    TBox::clauses_counter = 0;
    SymbolTable::Instance = nullptr;
    ParserManager::Instance = nullptr;
}

// A test over model objects made directly, on fresh counters and singletons.
class FreshModelTest : public ::testing::Test {
protected:
    void SetUp() override { resetModelStatics(); }
};

// Atomic concepts C0, C1, ... with the ids 0 to count - 1, so that a test can
// name concepts by id.
inline std::vector<Concept*> numberedConcepts(unsigned long count)
{
    std::vector<Concept*> concepts;
    for (unsigned long id = 0; id < count; ++id) {
        concepts.push_back(new PrimitiveConcept("C" + std::to_string(id)));
        concepts.back()->id = id;
    }
    return concepts;
}

} // namespace korvane_test

#endif
