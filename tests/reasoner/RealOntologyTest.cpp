// Reads every shared real ontology, normalises it, and checks what can go
// wrong against an independent reading of the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"
#include "model/SymbolTable.h"
#include "reasoner/TBox.h"
#include "support/SharedOntologies.h"


namespace {

// What an independent reading of the file finds: axiom forms and names.
struct FileCensus {
    int inclusions = 0;
    int equivalences = 0;
    std::set<std::string> concepts;
    std::set<std::string> roles;
};

std::vector<std::string> tokens(const std::string& text)
{
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == ';' && i + 1 < text.size() && text[i + 1] == ';') {
            while (i < text.size() && text[i] != '\n')
                ++i;
        } else if (std::isspace(static_cast<unsigned char>(c)) || c == '|') {
            ++i;
        } else if (c == '(' || c == ')') {
            result.emplace_back(1, c);
            ++i;
        } else {
            std::size_t j = i;
            while (j < text.size() && !std::isspace(static_cast<unsigned char>(text[j])) && text[j] != '(' &&
                   text[j] != ')' && text[j] != '|')
                ++j;
            result.push_back(text.substr(i, j - i));
            i = j;
        }
    }
    return result;
}

class Census {
public:
    explicit Census(const std::string& text) : toks(tokens(text)) {}

    FileCensus run()
    {
        while (pos < toks.size())
            form();
        return census;
    }

private:
    const std::string& next() { return toks.at(pos++); }

    void concept()
    {
        std::string t = next();
        if (t != "(") {
            if (t != "*top*" && t != "*bottom*")
                census.concepts.insert(t);
            return;
        }
        std::string head = next();
        if (head == "some") {
            census.roles.insert(next());
            concept();
        } else {
            while (toks.at(pos) != ")")
                concept();
        }
        next();
    }

    void role()
    {
        std::string t = next();
        if (t != "(") {
            census.roles.insert(t);
            return;
        }
        next();
        while (toks.at(pos) != ")")
            census.roles.insert(next());
        next();
    }

    void form()
    {
        next();
        std::string head = next();
        if (head == "implies" || head == "define-primitive-concept" || head == "equivalent" ||
            head == "define-concept") {
            concept();
            if (toks.at(pos) != ")") {
                concept();
                if (head == "implies" || head == "define-primitive-concept")
                    census.inclusions++;
                else
                    census.equivalences++;
            }
        } else if (head == "role-inclusion" || head == "define-primitive-role") {
            role();
            if (toks.at(pos) != ")")
                census.roles.insert(next());
        } else if (head == "transitive") {
            census.roles.insert(next());
        } else {
            ADD_FAILURE() << "unexpected form " << head;
        }
        next();
    }

    std::vector<std::string> toks;
    std::size_t pos = 0;
    FileCensus census;
};

bool normalConcept(const Concept* c)
{
    return (c->flags & (Concept::IN_DAG | Concept::NORMAL)) == (Concept::IN_DAG | Concept::NORMAL);
}

bool atomicNormal(const Concept* c)
{
    return c->isAtomic() && normalConcept(c);
}

// A ⊑ B, A1 ⊓ ... ⊓ An ⊑ B, ∃r.A ⊑ B or A ⊑ ∃r.B over shared normal concepts.
bool normalShape(const Axiom* a)
{
    const Concept* l = a->lhs;
    const Concept* r = a->rhs;
    if (!normalConcept(l) || !normalConcept(r))
        return false;
    if (l->isAtomic() && r->isAtomic())
        return true;
    if (r->isAtomic() && l->kind == CONJUNCTION)
        return l->operandCount() >= 2 && std::all_of(l->operands->begin(), l->operands->end(), atomicNormal);
    if (r->isAtomic() && l->kind == EXISTENTIAL_RESTR)
        return l->operandCount() == 1 && atomicNormal(l->operands->front());
    if (l->isAtomic() && r->kind == EXISTENTIAL_RESTR)
        return r->operandCount() == 1 && atomicNormal(r->operands->front());
    return false;
}

class RealOntology : public ::testing::TestWithParam<shared_ontologies::Case> {};

TEST_P(RealOntology, ParsesAndNormalisesIntoTheNormalShapes)
{
    const std::string& path = GetParam().krss;
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    FileCensus census = Census(text.str()).run();

    ParserManager::getInstance()->setInputFile(path.c_str());
    TBox* tbox = TBox::getInstance();
    ASSERT_EQ(yyparse(), 0);

    EXPECT_EQ(Axiom::original_ax_counter, census.inclusions + census.equivalences);
    EXPECT_EQ(tbox->inputAxioms.size(), static_cast<std::size_t>(census.inclusions + 2 * census.equivalences));

    SymbolTable* names = SymbolTable::getInstance();
    EXPECT_EQ(names->size(), census.concepts.size() + census.roles.size());
    for (const std::string& name : census.concepts)
        ASSERT_EQ(names->getEntryType(name), ST_CONCEPT) << name;
    for (const std::string& name : census.roles)
        ASSERT_EQ(names->getEntryType(name), ST_ROLE) << name;

    tbox->normalizeTBox();
    EXPECT_TRUE(tbox->inputAxioms.empty());
    EXPECT_TRUE(TBox::normalized);
    EXPECT_EQ(tbox->gcis.empty(), census.inclusions + census.equivalences == 0);
    std::size_t bad = 0;
    for (const Axiom* a : tbox->gcis) {
        if (!normalShape(a) && bad++ < 5) {
            ADD_FAILURE() << "GCI outside the normal form, type " << a->type;
        }
        EXPECT_TRUE(a->flags & Axiom::IN_STORE);
    }
    EXPECT_EQ(bad, 0u);
}

INSTANTIATE_TEST_SUITE_P(SharedData, RealOntology, ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);

}
