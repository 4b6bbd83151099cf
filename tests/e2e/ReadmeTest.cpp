// The user's reference in README.md against the programs: every option form
// that a program's parser accepts, under a name of one letter or two, is in
// its option table and every form in the table is accepted; the worked example prints what the README shows;
// the language examples get the answers the README gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ClassifierProcess.h"
#include "ReadmeDocument.h"
#include "support/ProcessRunner.h"

namespace {

const std::string kSourceDir = KORVANE_SOURCE_DIR;

const ReadmeDocument& readme()
{
    static const ReadmeDocument document(readFile(kSourceDir + "/README.md"));
    return document;
}

using classifier_e2e::Scratch;

std::string listed(const std::set<std::string>& forms)
{
    std::string text;
    for (const std::string& form : forms)
        text += " " + form;
    return text.empty() ? " (none)" : text;
}

// A program joins the reference by a row here, a row in the README's table
// of programs and a section with its option table.
//
// A program and the arguments around a probed one that make a run on empty
// inputs succeed: so a probe is accepted when the run ends with status 0
// and says nothing of an invalid parameter. An option that needs other
// arguments beside it (a stored encoding needs its map) has a companion:
// the arguments around it instead, and the scratch file whose text the
// probed option reads, both as the file "1" and on standard input.
struct Companion {
    const char* prefix;
    std::vector<std::string> fixedArguments;
    const char* valueFile;
};

struct ProgramProbe {
    const char* name;
    const char* path;
    std::vector<std::string> fixedArguments;
    std::vector<std::string> emptyFiles;
    // The program reports every invalid argument of a run, so many probes can
    // share one run to find those it refuses by name.
    bool reportsEveryArgument;
    std::vector<Companion> companions;
    // Writes the companions' files in the scratch directory (or nothing).
    void (*prepare)(const ScratchDir& scratch);
};

std::ostream& operator<<(std::ostream& out, const ProgramProbe& probe) { return out << probe.name; }

// A stored encoding and its map: those of the empty ontology, as the
// incremental classifier writes them.
void writeStoredEncoding(const ScratchDir& scratch)
{
    ProcessResult r = runProgram({KORVANE_INCREMENTAL_CLASSIFIER_PATH, "-i=" + scratch.write("stored.krss", ""),
                                  "-o=" + scratch.path("body"), "-h=" + scratch.path("header"),
                                  "-v=" + scratch.path("map")});
    ASSERT_EQ(r.status, 0) << r.err;
    scratch.write("encoding", scratch.read("header") + scratch.read("body"));
}

const ProgramProbe kProbes[] = {
    {"classifier", KORVANE_CLASSIFIER_PATH, {"-i=ontology", "-o=/dev/null", "-h=/dev/null"}, {"ontology"}, true, {},
     nullptr},
    {"pinpointer", KORVANE_PINPOINTER_PATH, {"-a=list", "-i=encoding", "-q=queries", "-c"},
     {"list", "encoding", "queries"}, false, {}, nullptr},
    {"incremental-classifier", KORVANE_INCREMENTAL_CLASSIFIER_PATH, {"-i=ontology", "-o=/dev/null", "-h=/dev/null"},
     {"ontology"}, true,
     {{"-io", {"-iv=map", "-o=/dev/null", "-h=/dev/null"}, "encoding"},
      {"-iv", {"-io=encoding", "-o=/dev/null", "-h=/dev/null"}, "map"}},
     writeStoredEncoding},
    {"pinpoint-encoder", KORVANE_PINPOINT_ENCODER_PATH,
     {"-i=encoding", "-p=pinpointing", "-v=map", "-o=/dev/null", "-h=/dev/null"},
     {"encoding", "pinpointing", "map"}, true, {}, nullptr},
};

class ReadmeOptionTable : public ::testing::TestWithParam<ProgramProbe> {};

// The scratch directory of one runner of probes.
class ProbeRunner {
public:
    explicit ProbeRunner(const ProgramProbe& probe) : probe(probe)
    {
        for (const std::string& file : probe.emptyFiles)
            scratch.write(file, "");
        if (probe.prepare != nullptr)
            probe.prepare(scratch);
    }

    // Whether the program accepts the argument in a run of its own.
    bool accepts(const std::string& argument)
    {
        const Companion* companion = nullptr;
        for (const Companion& c : probe.companions)
            if (argument.compare(0, std::string(c.prefix).size(), c.prefix) == 0)
                companion = &c;
        const std::string value = companion != nullptr ? scratch.read(companion->valueFile) : "";
        scratch.write("1", value);
        std::vector<std::string> argv = {probe.path};
        const std::vector<std::string>& around =
            companion != nullptr ? companion->fixedArguments : probe.fixedArguments;
        argv.insert(argv.end(), around.begin(), around.end());
        argv.push_back(argument);
        ProcessResult r = runProgram(argv, value, false, scratch.path("."));
        return r.status == 0 && r.err.find("Invalid parameter") == std::string::npos;
    }

    // The arguments among `batch` that one run with all of them does not
    // name as invalid parameters.
    std::vector<std::string> notRefusedByName(const std::vector<std::string>& batch)
    {
        scratch.write("1", "");
        std::vector<std::string> argv = {probe.path};
        argv.insert(argv.end(), probe.fixedArguments.begin(), probe.fixedArguments.end());
        argv.insert(argv.end(), batch.begin(), batch.end());
        ProcessResult r = runProgram(argv, "", false, scratch.path("."));
        std::set<std::string> refused;
        for (const std::string& line : trimmedLines(r.err))
            if (line.compare(0, 19, "Invalid parameter: ") == 0)
                refused.insert(line.substr(19));
        std::vector<std::string> rest;
        for (const std::string& argument : batch)
            if (refused.count(argument) == 0)
                rest.push_back(argument);
        return rest;
    }

    // The arguments that the program accepts, each judged in a run of its
    // own unless a shared run refused it by name.
    std::set<std::string> accepted(const std::vector<std::string>& arguments)
    {
        const std::size_t batchSize = 64;
        std::vector<std::string> candidates;
        if (!probe.reportsEveryArgument) {
            candidates = arguments;
        } else {
            for (std::size_t from = 0; from < arguments.size(); from += batchSize) {
                std::vector<std::string> batch(arguments.begin() + from,
                                               arguments.begin() + std::min(arguments.size(), from + batchSize));
                for (const std::string& argument : notRefusedByName(batch))
                    candidates.push_back(argument);
            }
        }
        std::set<std::string> result;
        for (const std::string& argument : candidates)
            if (accepts(argument))
                result.insert(argument);
        return result;
    }

private:
    const ProgramProbe& probe;
    Scratch scratch;
};

// The arguments the program accepts, over four runners at a time.
std::set<std::string> acceptedArguments(const ProgramProbe& probe, const std::vector<std::string>& arguments)
{
    const std::size_t runners = 4;
    std::vector<std::future<std::set<std::string>>> parts;
    for (std::size_t i = 0; i < runners; ++i)
        parts.push_back(std::async(std::launch::async, [&probe, &arguments, i, runners] {
            std::vector<std::string> share;
            for (std::size_t k = i; k < arguments.size(); k += runners)
                share.push_back(arguments[k]);
            ProbeRunner runner(probe);
            return runner.accepted(share);
        }));
    std::set<std::string> accepted;
    for (auto& part : parts) {
        std::set<std::string> some = part.get();
        accepted.insert(some.begin(), some.end());
    }
    return accepted;
}

// Every letter's option in the three shapes of one letter, then every
// lower-case pair of letters as a name in the three shapes, except under a
// letter that takes any text after it (its pairs are that text); and an
// argument of each shape that the table lists. Returns the shapes of the
// accepted arguments, and in `probed` how many arguments were probed.
std::set<std::string> acceptedShapes(const ProgramProbe& probe, const std::set<std::string>& documented,
                                     std::size_t& probed)
{
    std::string letters;
    for (char c = 'a'; c <= 'z'; ++c)
        letters += c;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters += c;
    std::vector<std::string> single;
    for (char letter : letters) {
        const std::string name = std::string("-") + letter;
        for (const std::string& argument : {name, name + "=1", name + "1"})
            single.push_back(argument);
    }
    std::set<std::string> accepted = acceptedArguments(probe, single);

    std::vector<std::string> pairs;
    for (char first = 'a'; first <= 'z'; ++first) {
        const std::string name = std::string("-") + first;
        if (accepted.count(name + "1") != 0)
            continue;
        for (char second = 'a'; second <= 'z'; ++second)
            for (const std::string& argument : {name + second, name + second + "=1", name + second + "1"})
                pairs.push_back(argument);
    }
    for (const std::string& form : documented)
        pairs.push_back(ReadmeDocument::instance(form));
    std::set<std::string> more = acceptedArguments(probe, pairs);
    accepted.insert(more.begin(), more.end());
    probed = single.size() + pairs.size();

    std::set<std::string> shapes;
    for (const std::string& argument : accepted)
        shapes.insert(ReadmeDocument::shape(argument));
    return shapes;
}

TEST_P(ReadmeOptionTable, ListsExactlyTheFormsTheParserAccepts)
{
    const ProgramProbe& probe = GetParam();
    std::set<std::string> documented = readme().optionForms(probe.name);
    ASSERT_GT(readme().optionRows(probe.name), 0) << "no option table marked for " << probe.name;
    std::size_t probed = 0;
    std::set<std::string> accepted = acceptedShapes(probe, documented, probed);
    RecordProperty("probed_arguments", static_cast<int>(probed));

    std::set<std::string> refused;
    for (const std::string& form : documented)
        if (accepted.count(form) == 0)
            refused.insert(form);
    std::set<std::string> missing;
    for (const std::string& form : accepted)
        if (documented.count(form) == 0)
            missing.insert(form);
    EXPECT_TRUE(refused.empty()) << "listed in the README but refused by " << probe.name << ":"
                                 << listed(refused);
    EXPECT_TRUE(missing.empty()) << "accepted by " << probe.name << " but not in the README:"
                                 << listed(missing);
}

TEST(ReadmeOptionTables, EachTableIsCheckedAgainstItsProgram)
{
    std::set<std::string> probed;
    for (const ProgramProbe& probe : kProbes)
        probed.insert(probe.name);
    for (const auto& table : readme().blocksAfter("options of "))
        EXPECT_EQ(probed.count(table.first), 1u) << "the option table of " << table.first << " is not probed";
}

INSTANTIATE_TEST_SUITE_P(Programs, ReadmeOptionTable, ::testing::ValuesIn(kProbes),
                         [](const ::testing::TestParamInfo<ProgramProbe>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The steps of the example script, by number: the lines after the step's
// "== N. ..." line, without the blank lines that end it.
std::map<std::string, std::vector<std::string>> exampleSteps(const std::string& printed)
{
    std::map<std::string, std::vector<std::string>> steps;
    std::vector<std::string>* current = nullptr;
    for (const std::string& line : trimmedLines(printed)) {
        if (line.compare(0, 3, "== ") == 0) {
            current = &steps[line.substr(3, line.find('.') - 3)];
            continue;
        }
        if (current != nullptr)
            current->push_back(line);
    }
    for (auto& step : steps)
        while (!step.second.empty() && step.second.back().empty())
            step.second.pop_back();
    return steps;
}

// Whether the lines between the "..." of the excerpt stand in the file in
// that order, each run of them as consecutive lines.
bool excerptOf(const std::vector<std::string>& excerpt, const std::vector<std::string>& file)
{
    std::size_t at = 0;
    std::size_t i = 0;
    while (i < excerpt.size()) {
        if (excerpt[i] == "...") {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < excerpt.size() && excerpt[end] != "...")
            ++end;
        bool found = false;
        for (; at + (end - i) <= file.size(); ++at) {
            if (std::equal(excerpt.begin() + i, excerpt.begin() + end, file.begin() + at)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
        at += end - i;
        i = end;
    }
    return true;
}

TEST(ReadmeWorkedExample, PrintsWhatTheReadmeShowsAndWritesTheExcerptedFiles)
{
    Scratch scratch;
    const std::string out = scratch.path("example");
    ProcessResult r = runProgram({"/bin/bash", kSourceDir + "/scripts/example-road.sh", KORVANE_CLASSIFIER_PATH,
                                  KORVANE_PINPOINTER_PATH, KORVANE_INCREMENTAL_CLASSIFIER_PATH,
                                  KORVANE_PINPOINT_ENCODER_PATH, out});
    ASSERT_EQ(r.status, 0) << r.err;
    std::map<std::string, std::vector<std::string>> steps = exampleSteps(r.out);
    ASSERT_FALSE(steps.empty());

    std::set<std::string> shown;
    for (const auto& block : readme().blocksAfter("example-road step ")) {
        const std::string& step = block.first;
        SCOPED_TRACE("step " + step);
        ASSERT_EQ(steps.count(step), 1u) << "the script has no such step";
        EXPECT_EQ(block.second, steps[step]);
        shown.insert(step);
    }
    for (const auto& step : steps)
        EXPECT_EQ(shown.count(step.first), 1u) << "step " << step.first << " of the script is not in the README";

    const std::string written = "build/example/";
    auto excerpts = readme().blocksAfter("excerpt: ");
    EXPECT_FALSE(excerpts.empty());
    for (const auto& block : excerpts) {
        const std::string& name = block.first;
        const std::vector<std::string>& excerpt = block.second;
        SCOPED_TRACE("excerpt of " + name);
        const std::string path = name.compare(0, written.size(), written) == 0
                                     ? out + "/" + name.substr(written.size())
                                     : kSourceDir + "/" + name;
        ASSERT_TRUE(std::filesystem::exists(path));
        EXPECT_FALSE(excerpt.empty());
        EXPECT_TRUE(excerptOf(excerpt, trimmedLines(readFile(path)))) << "not in the file:\n" << readFile(path);
    }
}

TEST(ReadmeLanguageExamples, TheClassifierGivesTheAnswersShown)
{
    std::set<std::string> names;
    for (const auto& block : readme().blocksAfter("language example "))
        names.insert(block.first.substr(0, block.first.find(':')));
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        SCOPED_TRACE("language example " + name);
        Scratch scratch;
        std::string ontology;
        for (const std::string& line : readme().block("language example " + name + ": ontology"))
            ontology += line + "\n";
        std::string queries;
        for (const std::string& line : readme().block("language example " + name + ": queries"))
            queries += line + "\n";
        std::vector<std::string> answers = readme().block("language example " + name + ": answers");
        ASSERT_FALSE(ontology.empty());
        ASSERT_FALSE(queries.empty());
        ASSERT_FALSE(answers.empty());
        ProcessResult r = runProgram({KORVANE_CLASSIFIER_PATH, "-i=" + scratch.write("ontology.krss", ontology),
                                      "-q=" + scratch.write("queries", queries), "-m", "-s", "-o=/dev/null",
                                      "-h=/dev/null"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(trimmedLines(r.out), answers);
    }
}

}
