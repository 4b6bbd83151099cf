// The user's reference in README.md against the programs: every option form
// that a program's parser accepts is in its option table and every form in
// the table is accepted; the worked example prints what the README shows;
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
// and says nothing of an invalid parameter.
struct ProgramProbe {
    const char* name;
    const char* path;
    std::vector<std::string> fixedArguments;
    std::vector<std::string> emptyFiles;
};

std::ostream& operator<<(std::ostream& out, const ProgramProbe& probe) { return out << probe.name; }

const ProgramProbe kProbes[] = {
    {"classifier", KORVANE_CLASSIFIER_PATH, {"-i=ontology", "-o=/dev/null", "-h=/dev/null"}, {"ontology"}},
    {"pinpointer", KORVANE_PINPOINTER_PATH, {"-a=list", "-i=encoding", "-q=queries", "-c"},
     {"list", "encoding", "queries"}},
    {"incremental-classifier", KORVANE_INCREMENTAL_CLASSIFIER_PATH, {"-i=ontology", "-o=/dev/null", "-h=/dev/null"},
     {"ontology"}},
    {"pinpoint-encoder", KORVANE_PINPOINT_ENCODER_PATH,
     {"-i=encoding", "-p=pinpointing", "-v=map", "-o=/dev/null", "-h=/dev/null"},
     {"encoding", "pinpointing", "map"}},
};

class ReadmeOptionTable : public ::testing::TestWithParam<ProgramProbe> {};

// The letters from `first` on, every `step`-th, in the three shapes of
// ReadmeDocument::shape; the value "1" is a number and, in the scratch
// directory, an empty file.
std::set<std::string> acceptedForms(const ProgramProbe& probe, int first, int step)
{
    Scratch scratch;
    for (const std::string& file : probe.emptyFiles)
        scratch.write(file, "");
    std::string letters;
    for (char c = 'a'; c <= 'z'; ++c)
        letters += c;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters += c;
    std::set<std::string> accepted;
    for (std::size_t i = first; i < letters.size(); i += step) {
        const std::string bare = std::string("-") + letters[i];
        for (const std::string& argument : {bare, bare + "=1", bare + "1"}) {
            scratch.write("1", "");
            std::vector<std::string> argv = {probe.path};
            argv.insert(argv.end(), probe.fixedArguments.begin(), probe.fixedArguments.end());
            argv.push_back(argument);
            ProcessResult r = runProgram(argv, "", false, scratch.path("."));
            if (r.status == 0 && r.err.find("Invalid parameter") == std::string::npos)
                accepted.insert(ReadmeDocument::shape(argument));
        }
    }
    return accepted;
}

// The same over four runners at a time.
std::set<std::string> acceptedForms(const ProgramProbe& probe)
{
    const int runners = 4;
    std::vector<std::future<std::set<std::string>>> parts;
    for (int i = 0; i < runners; ++i)
        parts.push_back(std::async(std::launch::async, [&probe, i] { return acceptedForms(probe, i, runners); }));
    std::set<std::string> accepted;
    for (auto& part : parts) {
        std::set<std::string> forms = part.get();
        accepted.insert(forms.begin(), forms.end());
    }
    return accepted;
}

TEST_P(ReadmeOptionTable, ListsExactlyTheFormsTheParserAccepts)
{
    const ProgramProbe& probe = GetParam();
    std::set<std::string> documented = readme().optionForms(probe.name);
    ASSERT_GT(readme().optionRows(probe.name), 0) << "no option table marked for " << probe.name;
    std::set<std::string> accepted = acceptedForms(probe);

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
