// The data folder as the tests read it: every ontology with its twin in OWL
// functional syntax and its row in SOURCES.md (whose subsumption count the
// classification tests check Konclude against), every file of elk-tests/
// with its expected classification, and every row of SOURCES.md with its
// files; and no file of the project naming a data folder beside its tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "support/SharedOntologies.h"

namespace {

using shared_ontologies::Case;

bool nonEmptyFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

bool number(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

TEST(DataFolder, EveryOntologyHasItsTwinItsExpectationAndItsRow)
{
    const std::string dir = KORVANE_DATA_DIR;
    const std::vector<Case> cases = shared_ontologies::cases(dir);
    ASSERT_FALSE(cases.empty()) << "no ontology in " << dir;
    const std::map<std::string, std::string> rows = shared_ontologies::sourceRows(dir);
    std::set<std::string> named;
    std::size_t elk = 0;
    for (const Case& c : cases) {
        EXPECT_TRUE(nonEmptyFile(c.krss)) << c.krss << " is empty";
        EXPECT_TRUE(nonEmptyFile(c.krss.substr(0, c.krss.size() - 5) + ".ofn")) << c.krss << " has no .ofn twin";
        if (c.elk) {
            ++elk;
            const std::string expected = dir + "/elk-tests/expected/" + c.name + ".subsumptions.tsv.gz";
            EXPECT_TRUE(nonEmptyFile(expected)) << c.krss << " has no expected classification " << expected;
            continue;
        }
        named.insert(c.name);
        auto row = rows.find(c.name);
        if (row == rows.end())
            ADD_FAILURE() << c.name << " has no row in " << dir << "/SOURCES.md";
        else
            EXPECT_TRUE(number(row->second)) << "the subs column of " << c.name << " is not a count: " << row->second;
    }
    // A row names one ontology, or the files of elk-tests/ with their count.
    for (const auto& row : rows) {
        const std::string& file = row.first;
        if (file == "file")
            continue;
        if (file.compare(0, 10, "elk-tests/") == 0) {
            const std::size_t open = file.find('(');
            ASSERT_NE(open, std::string::npos) << "the row " << file << " gives no count of files";
            EXPECT_EQ(std::strtoul(file.c_str() + open + 1, nullptr, 10), elk) << "files in " << dir << "/elk-tests";
        } else {
            EXPECT_EQ(named.count(file), 1u) << "SOURCES.md has a row for " << file << ", which is not in " << dir;
        }
    }
}

// The build trees, the repository and the data itself are not read.
bool skipped(const std::filesystem::path& dir)
{
    const std::string name = dir.filename().string();
    return name.compare(0, 5, "build") == 0 || name == ".git" || dir == std::filesystem::path(KORVANE_SOURCE_DIR) / "data";
}

TEST(DataFolder, NoFileOfTheProjectNamesAFolderBesideIt)
{
    // Spelled in pieces, so that this file does not name them itself.
    const std::vector<std::string> outside = {std::string("..") + "/shared", std::string("shared") + "/data"};
    std::size_t read = 0;
    namespace fs = std::filesystem;
    for (auto entry = fs::recursive_directory_iterator(KORVANE_SOURCE_DIR); entry != fs::recursive_directory_iterator();
         ++entry) {
        if (entry->is_directory() && skipped(entry->path())) {
            entry.disable_recursion_pending();
            continue;
        }
        if (!entry->is_regular_file())
            continue;
        std::ifstream in(entry->path());
        std::stringstream text;
        text << in.rdbuf();
        ++read;
        for (const std::string& name : outside)
            EXPECT_EQ(text.str().find(name), std::string::npos) << entry->path() << " names " << name;
    }
    EXPECT_GT(read, 100u) << "files read under " << KORVANE_SOURCE_DIR;
}

} // namespace
