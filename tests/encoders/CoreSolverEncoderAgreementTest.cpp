#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/HornOracle.h"
#include "support/TestSupport.h"
#include "encoders/CoreSolverEncoder.h"
#include "support/SanitizedBuild.h"

namespace {

using Clause = std::vector<long>;

// A random encoding shaped like a terminology's: selectors 1..S guard told
// axioms (-s -a b, -s -a -b c, -s -top c), other clauses carry no selector
// (-a b, -a -b c); top is a positive unit, bottom and a few concepts are
// negative units, and some clauses make concepts disjoint (head bottom).
// Every clause but the negative units has one positive literal. The set is
// satisfiable, though the axioms together may refute some concepts or even
// each other.
struct Instance {
    int selectors = 0;
    int variables = 0;
    std::vector<Clause> clauses;
};

Instance makeInstance(std::mt19937& random)
{
    Instance instance;
    instance.selectors = 4 + static_cast<int>(random() % 12);
    int concepts = 8 + static_cast<int>(random() % 40);
    int first = instance.selectors + 1;
    long top = first;
    long bottom = first + 1;
    instance.variables = instance.selectors + concepts;
    auto concept = [&]() { return static_cast<long>(first + random() % concepts); };
    // Heads lie mostly above their premises (smaller numbers), as in a
    // hierarchy, so that cones stay small.
    auto above = [&](long v) {
        long span = v - first;
        return random() % 8 == 0 || span <= 0 ? concept() : first + static_cast<long>(random() % span);
    };

    for (;;) {
        instance.clauses = {{top}, {-bottom}};
        int count = concepts / 2 + static_cast<int>(random() % concepts);
        for (int i = 0; i < count; ++i) {
            long selector = 1 + static_cast<long>(random() % instance.selectors);
            long a = concept();
            long b = concept();
            switch (random() % 12) {
            case 0:
            case 1:
            case 2:
            case 3:
                instance.clauses.push_back({-selector, -a, above(a)});
                break;
            case 4:
            case 5:
                instance.clauses.push_back({-selector, -a, -b, above(std::min(a, b))});
                break;
            case 6:
            case 7:
                instance.clauses.push_back({-a, above(a)});
                break;
            case 8:
                instance.clauses.push_back({-a, -b, above(std::min(a, b))});
                break;
            case 9:
                // Disjoint from something above it: found by a conflict.
                instance.clauses.push_back(random() % 2 == 0 ? Clause{-selector, -a, -above(a), bottom}
                                                              : Clause{-a, -above(a), bottom});
                break;
            case 10:
                instance.clauses.push_back(random() % 3 == 0 ? Clause{-a, bottom} : Clause{-selector, -a, above(a)});
                break;
            default:
                instance.clauses.push_back(random() % 8 == 0 ? Clause{-selector, -top, concept()}
                                                              : Clause{-selector, -a, -b, above(a)});
                break;
            }
        }
        for (int i = static_cast<int>(random() % 3); i > 0; --i)
            instance.clauses.push_back({-concept()});
        HornOracle oracle(instance.variables);
        for (const Clause& c : instance.clauses)
            oracle.add(c);
        if (!oracle.refutes({}, {}))
            break;
    }
    std::shuffle(instance.clauses.begin() + 2, instance.clauses.end(), random);
    return instance;
}

// One encoder under test beside the oracle's view of what its pinpointing
// queries assume.
struct Subject {
    explicit Subject(bool propagateOnly) : encoder(nullptr, body.get(), nullptr, propagateOnly) {}
    korvane_test::MemoryStream body;
    CoreSolverEncoder encoder;
    std::vector<long> assumed;  // the axioms a pinpointing query without reload assumes
    bool holdsAxioms = false;   // whether the buffer holds only prepared axioms
};

class Agreement {
public:
    explicit Agreement(unsigned seed) : random(seed), instance(makeInstance(random)), oracle(instance.variables + 3)
    {
        subjects.emplace_back(new Subject(true));
        subjects.emplace_back(new Subject(false));
        for (long s = 1; s <= instance.selectors; ++s) {
            if (random() % 6 != 0)
                axioms.push_back(s);
        }
        std::shuffle(axioms.begin(), axioms.end(), random);
        if (!axioms.empty() && random() % 4 == 0)
            axioms.push_back(axioms.front());
        axiomList.assign(axioms.begin(), axioms.end());
        load(instance.clauses);
    }

    void run(int operations)
    {
        // The searching encoder may solve at the end of the encoding, after
        // which only the query variables are ever decided.
        if (random() % 2 == 0)
            solveAtTheEnd(*subjects[1]);
        for (int i = 0; i < operations && !::testing::Test::HasFailure(); ++i) {
            switch (random() % 8) {
            case 0:
                checkPair();
                break;
            case 1:
                checkLists();
                break;
            case 2:
                for (auto& subject : subjects) {
                    subject->encoder.preparePinpointing(&axiomList);
                    subject->assumed = axioms;
                    subject->holdsAxioms = true;
                }
                break;
            case 3:
                if (random() % 8 == 0) {
                    addClauses();
                    break;
                }
                pinpoint();
                break;
            default:
                pinpoint();
                break;
            }
        }
    }

private:
    long variable() { return 1 + static_cast<long>(random() % (instance.variables + 3)); }
    // Pinpointing asks about concepts, never about selectors: the answer
    // leaves the query's own variables out.
    long conceptVariable()
    {
        return instance.selectors + 1 + static_cast<long>(random() % (instance.variables - instance.selectors + 3));
    }

    void load(const std::vector<Clause>& clauses)
    {
        for (const Clause& c : clauses) {
            oracle.add(c);
            LiteralList literals(c.begin(), c.end());
            KindList kinds;
            for (std::size_t i = 0; i < c.size(); ++i)
                kinds.push_back(static_cast<concept_t>(random() % 6));
            bool withKinds = random() % 2 == 0;
            for (auto& subject : subjects) {
                ASSERT_TRUE(subject->encoder.addClause(&literals, withKinds ? &kinds : nullptr, 0));
                subject->holdsAxioms = false;
            }
        }
        for (auto& subject : subjects)
            ASSERT_TRUE(subject->encoder.endEncoding(false, instance.variables, clauses.size(), 0, 0));
    }

    void solveAtTheEnd(Subject& subject)
    {
        ASSERT_TRUE(subject.encoder.endEncoding(true, instance.variables, 0, 0, 0));
        subject.holdsAxioms = false;
        std::string text = subject.body.text();
        ASSERT_EQ(text.rfind("SATISFIABLE\n\n", 0), 0u) << text;
        // Every variable is assigned by the first solve; the model satisfies every clause.
        std::istringstream model(text.substr(std::strlen("SATISFIABLE\n\n")));
        std::set<long> literals;
        long literal;
        while (model >> literal)
            literals.insert(literal);
        EXPECT_EQ(literals.size(), static_cast<std::size_t>(subject.encoder.getSolver().nVars()));
        for (const Clause& c : instance.clauses) {
            bool satisfied = std::any_of(c.begin(), c.end(), [&](long l) { return literals.count(l) != 0; });
            EXPECT_TRUE(satisfied);
        }
    }

    void checkPair()
    {
        long sub = variable();
        long super = variable();
        bool expected = !oracle.refutes({sub}, {super});
        for (auto& subject : subjects) {
            EXPECT_EQ(subject->encoder.checkSatisfiability(sub, super, 0, 0), expected)
                << sub << " " << super << " propagate-only " << subject->encoder.isPropagateOnly();
            subject->holdsAxioms = false;
        }
    }

    void checkLists()
    {
        std::vector<long> positives(random() % 4);
        std::vector<long> negatives(random() % 3);
        for (long& v : positives)
            v = variable();
        for (long& v : negatives)
            v = variable();
        bool expected = !oracle.refutes(positives, negatives);
        LiteralList p(positives.begin(), positives.end());
        LiteralList n(negatives.begin(), negatives.end());
        for (auto& subject : subjects) {
            EXPECT_EQ(subject->encoder.checkSatisfiability(&p, &n, 0, 0), expected);
            subject->holdsAxioms = false;
        }
    }

    void addClauses()
    {
        // A further pass of one clause that keeps the set satisfiable.
        for (int attempt = 0; attempt < 10; ++attempt) {
            long selector = 1 + static_cast<long>(random() % instance.selectors);
            Clause c = random() % 2 == 0 ? Clause{-selector, -variable(), variable()} : Clause{-variable(), variable()};
            HornOracle extended = oracle;
            extended.add(c);
            if (!extended.refutes({}, {})) {
                instance.clauses.push_back(c);
                load({c});
                return;
            }
        }
    }

    void pinpoint()
    {
        long sub = conceptVariable();
        long super = conceptVariable();
        int how = static_cast<int>(random() % 4);
        bool refresh = how == 0;
        const LiteralList* list = how == 3 ? nullptr : &axiomList;
        for (auto& subject : subjects) {
            if (list != nullptr && (refresh || !subject->holdsAxioms || subject->assumed.size() < 2))
                subject->assumed = axioms;
            else if (!subject->holdsAxioms)
                subject->assumed.clear();
            subject->holdsAxioms = true;

            std::vector<long> premises = subject->assumed;
            premises.push_back(sub);
            bool expected = oracle.refutes(premises, {super});
            std::unique_ptr<LiteralList> found(
                subject->encoder.checkSatisfiabilityAndPinpoint(sub, super, list, refresh, 0, 0));
            ASSERT_EQ(found != nullptr, expected)
                << sub << " " << super << " propagate-only " << subject->encoder.isPropagateOnly();
            if (!found)
                continue;
            // Only assumed axioms, and enough of them for the refutation.
            std::vector<long> used(found->begin(), found->end());
            for (long s : used)
                EXPECT_NE(std::find(subject->assumed.begin(), subject->assumed.end(), s), subject->assumed.end()) << s;
            used.push_back(sub);
            EXPECT_TRUE(oracle.refutes(used, {super})) << sub << " " << super << debugText(used, subject->assumed);
        }
    }

    std::string debugText(const std::vector<long>& used, const std::vector<long>& assumed)
    {
        std::ostringstream out;
        out << "\nused:";
        for (long v : used) out << " " << v;
        out << "\nassumed:";
        for (long v : assumed) out << " " << v;
        out << "\nclauses:\n";
        for (const Clause& c : instance.clauses) {
            for (long l : c) out << l << " ";
            out << "0\n";
        }
        return out.str();
    }

    std::mt19937 random;
    Instance instance;
    HornOracle oracle;
    std::vector<std::unique_ptr<Subject>> subjects;
    std::vector<long> axioms;
    LiteralList axiomList;
};

int scaled(int count)
{
    return sanitizedBuild() ? count / 2 : count;
}

TEST(CoreSolverEncoderAgreement, RandomHornEncodingsAgreeWithForwardChaining)
{
    int instances = scaled(1000);
    for (int seed = 1; seed <= instances && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Agreement(static_cast<unsigned>(seed)).run(300);
    }
}

} // namespace
