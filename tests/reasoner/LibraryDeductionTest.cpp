// The library's classification on small terminologies read from text: what
// it derives, what it leaves in the role structures, and the pinpointing
// information it writes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "NamedSubsumptions.h"
#include "ParserTestSupport.h"
#include "PinpointingReplay.h"
#include "support/TestSupport.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"

using namespace korvane_test;

namespace {

using NamePairs = std::set<std::pair<std::string, std::string>>;

class LibraryDeduction : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
        TBox::pinpointing_index = 0;
        TBox::save_pinpointing_info = false;
        TBox::pinpointing_f = nullptr;
        TBox::full_encoding = false;
        TBox::saveDeductionsForNews = false;
        TBox::initializeNonPrimitive = true;
        TBox::createNewConceptsInDeduction = true;
        TBox::useRoleAxiomsInDeduction = true;
    }
    void TearDown() override
    {
        TBox::save_pinpointing_info = false;
        TBox::pinpointing_f = nullptr;
    }

    void classify(const std::string& text) { ASSERT_NE(tbox = classifyOntologyText(text), nullptr); }

    bool subsumes(const std::string& super, const Concept* sub)
    {
        const Concept* s = conceptNamed(super);
        if (s == nullptr || s->deduction.subsumed == nullptr)
            return false;
        for (const Concept* x : *s->deduction.subsumed)
            if (x == sub)
                return true;
        return false;
    }

    bool subsumes(const std::string& super, const std::string& sub) { return subsumes(super, conceptNamed(sub)); }

    // The existential ∃role.filler of the normal form, or null.
    Concept* existential(const std::string& role, const std::string& filler)
    {
        for (Concept* c : tbox->normalizedConcepts)
            if (c->kind == EXISTENTIAL_RESTR && static_cast<ExistentialRestr*>(c)->role == roleNamed(role) &&
                static_cast<ExistentialRestr*>(c)->getFiller() == conceptNamed(filler))
                return c;
        return nullptr;
    }

    TBox* tbox = nullptr;
};

// ∃s.F does not occur in the input: the role inclusion makes it.
const char* const madeExistentialText = "(implies *top* D)\n"
                                        "(implies (some s G) X)\n"
                                        "(implies F G)\n"
                                        "(implies A (some r F))\n"
                                        "(role-inclusion r s)\n";

// The GCI ⊤ ⊑ D must see the made ∃s.F like any other concept.
TEST_F(LibraryDeduction, AConceptMadeByTheRulesIsSubsumedThroughTop)
{
    classify(madeExistentialText);
    Concept* made = existential("s", "F");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->flags & Concept::CREATED_BY_CLASSIFICATION);
    EXPECT_TRUE(subsumes("D", made));
    EXPECT_TRUE(subsumes("X", made));
    EXPECT_TRUE(subsumes("X", "A"));
    EXPECT_TRUE(subsumes("D", "A"));
}

// A made existential is marked as backward normalised: it must then be its
// own backward normal form, or a query naming it later meets a null form.
TEST_F(LibraryDeduction, AMadeExistentialIsItsOwnBackwardNormalForm)
{
    classify(madeExistentialText);
    Concept* made = existential("s", "F");
    ASSERT_NE(made, nullptr);
    ASSERT_TRUE(made->flags & Concept::BW_NORMALIZED);
    EXPECT_EQ(made->getBWNormalization(), made);
}

// ∃s.F is made in the loop; both GCIs over ∃s.G must receive it.
TEST_F(LibraryDeduction, AMadeExistentialReachesEveryGciOverItsRoleAndFiller)
{
    classify("(implies (some s G) D1)\n"
             "(implies (some s G) D2)\n"
             "(implies F G)\n"
             "(implies A (some r F))\n"
             "(role-inclusion r s)\n");
    ASSERT_NE(existential("s", "F"), nullptr);
    EXPECT_TRUE(subsumes("D1", "A"));
    EXPECT_TRUE(subsumes("D2", "A"));
}

// Z2 becomes a subsumee of G only in the loop, and no existential over r has
// the filler Z2: asking for it must leave related(r) alone.
TEST_F(LibraryDeduction, LookingForAnAbsentExistentialLeavesTheRoleAlone)
{
    classify("(implies (some r G) D)\n"
             "(implies Z1 Y)\n"
             "(implies Z2 Y)\n"
             "(implies Y G)\n"
             "(implies A (some r Z1))\n"
             "(role-inclusion r s)\n"
             "(implies (some s G) E)\n");
    EXPECT_TRUE(subsumes("G", "Z2"));
    EXPECT_TRUE(subsumes("D", "A"));
    EXPECT_TRUE(subsumes("E", "A"));
    EXPECT_FALSE(subsumes("D", "Z1"));
    for (Role* role : tbox->roles) {
        if (role->deduction.related == nullptr)
            continue;
        for (const auto& entry : *role->deduction.related) {
            ASSERT_NE(entry.second, nullptr) << "empty entry for filler " << entry.first;
            EXPECT_EQ(static_cast<ExistentialRestr*>(entry.second)->getFiller()->id, entry.first);
        }
    }
}

// A normal id without a concept leaves an empty slot in conceptsById.
TEST_F(LibraryDeduction, AnIdWithoutAConceptIsPassedOver)
{
    ASSERT_EQ(parseOntology("(implies A B)\n(implies B C)\n"), 0);
    tbox = TBox::getInstance();
    tbox->normalizeTBox();
    Concept::normal_id_counter += 2;
    tbox->prepareDeduction();
    ASSERT_EQ(tbox->conceptsById->size(), Concept::normal_id_counter);
    EXPECT_EQ(tbox->conceptsById->back(), nullptr);
    int conceptCount = 0;
    int roleCount = 0;
    tbox->performDeduction(conceptCount, roleCount);
    EXPECT_TRUE(subsumes("C", "A"));
}

// A ⊑ ∃r.B, B ⊑ ∃s.C, C ⊑ ∃t.D and r ∘ s ∘ t ⊑ u give A ⊑ ∃u.D ⊑ E; the
// record of A ⊑ ∃u.D names the three premises of the chain (and so does the
// record of ∃r.B ⊑ ∃u.D, ∃r.B subsuming itself).
TEST_F(LibraryDeduction, AChainOfThreeRolesWritesItsPremises)
{
    MemoryStream records;
    TBox::save_pinpointing_info = true;
    TBox::pinpointing_f = records.get();
    classify("(implies A (some r B))\n"
             "(implies B (some s C))\n"
             "(implies C (some t D))\n"
             "(role-inclusion (compose r s t) u)\n"
             "(implies (some u D) E)\n");
    EXPECT_TRUE(subsumes("E", "A"));
    PinpointingReplay replay(tbox, records.text());
    EXPECT_TRUE(replay.faults.empty()) << replay.faults.front();
    EXPECT_EQ(replay.byPremiseCount[3], 2u);

    Concept* a = conceptNamed("A");
    Concept* uD = existential("u", "D");
    Concept* rB = existential("r", "B");
    Concept* sC = existential("s", "C");
    Concept* tD = existential("t", "D");
    ASSERT_TRUE(uD != nullptr && rB != nullptr && sC != nullptr && tD != nullptr);
    std::string expected = std::to_string(a->id) + " " + std::to_string(uD->id) + " ";
    std::string premises = std::to_string(a->id) + " " + std::to_string(rB->id) + " " +
                           std::to_string(conceptNamed("B")->id) + " " + std::to_string(sC->id) + " " +
                           std::to_string(conceptNamed("C")->id) + " " + std::to_string(tD->id) + " S\n";
    EXPECT_NE(records.text().find(expected), std::string::npos);
    EXPECT_NE(records.text().find(premises), std::string::npos) << records.text();
}

// The letters: implications "B" and not deduced; existential derivations
// for concepts of the normal form "S" and deduced.
TEST_F(LibraryDeduction, ImplicationsAreBooleanAndExistentialDerivationsSaved)
{
    MemoryStream records;
    TBox::save_pinpointing_info = true;
    TBox::pinpointing_f = records.get();
    classify("(implies A B)\n(implies B C)\n(implies X (some r A))\n(implies (some r C) Y)\n");
    EXPECT_TRUE(subsumes("Y", "X"));
    PinpointingReplay replay(tbox, records.text());
    EXPECT_TRUE(replay.faults.empty()) << replay.faults.front();
    const std::string a = std::to_string(conceptNamed("A")->id);
    const std::string b = std::to_string(conceptNamed("B")->id);
    const std::string c = std::to_string(conceptNamed("C")->id);
    const std::string x = std::to_string(conceptNamed("X")->id);
    const std::string y = std::to_string(conceptNamed("Y")->id);
    EXPECT_NE(records.text().find("\n" + a + " " + c + " "), std::string::npos);
    std::set<std::pair<Concept*, Concept*>> deduced(tbox->deducedAxioms->begin(), tbox->deducedAxioms->end());
    EXPECT_EQ(deduced.count({conceptNamed("A"), conceptNamed("C")}), 0u);
    EXPECT_EQ(deduced.count({conceptNamed("X"), conceptNamed("Y")}), 1u);
    std::string text = records.text();
    std::size_t implication = text.find("\n" + a + " " + c + " ");
    EXPECT_EQ(text.substr(text.find('\n', implication + 1) - 1, 1), "B");
    std::size_t existentialRecord = text.find("\n" + x + " " + y + " ");
    ASSERT_NE(existentialRecord, std::string::npos);
    EXPECT_EQ(text.substr(text.find('\n', existentialRecord + 1) - 1, 1), "S");
}

} // namespace

namespace {

// A terminology classified, then an increment classified on top of it.
// Ai ⊑ ∃q.Bi with q ⊑ r makes many ∃r.Bi at once; each Bi ⊑ ∃r.C, so
// through the transitivity of r every Ai ⊑ ∃r.C ⊑ Goal. The made
// existentials reach ∃r.C's chain together, more of them than a few.
TEST_F(LibraryDeduction, ManyExistentialsArrivingAtOnceCloseTheirChains)
{
    std::string text = "(transitive r)\n(role-inclusion q r)\n(implies (some r C) Goal)\n";
    const int count = 80;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        text += "(implies A" + n + " (some q B" + n + "))\n(implies B" + n + " (some r C))\n";
    }
    classify(text);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(subsumes("Goal", "A" + std::to_string(i))) << i;
}

struct IncrementCase {
    const char* name;
    const char* first;
    const char* increment;
    const char* sub;
    const char* super;
};

const IncrementCase incrementCases[] = {
    {"ToldSubsumptionBetweenOldConcepts", "(implies A B)\n(implies C D)\n", "(implies B C)\n", "A", "D"},
    {"NewExistentialPremiseOverAnOldRole", "(implies A (some r F))\n(implies F G)\n", "(implies (some r G) D)\n", "A",
     "D"},
    {"OldExistentialPremiseGetsANewFiller", "(implies F G)\n(implies (some r G) B)\n", "(implies C (some r F))\n", "C",
     "B"},
    {"RoleThatBecomesAPremise", "(implies A (some R B))\n(role-inclusion R S)\n", "(implies (some S B) D)\n", "A",
     "D"},
    {"ChainThatBecomesAPremise", "(implies A (some r B))\n(implies B (some r C))\n(transitive r)\n",
     "(implies (some r C) D)\n", "A", "D"},
    {"NewTransitivity", "(implies A (some r B))\n(implies B (some r C))\n(implies (some r C) D)\n",
     "(transitive r)\n", "A", "D"},
    // Both new GCIs over G keep the index -1 of an increment; Z reaches G
    // only in the loop, and each GCI must then see ∃r.Z or ∃s.Z.
    {"FirstOfTwoNewPremisesOverOneFiller", "(implies A (some r Z))\n(implies B (some s Z))\n",
     "(implies (some r G) D1)\n(implies (some s G) D2)\n(implies Z Y)\n(implies Y G)\n", "A", "D1"},
    {"SecondOfTwoNewPremisesOverOneFiller", "(implies A (some r Z))\n(implies B (some s Z))\n",
     "(implies (some r G) D1)\n(implies (some s G) D2)\n(implies Z Y)\n(implies Y G)\n", "B", "D2"},
    // X reaches ∃r.F, whose chained conclusions D and H receive it: D held
    // it already and gains nothing, but it was handed X all the same.
    {"ChainedConclusionThatHeldTheSubsumee",
     "(implies A (some r F))\n(implies F G)\n(implies (some r G) D)\n(implies (some r G) H)\n(implies X D)\n",
     "(implies X A)\n", "X", "H"},
};

class IncrementalDeduction : public LibraryDeduction, public ::testing::WithParamInterface<IncrementCase> {};

TEST_P(IncrementalDeduction, TheIncrementDerivesWhatOneRunDerives)
{
    const IncrementCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(classify(c.first));
    EXPECT_FALSE(subsumes(c.super, c.sub));
    ASSERT_NO_FATAL_FAILURE(classify(c.increment));
    EXPECT_TRUE(subsumes(c.super, c.sub));
}

// A run, full or incremental, leaves no stamp, working list or mark of the
// increment on any concept or GCI, and every concept in its slot: the next
// increment starts from a clean state whatever the last one touched.
TEST_P(IncrementalDeduction, EveryRunEndsWithoutStampsOrWorkingLists)
{
    const IncrementCase& c = GetParam();
    for (const char* text : {c.first, c.increment}) {
        ASSERT_NO_FATAL_FAILURE(classify(text));
        ASSERT_NE(tbox->conceptsById, nullptr);
        for (Concept* x : tbox->normalizedConcepts) {
            const ConceptDeduction& d = x->deduction;
            EXPECT_EQ(x->lastDeductionIt, 0) << x->id;
            EXPECT_TRUE(d.pending == nullptr && d.pendingExistentials == nullptr && d.additions == nullptr &&
                        d.newSubsumed == nullptr)
                << x->id;
            EXPECT_EQ(x->flags & Concept::NEW_OR_TOUCHED, 0) << x->id;
            ASSERT_LT(x->id, tbox->conceptsById->size());
            EXPECT_EQ((*tbox->conceptsById)[x->id], x);
        }
        for (const Axiom* a : tbox->gcis)
            EXPECT_EQ(a->lastDeductionIt, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Increments, IncrementalDeduction, ::testing::ValuesIn(incrementCases),
                         [](const ::testing::TestParamInfo<IncrementCase>& info) { return info.param.name; });

// An increment without new axioms changes no list and deduces nothing.
TEST_F(LibraryDeduction, AnEmptyIncrementDeducesNothing)
{
    classify("(implies A B)\n(implies B (some r C))\n(implies (some r C) D)\n");
    const int before = subsumedTotal(tbox);
    ASSERT_EQ(parseOntology(""), 0);
    tbox->normalizeTBox();
    tbox->prepareDeduction();
    int conceptCount = 0;
    int roleCount = 0;
    TBox::DeducedList* deduced = tbox->performDeduction(conceptCount, roleCount);
    EXPECT_TRUE(deduced->empty());
    EXPECT_EQ(subsumedTotal(tbox), before);
}

// The concepts of an increment and those a rule adds (∃s.B) are counted.
TEST_F(LibraryDeduction, ConceptsOfIncrementsAndRulesAreCounted)
{
    classify("(implies A (some r B))\n(role-inclusion r s)\n(implies (some s *top*) D)\n");
    EXPECT_NE(existential("s", "B"), nullptr);
    EXPECT_EQ(tbox->getSubsumptionsNumber(), subsumedTotal(tbox));
    classify("(implies X Y)\n(implies Y A)\n");
    EXPECT_TRUE(subsumes("D", "X"));
    EXPECT_EQ(tbox->getSubsumptionsNumber(), subsumedTotal(tbox));
}

} // namespace
