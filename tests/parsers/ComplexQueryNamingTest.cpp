// Complex queries whose concepts meet a fresh name given out by the other
// side, by another concept or by a reload, asked through the incremental
// classifier by every road (in order, shuffled, each alone, after a reload,
// after an increment, after a reload and an increment), with -m and -ms, with
// and without -e. The answers come from the axioms themselves.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/IncrementalRoads.h"
#include "support/ParallelTasks.h"
#include "support/ProcessRunner.h"

namespace {

struct NamingCase {
    const char* name;
    const char* ontology;
    std::vector<std::string> queries;
    std::vector<int> holds; // 1: U, 0: SAT
    // When given, the roads that split the ontology take `ontology` first
    // and this as the increment; the others take both.
    const char* increment = nullptr;
};

const NamingCase NamingCases[] = {
    // The README's anatomy: ∃located-in.Hand gets its backward name first, then
    // stands on the forward side of the second query.
    {"AnatomyWithTheReadmesStepQ",
     "(transitive part-of)\n(role-inclusion (compose located-in part-of) located-in)\n"
     "(implies Finger (some part-of Hand))\n(implies Hand (some part-of Arm))\n(implies Arm (some part-of Body))\n"
     "(implies Arm Limb)\n(equivalent BodyPart (some part-of Body))\n(implies Cut (some located-in Finger))\n"
     "(equivalent ArmInjury (some located-in Arm))\n",
     {"(subsumes? (some located-in Hand) (and Cut (some located-in Hand)))",
      "(subsumes? ArmInjury (some located-in Hand))"},
     {1, 1}},
    // ∃r.P named forwards by the first query, then asked backwards.
    {"NamedForwardsThenAskedBackwards",
     "(implies P B)\n",
     {"(subsumes? (some r P) (and G (some r P)))", "(subsumes? (some r B) (some r P))"},
     {1, 1}},
    // ∃r.P named forwards by the terminology, a filler on the backward side.
    {"FillerNamedForwardsByTheTerminology",
     "(implies P B)\n(implies (and A (some r P)) Z)\n",
     {"(subsumes? (some s (some r B)) (some s (some r P)))"},
     {1}},
    // ∃r.A named backwards as the filler of the subsumee, then the subsumer.
    {"SubsumeesFillerIsTheSubsumer",
     "(transitive r)\n(implies (some r A) X)\n",
     {"(subsumes? (some r A) (some r (some r A)))"},
     {1}},
    // ∃r.C named forwards by the terminology, a filler on the backward side.
    {"FillerOfTheSubsumeeNamedForwards",
     "(implies (and (some r C) D) Y)\n(implies (some r C) C)\n",
     {"(subsumes? C (some r (some r C)))"},
     {1}},
    // ∃r.C named backwards by the terminology, a conjunct on the forward side.
    {"ConjunctNamedBackwardsByTheTerminology",
     "(implies A (some r C))\n(implies E (some s (some r C)))\n",
     {"(subsumes? (and (some r C) A) A)"},
     {1}},
    // With -e the GCI is cut at one fresh concept, which must not stand for
    // both of its sides: ∃s.∃t.B is no ∃s.∃r.A.
    {"CutOfAGciBetweenQueryFillers",
     "(implies (some r A) (some t B))\n",
     {"(subsumes? (some s (some r A)) (some s (some t B)))", "(subsumes? (some s (some t B)) (some s (some r A)))"},
     {0, 1}},
    {"CutOfAGciAboveAConjunction",
     "(implies (some r A) (and B (some t C)))\n",
     {"(subsumes? (some s (some r A)) (some s (and B (some t C))))",
      "(subsumes? (some s (and B (some t C))) (some s (some r A)))"},
     {0, 1}},
    {"CutOfAGciBetweenTerminologyFillers",
     "(implies (some r X1) (some t X2))\n(implies (some s (some r X1)) B)\n(implies A (some s (some t X2)))\n",
     {"(subsumes? B A)", "(subsumes? (some s (some t X2)) (some s (some r X1)))"},
     {0, 1}},
    // Reloaded, ∃r.C is named backwards and stands on a left side too: no mark
    // may say that it has the forward inclusion of its name.
    {"ReloadedNameOfTheOtherSide",
     "(implies E (some s (some r C)))\n(implies (some r C) D)\n(implies C2 C)\n",
     {"(subsumes? (and (some r C) G) (and G (some r C2)))"},
     {1}},
    // Reloaded, the name of the conjunction ∃r.C ⊓ D is no name of ∃r.C.
    {"ReloadedNameOfAConjunction",
     "(implies (some s A) (and (some r C) D))\n",
     {"(subsumes? D (some r C))", "(subsumes? (some r C) (some s A))"},
     {0, 1}},
    // Reloaded, A ⊓ B is named forwards only, and asked backwards below an
    // existential.
    {"ReloadedConjunctionBelowAnExistential",
     "(implies (some r (and A B)) X)\n",
     {"(subsumes? (some s A) (some s (and A B)))"},
     {1}},
    // Reloaded, ∃r.C4 stands on a left side without a name; the query names
    // it forwards below ∃r, where the increment's ∃r.⊤ ⊓ C4 for all finds it.
    {"ReloadedLeftSideNamedByTheQuery",
     "(implies (some r C4) C12)\n",
     {"(subsumes? (some r (some r C4)) (some r A))"},
     {1},
     "(implies *top* (and (some r *top*) C4))\n"},
    // ∃r.B normalised on a left side only; the increment's right side takes
    // it over as a conjunct, and the query asks that right side backwards.
    {"IncrementsConjunctNormalisedOnALeftSideOnly",
     "(implies (some r B) D)\n",
     {"(subsumes? (some r (some s A)) (and (some r B) B (some t E)))", "(subsumes? D (and (some r B) B (some t E)))",
      "(subsumes? (and (some r B) B) (and (some r B) B (some t E)))"},
     {0, 1, 1},
     "(implies (some r (some s A)) (and (some r B) B (some t E)))\n"},
};

void PrintTo(const NamingCase& c, std::ostream* os)
{
    *os << c.name;
}

class ComplexQueryNaming : public ::testing::TestWithParam<NamingCase> {};

TEST_P(ComplexQueryNaming, EveryRoadAnswersAsTheAxiomsSay)
{
    const NamingCase& c = GetParam();
    ScratchDir scratch;
    const std::string increment = c.increment != nullptr ? c.increment : "";
    RoadCase road = RoadCase::dealt(scratch.write("ontology.krss", c.ontology + increment), c.queries, 7);
    if (c.increment != nullptr) {
        road.first = c.ontology;
        road.increment = increment;
    }
    std::vector<std::unique_ptr<IncrementalRoads>> roads;
    std::vector<std::function<void()>> tasks;
    for (const RoadOptions& options : ComplexQueryOptions) {
        roads.push_back(std::make_unique<IncrementalRoads>(KORVANE_INCREMENTAL_CLASSIFIER_PATH, options));
        for (auto& t : roads.back()->tasks(road, ComplexQueryRoads))
            tasks.push_back(std::move(t));
    }
    runParallel(tasks, 4);
    for (const auto& answered : roads)
        for (QueryRoad r : ComplexQueryRoads) {
            EXPECT_EQ(answered->failure(r), "");
            EXPECT_EQ(answered->answers(r), c.holds) << answered->options().title() << " " << roadName(r);
        }
}

INSTANTIATE_TEST_SUITE_P(Cases, ComplexQueryNaming, ::testing::ValuesIn(NamingCases),
                         [](const ::testing::TestParamInfo<NamingCase>& info) { return info.param.name; });

} // namespace
