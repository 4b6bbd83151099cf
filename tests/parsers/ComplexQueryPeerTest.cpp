// The answers to complex queries against an independent reasoner: for random
// concepts C and D, (subsumes? C D) answers U exactly when the other reasoner
// finds Y ⊑ X in the terminology extended with X ≡ C and Y ≡ D.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <vector>

#include "ComplexQueryFixture.h"
#include "support/KoncludePeer.h"
#include "support/PeerInstalled.h"
#include "support/RandomOntology.h"

using namespace korvane_test;

namespace {

// A concept expression written in both languages.
struct Expression {
    std::string krss;
    std::string owl;
};

// Random concepts over given concept and role names, a conjunction with
// distinct operands (OWL lists each once).
class RandomConcept {
public:
    RandomConcept(uint32_t seed, std::vector<std::string> conceptNames, std::vector<std::string> roleNames)
        : rng(seed), names(std::move(conceptNames)), roles(std::move(roleNames))
    {
    }

    Expression draw(unsigned depth)
    {
        const unsigned roll = pick(100);
        if (depth == 0 || roll < 30) {
            const std::string& n = names[pick(static_cast<unsigned>(names.size()))];
            return {n, ":" + n};
        }
        if (roll < 60) {
            std::vector<Expression> operands;
            for (unsigned i = 0, count = 2 + pick(2); i < count; ++i) {
                Expression e = draw(depth - 1);
                bool seen = false;
                for (const Expression& o : operands)
                    seen = seen || o.owl == e.owl;
                if (!seen)
                    operands.push_back(e);
            }
            if (operands.size() == 1)
                return operands[0];
            Expression c{"(and", "ObjectIntersectionOf("};
            for (std::size_t i = 0; i < operands.size(); ++i) {
                c.krss += " " + operands[i].krss;
                c.owl += (i == 0 ? "" : " ") + operands[i].owl;
            }
            return {c.krss + ")", c.owl + ")"};
        }
        const std::string& r = roles[pick(static_cast<unsigned>(roles.size()))];
        Expression filler = draw(depth - 1);
        return {"(some " + r + " " + filler.krss + ")", "ObjectSomeValuesFrom(:" + r + " " + filler.owl + ")"};
    }

private:
    unsigned pick(unsigned n) { return static_cast<unsigned>(rng() % n); }

    std::mt19937 rng;
    std::vector<std::string> names;
    std::vector<std::string> roles;
};

// One query file over one terminology, with the names of its queries.
struct QuerySet {
    std::string krss;            // the terminology
    std::string prefix;          // of the names X_i and Y_i
    std::string queries;         // the query file
    std::string owl;             // the definitions of X_i and Y_i
    std::vector<std::string> shown;
    unsigned count = 0;
};

void addQuery(QuerySet& set, const Expression& c, const Expression& d)
{
    const std::string x = set.prefix + "X" + std::to_string(set.count);
    const std::string y = set.prefix + "Y" + std::to_string(set.count);
    set.queries += "(subsumes? " + c.krss + " " + d.krss + ")\n";
    set.owl += "Declaration(Class(:" + x + "))\nDeclaration(Class(:" + y + "))\n";
    set.owl += "EquivalentClasses(:" + x + " " + c.owl + ")\nEquivalentClasses(:" + y + " " + d.owl + ")\n";
    set.shown.push_back("(subsumes? " + c.krss + " " + d.krss + ")");
    ++set.count;
}

std::string makeTempDir()
{
    char name[] = "/tmp/korvane-cquery-XXXXXX";
    const char* dir = mkdtemp(name);
    return dir == nullptr ? "" : dir;
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The OWL document of the terminology (its closing parenthesis removed) with
// the query definitions before its end.
std::string withDefinitions(std::string document, const std::string& definitions)
{
    const std::size_t end = document.rfind(')');
    return document.substr(0, end) + definitions + ")\n";
}

class ComplexQueryPeer : public ComplexQueryFixture {
protected:
    // Our answers to the set's queries, in order.
    std::vector<bool> answer(const QuerySet& set)
    {
        reset();
        load(set.krss);
        const std::size_t before = answers.text().size();
        ask(set.queries);
        std::vector<bool> subsumed;
        std::istringstream lines(answers.text().substr(before));
        for (std::string line; std::getline(lines, line);)
            subsumed.push_back(line == "U");
        return subsumed;
    }

    // Over all sets compared: queries, and those whose subsumption holds.
    unsigned asked = 0;
    unsigned subsumed = 0;

    void compare(const QuerySet& set, const konclude_peer::Pairs& closure)
    {
        const std::vector<bool> ours = answer(set);
        ASSERT_EQ(ours.size(), set.count) << set.krss << set.queries;
        for (unsigned i = 0; i < set.count; ++i) {
            const std::string x = set.prefix + "X" + std::to_string(i);
            const std::string y = set.prefix + "Y" + std::to_string(i);
            const bool expected = closure.count({y, x}) != 0;
            EXPECT_EQ(ours[i], expected) << "terminology:\n" << set.krss << "query " << set.shown[i];
            subsumed += expected;
            asked += 1;
        }
    }
};

const unsigned Terminologies = 12;
const unsigned QueriesEach = 6;

// Draws the queries of a set; the last one asks the first again, on concepts
// that the file has normalised and named already.
void drawQueries(QuerySet& set, RandomConcept& random, unsigned count)
{
    const Expression c = random.draw(3);
    const Expression d = random.draw(3);
    addQuery(set, c, d);
    for (unsigned q = 1; q < count; ++q) {
        const Expression e = random.draw(3);
        const Expression f = random.draw(3);
        // Every third subsumee holds its subsumer among its conjuncts,
        // possibly deep inside an existential the subsumer also has.
        if (q % 3 == 0 && e.owl != f.owl)
            addQuery(set, e,
                     {"(and " + f.krss + " " + e.krss + ")", "ObjectIntersectionOf(" + f.owl + " " + e.owl + ")"});
        else
            addQuery(set, e, f);
    }
    addQuery(set, c, d);
}

// Classifies the document with the other reasoner; empty when it failed.
bool peerClosure(const std::string& document, konclude_peer::Pairs& closure, std::string& where)
{
    const std::string dir = makeTempDir();
    where = dir + "/queries.ofn";
    writeFile(where, document);
    const std::string out = konclude_peer::classify(where, dir, "queries");
    if (out.empty())
        return false;
    closure = konclude_peer::readClosure(out);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return true;
}

TEST_F(ComplexQueryPeer, RandomConceptsOverRandomTerminologies)
{
    ASSERT_TRUE(peerInstalled("Konclude"));
    std::vector<RandomOntology> ontologies;
    std::vector<QuerySet> sets;
    std::string definitions;
    for (unsigned t = 0; t < Terminologies; ++t) {
        const std::string prefix = "t" + std::to_string(t) + "_";
        ontologies.emplace_back(1000 + t, prefix);
        QuerySet set;
        set.krss = ontologies.back().krss();
        set.prefix = prefix;
        // Every terminology has the concept names C0 to C2 and the role r0;
        // C3 and r1 may be names it does not know.
        RandomConcept random(7000 + t, {prefix + "C0", prefix + "C1", prefix + "C2", prefix + "C3"},
                             {prefix + "r0", prefix + "r1"});
        drawQueries(set, random, QueriesEach);
        definitions += set.owl + "Declaration(Class(:" + prefix + "C3))\nDeclaration(ObjectProperty(:" + prefix +
                       "r1))\n";
        sets.push_back(set);
    }
    konclude_peer::Pairs closure;
    std::string where;
    ASSERT_TRUE(peerClosure(withDefinitions(RandomOntology::document(ontologies), definitions), closure, where))
        << "Konclude failed on " << where;
    for (const QuerySet& set : sets)
        compare(set, closure);
    // The draw has both answers often.
    EXPECT_GT(subsumed, asked / 5);
    EXPECT_LT(subsumed, asked - asked / 5);
}

TEST_F(ComplexQueryPeer, RandomConceptsOverPizza)
{
    ASSERT_TRUE(peerInstalled("Konclude"));
    const std::string data = KORVANE_DATA_DIR;
    const std::string ofn = readFile(data + "/pizza.ofn");
    ASSERT_FALSE(ofn.empty());
    std::vector<std::string> classes, properties;
    std::istringstream lines(ofn);
    for (std::string line; std::getline(lines, line);) {
        const std::string cls = "Declaration(Class(:", prop = "Declaration(ObjectProperty(:";
        if (line.compare(0, cls.size(), cls) == 0)
            classes.push_back(line.substr(cls.size(), line.size() - cls.size() - 2));
        else if (line.compare(0, prop.size(), prop) == 0)
            properties.push_back(line.substr(prop.size(), line.size() - prop.size() - 2));
    }
    ASSERT_GT(classes.size(), 10u);
    ASSERT_FALSE(properties.empty());
    QuerySet set;
    set.krss = readFile(data + "/pizza.krss");
    set.prefix = "query_";
    RandomConcept random(4242, classes, properties);
    drawQueries(set, random, 24);
    konclude_peer::Pairs closure;
    std::string where;
    ASSERT_TRUE(peerClosure(withDefinitions(ofn, set.owl), closure, where)) << "Konclude failed on " << where;
    compare(set, closure);
    EXPECT_GT(subsumed, asked / 5);
    EXPECT_LT(subsumed, asked - asked / 5);
}

} // namespace
