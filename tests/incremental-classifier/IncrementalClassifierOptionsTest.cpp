// The incremental classifier's command line as its option class reads it:
// every accepted form and what it sets, every refused form with its message,
// and the clause sink that the options ask for.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "encoders/CoreSolverEncoder.h"
#include "encoders/DimacsEncoder.h"
#include "encoders/SimpSolverEncoder.h"
#include "incremental-classifier/IncrementalClassifierOptions.h"

namespace {

// A readable file and a writable path in a scratch directory; the option
// forms name them as IN and OUT.
class ScratchPaths {
public:
    ScratchPaths()
    {
        char pattern[] = "/tmp/korvane-icopt-XXXXXX";
        dir = mkdtemp(pattern);
        FILE* f = std::fopen(in().c_str(), "w");
        std::fclose(f);
    }
    ~ScratchPaths()
    {
        std::remove(in().c_str());
        std::remove(out().c_str());
        rmdir(dir.c_str());
    }
    std::string in() const { return dir + "/in"; }
    std::string out() const { return dir + "/out"; }
    std::string expand(std::string argument) const
    {
        for (const auto& name : {std::make_pair(std::string("IN"), in()), std::make_pair(std::string("OUT"), out())}) {
            std::size_t at = argument.find(name.first);
            if (at != std::string::npos)
                argument.replace(at, name.first.size(), name.second);
        }
        return argument;
    }

private:
    std::string dir;
};

struct Parsed {
    IncrementalClassifierOptions options;
    std::string err;
};

void parse(Parsed& parsed, const ScratchPaths& paths, const std::vector<std::string>& arguments)
{
    std::vector<std::string> expanded = {"incremental-classifier"};
    for (const std::string& a : arguments)
        expanded.push_back(paths.expand(a));
    std::vector<char*> argv;
    for (std::string& a : expanded)
        argv.push_back(&a[0]);
    testing::internal::CaptureStderr();
    parsed.options.parse(static_cast<int>(argv.size()), argv.data());
    parsed.err = testing::internal::GetCapturedStderr();
}

using Options = IncrementalClassifierOptions;

struct AcceptedForm {
    const char* argument;
    std::function<bool(const Options&)> effect;
};

std::ostream& operator<<(std::ostream& out, const AcceptedForm& form) { return out << form.argument; }

bool named(FILE* f) { return f != nullptr && f != stdin && f != stdout && f != stderr; }

const AcceptedForm kAccepted[] = {
    {"", [](const Options& o) { return o.input == stdin && o.encoding == nullptr; }},
    {"-i", [](const Options& o) { return o.input == stdin && !o.namedInput; }},
    {"-i=IN", [](const Options& o) { return named(o.input) && o.namedInput; }},
    {"-io", [](const Options& o) { return o.encoding == stdin && o.input == stdin; }},
    {"-io=IN", [](const Options& o) { return named(o.encoding) && !o.namedInput; }},
    {"-iv", [](const Options& o) { return o.normalizationMap == stdin; }},
    {"-iv=IN", [](const Options& o) { return named(o.normalizationMap); }},
    {"-j=IN", [](const Options& o) { return named(o.increment); }},
    {"-q", [](const Options& o) { return o.queries == stdin; }},
    {"-q=IN", [](const Options& o) { return named(o.queries); }},
    {"-o=OUT", [](const Options& o) { return named(o.clauses) && o.header == stderr; }},
    {"-h=OUT", [](const Options& o) { return named(o.header) && o.clauses == stdout; }},
    {"-a=OUT", [](const Options& o) { return named(o.axiomDump); }},
    {"-n=OUT", [](const Options& o) { return named(o.normalizationListing); }},
    {"-v=OUT", [](const Options& o) { return named(o.normalizationMapOutput); }},
    {"-p=OUT", [](const Options& o) { return named(o.pinpointingInfo); }},
    {"-s=OUT", [](const Options& o) { return named(o.statistics); }},
    {"-d", [](const Options& o) { return o.debugStream == stderr; }},
    {"-d=", [](const Options& o) { return o.debugStream == stderr; }},
    {"-dfoo", [](const Options& o) { return o.debugStream == stderr; }},
    {"-d=OUT", [](const Options& o) { return named(o.debugStream); }},
    {"-b", [](const Options& o) { return o.keepNamesTable; }},
    {"-bxyz", [](const Options& o) { return o.keepNamesTable; }},
    {"-c", [](const Options& o) { return !o.createNewConceptsInDeduction; }},
    {"-e=1", [](const Options& o) { return !o.equivalenceNames; }},
    {"-f", [](const Options& o) { return o.fullEncoding; }},
    {"-m", [](const Options& o) { return o.sink == EncoderFactory::CORE_SOLVER && o.propagateOnly; }},
    {"-ms", [](const Options& o) { return o.sink == EncoderFactory::SIMP_SOLVER; }},
    {"-msfoo", [](const Options& o) { return o.sink == EncoderFactory::SIMP_SOLVER; }},
    {"-r", [](const Options& o) { return !o.useRoleAxiomsInDeduction; }},
    {"-u1", [](const Options& o) { return !o.propagateOnly; }},
    {"-w", [](const Options& o) { return o.activityByKind && o.bestType == 0; }},
    {"-w3", [](const Options& o) { return o.activityByKind && o.bestType == 3; }},
    {"-w5", [](const Options& o) { return o.activityByKind && o.bestType == 5; }},
    {"-w7", [](const Options& o) { return o.activityByKind && o.bestType == 0; }},
    {"-w0", [](const Options& o) { return o.activityByKind && o.bestType == 0; }},
    {"-wx", [](const Options& o) { return o.activityByKind && o.bestType == 0; }},
    {"-x", [](const Options& o) { return o.initializeNonPrimitive; }},
    {"-y", [](const Options& o) { return o.saveDeductionsForNews; }},
};

class AcceptedOption : public testing::TestWithParam<AcceptedForm> {};

TEST_P(AcceptedOption, SetsItsItemWithoutAnError)
{
    ScratchPaths paths;
    Parsed parsed;
    parse(parsed, paths, {GetParam().argument});
    EXPECT_FALSE(parsed.options.error);
    EXPECT_EQ(parsed.err, "");
    EXPECT_TRUE(GetParam().effect(parsed.options));
}

INSTANTIATE_TEST_SUITE_P(Forms, AcceptedOption, testing::ValuesIn(kAccepted));

struct RefusedForm {
    const char* argument;
    const char* message;
};

std::ostream& operator<<(std::ostream& out, const RefusedForm& form) { return out << form.argument; }

const RefusedForm kRefused[] = {
    {"foo", "Invalid parameter: foo\n"},
    {"-", "Invalid parameter: -\n"},
    {"-A", "Invalid parameter: -A\n"},
    {"-1", "Invalid parameter: -1\n"},
    {"-g", "Invalid parameter: -g\n"},
    {"-k", "Invalid parameter: -k\n"},
    {"-l=1", "Invalid parameter: -l=1\n"},
    {"-t", "Invalid parameter: -t\n"},
    {"-z", "Invalid parameter: -z\n"},
    {"-ix", "Invalid parameter: -ix\n"},
    {"-i=", "Invalid parameter: -i=\n"},
    {"-io=", "Invalid parameter: -io=\n"},
    {"-iox", "Invalid parameter: -iox\n"},
    {"-iv=", "Invalid parameter: -iv=\n"},
    {"-j", "Invalid parameter: -j\n"},
    {"-j=", "Invalid parameter: -j=\n"},
    {"-qx", "Invalid parameter: -qx\n"},
    {"-o", "Invalid parameter: -o\n"},
    {"-h=", "Invalid parameter: -h=\n"},
    {"-afile", "Invalid parameter: -afile\n"},
    {"-n", "Invalid parameter: -n\n"},
    {"-v", "Invalid parameter: -v\n"},
    {"-p", "Invalid parameter: -p\n"},
    {"-s", "Invalid parameter: -s\n"},
    {"-mx", "Invalid parameter: -mx\n"},
    {"-m=s", "Invalid parameter: -m=s\n"},
    {"-w12", "Invalid parameter: -w12\n"},
    {"-i=/nonexistent/ontology", "Can not read from file: /nonexistent/ontology\n"},
    {"-io=/nonexistent/encoding", "Can not read from file: /nonexistent/encoding\n"},
    {"-iv=/nonexistent/map", "Can not read from file: /nonexistent/map\n"},
    {"-j=/nonexistent/increment", "Can not read from file: /nonexistent/increment\n"},
    {"-q=/nonexistent/queries", "Can not read from file: /nonexistent/queries\n"},
    {"-o=/nonexistent/clauses", "Can not write file: /nonexistent/clauses\n"},
    {"-p=/nonexistent/pinpointing", "Can not write file: /nonexistent/pinpointing\n"},
    {"-s=/nonexistent/statistics", "Can not write file: /nonexistent/statistics\n"},
};

class RefusedOption : public testing::TestWithParam<RefusedForm> {};

TEST_P(RefusedOption, IsReportedAndSetsTheErrorMark)
{
    ScratchPaths paths;
    Parsed parsed;
    parse(parsed, paths, {GetParam().argument});
    EXPECT_TRUE(parsed.options.error);
    EXPECT_EQ(parsed.err, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Forms, RefusedOption, testing::ValuesIn(kRefused));

TEST(DebugOption, AFileThatCannotBeOpenedIsReportedWithoutTheErrorMark)
{
    ScratchPaths paths;
    Parsed parsed;
    parse(parsed, paths, {"-d=/nonexistent/debug"});
    EXPECT_FALSE(parsed.options.error);
    EXPECT_EQ(parsed.err, "Can not write file: /nonexistent/debug\n");
    EXPECT_EQ(parsed.options.debugStream, nullptr);

    Parsed earlier;
    parse(earlier, paths, {"-d", "-d=/nonexistent/debug"});
    EXPECT_EQ(earlier.options.debugStream, stderr);
}

TEST(OptionScan, EveryBadOptionIsReportedInTurn)
{
    ScratchPaths paths;
    Parsed parsed;
    parse(parsed, paths, {"-mx", "-m", "-w12", "-i=/nonexistent/ontology"});
    EXPECT_TRUE(parsed.options.error);
    EXPECT_EQ(parsed.err, "Invalid parameter: -mx\nInvalid parameter: -w12\nCan not read from file: /nonexistent/ontology\n");
    EXPECT_EQ(parsed.options.sink, EncoderFactory::CORE_SOLVER);
}

TEST(OptionScan, ALaterOptionOfTheSameLetterWins)
{
    ScratchPaths paths;
    Parsed parsed;
    parse(parsed, paths, {"-ms", "-m", "-w3", "-w", "-i=IN", "-i"});
    EXPECT_EQ(parsed.options.sink, EncoderFactory::CORE_SOLVER);
    EXPECT_EQ(parsed.options.bestType, 0);
    EXPECT_EQ(parsed.options.input, stdin);
    EXPECT_FALSE(parsed.options.namedInput);
}

TEST(OptionScan, ReloadNeedsBothTheEncodingAndTheMap)
{
    ScratchPaths paths;
    Parsed both;
    parse(both, paths, {"-io=IN", "-iv=IN"});
    EXPECT_TRUE(both.options.reload());
    Parsed one;
    parse(one, paths, {"-io=IN"});
    EXPECT_FALSE(one.options.reload());
}

// The sink and, for the in-process encoders, the activity that a variable of
// the favoured kind (3, a fresh concept) starts with.
struct SinkCase {
    std::vector<std::string> arguments;
    int kind;  // 1 DIMACS writer, 2 the plain solver, 3 the simplifying solver
    double freshActivity;
    bool propagateOnly;
};

std::ostream& operator<<(std::ostream& out, const SinkCase& c)
{
    for (const std::string& a : c.arguments)
        out << a << " ";
    return out;
}

class SinkChoice : public testing::TestWithParam<SinkCase> {};

template <class E>
double firstVariableActivity(E* encoder)
{
    LiteralList clause{1};
    KindList kinds{static_cast<concept_t>(3)};
    EXPECT_TRUE(encoder->addClause(&clause, &kinds, 0));
    return encoder->getSolver().varActivity(0);
}

TEST_P(SinkChoice, TheOptionsBuildTheirEncoder)
{
    const SinkCase& c = GetParam();
    ScratchPaths paths;
    Parsed parsed;
    parse(parsed, paths, c.arguments);
    ASSERT_FALSE(parsed.options.error);
    Encoder* encoder = parsed.options.makeEncoder();
    switch (c.kind) {
    case 1: EXPECT_NE(dynamic_cast<DimacsEncoder*>(encoder), nullptr); break;
    case 2: {
        auto* core = dynamic_cast<CoreSolverEncoder*>(encoder);
        ASSERT_NE(core, nullptr);
        EXPECT_EQ(core->isPropagateOnly(), c.propagateOnly);
        EXPECT_EQ(firstVariableActivity(core), c.freshActivity);
        break;
    }
    default: {
        auto* simp = dynamic_cast<SimpSolverEncoder*>(encoder);
        ASSERT_NE(simp, nullptr);
        EXPECT_EQ(firstVariableActivity(simp), c.freshActivity);
        break;
    }
    }
    delete encoder;
}

INSTANTIATE_TEST_SUITE_P(Sinks, SinkChoice,
                         testing::Values(SinkCase{{}, 1, 0.0, true}, SinkCase{{"-w3"}, 1, 0.0, true},
                                         SinkCase{{"-m"}, 2, 0.0, true}, SinkCase{{"-m", "-u"}, 2, 0.0, false},
                                         SinkCase{{"-m", "-w3"}, 2, 8.0, true}, SinkCase{{"-m", "-w4"}, 2, 0.0, true},
                                         SinkCase{{"-m", "-w"}, 2, 0.0, true}, SinkCase{{"-ms"}, 3, 0.0, true},
                                         SinkCase{{"-ms", "-w3"}, 3, 8.0, true}));

} // namespace
