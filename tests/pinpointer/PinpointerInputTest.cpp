// The pinpointer's readers, command line and stopwatch.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "pinpointer/InputError.h"
#include "pinpointer/PinpointerOptions.h"
#include "pinpointer/input_readers.h"
#include "pinpointer/timer.h"

namespace {

std::vector<int> assumptions(const std::string& text) {
    std::istringstream in(text);
    vec<int> list;
    read_assumption_list(in, "list", list);
    return std::vector<int>(list.begin(), list.end());
}

// The clauses in CNF numbering.
std::vector<std::vector<int> > encoding(const std::string& text, int* declared = nullptr, int selectors = 5) {
    std::istringstream in(text);
    ClauseList clauses;
    int d = read_encoding(in, "enc", selectors, clauses);
    if (declared != nullptr) *declared = d;
    std::vector<std::vector<int> > out;
    for (int i = 0; i < clauses.size(); i++) {
        out.emplace_back();
        for (int k = 0; k < clauses.clauseSize(i); k++) {
            Lit p = clauses.clause(i)[k];
            out.back().push_back(sign(p) ? -(var(p) + 1) : var(p) + 1);
        }
    }
    return out;
}

std::string errorOf(void (*read)(const std::string&), const std::string& text) {
    try {
        read(text);
    } catch (const InputError& e) {
        return e.what();
    }
    return "";
}

void readAssumptions(const std::string& t) { assumptions(t); }
void readEncoding(const std::string& t) { encoding(t); }

TEST(PinpointerAssumptionList, SortedWithVariableZeroAdded) {
    EXPECT_EQ(assumptions("3\n4\n2\n"), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(assumptions("1 2\n3"), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(assumptions(""), (std::vector<int>{0}));
    EXPECT_EQ(assumptions("2 1 2 3 3"), (std::vector<int>{0, 1, 2}));  // a repeat is one selector
}

TEST(PinpointerAssumptionList, RefusesGapsAndText) {
    EXPECT_NE(errorOf(readAssumptions, "1 2 4").find("variable 3 is missing"), std::string::npos);
    EXPECT_NE(errorOf(readAssumptions, "1 x 2").find("'x' is not a CNF variable number"), std::string::npos);
    EXPECT_NE(errorOf(readAssumptions, "1 0").find("'0'"), std::string::npos);
    EXPECT_NE(errorOf(readAssumptions, "-2").find("'-2'"), std::string::npos);
    EXPECT_NE(errorOf(readAssumptions, "99999999999").find("'99999999999'"), std::string::npos);
}

TEST(PinpointerEncodingReader, SkipsHeaderAndCommentLinesAndPutsThePositiveLiteralFirst) {
    int declared = 0;
    EXPECT_EQ(encoding("p cnf 3 2\n-1 -2 3 0\nc a comment\n2 0\n", &declared),
              (std::vector<std::vector<int> >{{3, -2, -1}, {2}}));
    EXPECT_EQ(declared, 3);
    EXPECT_EQ(encoding("-1 -2\n 3 0 -4 0\nc axioms 1 deduced 2\np cnf 4 2\n"),
              (std::vector<std::vector<int> >{{3, -2, -1}, {-4}}));
    EXPECT_EQ(encoding("1 -2 3 0\n0\n", &declared), (std::vector<std::vector<int> >{{3, -2, 1}, {}}));
    EXPECT_EQ(declared, -1);
}

TEST(PinpointerEncodingReader, RefusesWhatIsNoClause) {
    EXPECT_NE(errorOf(readEncoding, "1 2 0\nx 3 0\n").find("unexpected character 'x'"), std::string::npos);
    EXPECT_NE(errorOf(readEncoding, "1 2 0\n-1 3").find("not ended by 0"), std::string::npos);
    EXPECT_NE(errorOf(readEncoding, "1 a 0\n").find("'a' is not a literal"), std::string::npos);
    EXPECT_NE(errorOf(readEncoding, "p cnf 2 1\n1 -3 0\n").find("literal 3 lies beyond the 2 variables"),
              std::string::npos);
    EXPECT_NE(errorOf(readEncoding, "p dnf 2 1\n").find("malformed problem line"), std::string::npos);
}

// The solvers make room for every variable up to the largest one of the
// clauses; a number that neither the selectors nor the literals read
// account for is refused, whatever a problem line declares.
TEST(PinpointerEncodingReader, VariableNumbersInProportionToTheEncoding) {
    EXPECT_NE(errorOf(readEncoding, "1073741823 0\n").find("variable 1073741823 lies far beyond"), std::string::npos);
    EXPECT_NE(errorOf(readEncoding, "p cnf 1073741823 2\n-1 6 0\n-6 1000000000 0\n").find("variable 1000000000"),
              std::string::npos);
    int declared = 0;
    EXPECT_EQ(encoding("p cnf 1073741823 1\n-1 6 0\n", &declared), (std::vector<std::vector<int> >{{6, -1}}));
    EXPECT_EQ(declared, 1073741823);
    // Selectors count: a list of many selectors numbers the rest after them.
    EXPECT_EQ(encoding("-1 -2 1000001 0\n", nullptr, 1000000), (std::vector<std::vector<int> >{{1000001, -2, -1}}));
}

TEST(PinpointerQueries, ZeroEndsInteractiveInputAndIsRefusedInAFile) {
    std::istringstream typed("5 -7 0 9");
    int q = 0;
    EXPECT_TRUE(read_query(typed, "in", true, q));
    EXPECT_EQ(q, 5);
    EXPECT_TRUE(read_query(typed, "in", true, q));
    EXPECT_EQ(q, -7);
    EXPECT_FALSE(read_query(typed, "in", true, q));

    std::istringstream file("4 0");
    EXPECT_TRUE(read_query(file, "f", false, q));
    EXPECT_THROW(read_query(file, "f", false, q), InputError);
    std::istringstream text("4 four");
    EXPECT_TRUE(read_query(text, "f", false, q));
    EXPECT_THROW(read_query(text, "f", false, q), InputError);
    EXPECT_EQ(cnf_literal(5), Lit(4));
    EXPECT_EQ(cnf_literal(-5), Lit(4, true));
}

// An input that never ends: after its prefix, the digit 7 for ever.
class EndlessDigits : public std::streambuf {
public:
    explicit EndlessDigits(const std::string& prefix) : prefix(prefix) {
        std::fill(sevens, sevens + sizeof sevens, '7');
        setg(&this->prefix[0], &this->prefix[0], &this->prefix[0] + this->prefix.size());
    }

protected:
    int_type underflow() override {
        setg(sevens, sevens, sevens + sizeof sevens);
        return '7';
    }

private:
    std::string prefix;
    char sevens[4096];
};

// Every reader takes no more of a token than a number can hold.
TEST(PinpointerReaders, StopInsideAnEndlessNumber) {
    const std::string cut = "'-77777777777...' is not ";
    auto message = [](const std::function<void(std::istream&)>& read) {
        EndlessDigits endless("1 2\n-");
        std::istream in(&endless);
        try {
            read(in);
        } catch (const InputError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    vec<int> list;
    EXPECT_EQ(message([&](std::istream& in) { read_assumption_list(in, "a", list); }),
              "a: " + cut + "a CNF variable number (1 to 1073741823)");
    std::set<int> module;
    EXPECT_EQ(message([&](std::istream& in) { read_module_file(in, "m", module); }),
              "m: " + cut + "a CNF variable number (1 to 1073741823)");
    ClauseList clauses;
    EXPECT_EQ(message([&](std::istream& in) { read_encoding(in, "e", 2, clauses); }), "e: " + cut + "a literal");
    int q = 0;
    EXPECT_EQ(message([&](std::istream& in) {
                  while (read_query(in, "q", true, q)) {
                  }
              }).rfind("q: " + cut + "a query", 0),
              0u);
}

// An input whose buffer hands out at most `piece` bytes a read, so that the
// readers meet the end of what they hold at every place of a number, a
// comment or a problem line.
class Trickle : public std::streambuf {
public:
    Trickle(const std::string& text, std::size_t piece) : text(text), piece(piece) {}

protected:
    std::streamsize xsgetn(char* out, std::streamsize n) override {
        std::size_t count = std::min({static_cast<std::size_t>(n), piece, text.size() - at});
        std::copy(text.data() + at, text.data() + at + count, out);
        at += count;
        return static_cast<std::streamsize>(count);
    }
    int_type underflow() override {
        if (at == text.size()) return traits_type::eof();
        setg(&text[at], &text[at], &text[at] + 1);
        at++;
        return traits_type::to_int_type(text[at - 1]);
    }

private:
    std::string text;
    std::size_t piece;
    std::size_t at = 0;
};

// What a reader made of a text: the numbers it read or its message.
struct ReadCase {
    const char* name;
    std::string text;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const ReadCase& c) { return out << c.name; }

std::string readInPieces(const std::string& text, std::size_t piece) {
    Trickle trickle(text, piece);
    std::istream in(&trickle);
    std::ostringstream shown;
    try {
        ClauseList clauses;
        int declared = read_encoding(in, "e", 5, clauses);
        shown << "declared " << declared << ":";
        for (int c = 0; c < clauses.size(); c++) {
            for (int k = 0; k < clauses.clauseSize(c); k++) {
                Lit p = clauses.clause(c)[k];
                shown << " " << (sign(p) ? -(var(p) + 1) : var(p) + 1);
            }
            shown << " |";
        }
    } catch (const InputError& e) {
        shown << e.what();
    }
    return shown.str();
}

class PinpointerEncodingInPieces : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PinpointerEncodingInPieces, ReadsAsFromOneBlock) {
    for (std::size_t piece : {1, 2, 3, 4, 5, 7, 11, 12, 13, 64, 1 << 20}) {
        EXPECT_EQ(readInPieces(GetParam().text, piece), GetParam().expected) << "pieces of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PinpointerEncodingInPieces,
    ::testing::Values(
        ReadCase{"clauses", "p cnf 1234 3\nc a comment line\n-1 -22 333 0\n1234 -4 0 -5\n 12 0\n-1000 0",
                 "declared 1234: 333 -22 -1 | 1234 -4 | 12 -5 | -1000 |"},
        ReadCase{"blanks", "\t 7\r\n-8\v0\f\f9 0  \nc last line without newline", "declared -1: 7 -8 | 9 |"},
        ReadCase{"longest numbers", "-1073741823 1073741823 0\n",
                 "e: variable 1073741823 lies far beyond the variables that the encoding uses: with 2 literals in "
                 "its clauses and 5 selectors, variable numbers up to 65543 are accepted"},
        ReadCase{"number too long", "1 2 0\n-123456789012345 0\n", "e: '-12345678901...' is not a literal"},
        ReadCase{"twelve characters", "1 -12345678901 0\n", "e: '-12345678901' is not a literal"},
        ReadCase{"number too large", "1 1073741824 0\n", "e: '1073741824' is not a literal"},
        ReadCase{"letter in a number", "1 2x3 0\n", "e: '2x3' is not a literal"},
        ReadCase{"minus alone", "1 - 0\n", "e: '-' is not a literal"},
        ReadCase{"open clause", "1 2 0\n3 4", "e: the last clause is not ended by 0"},
        ReadCase{"stray character", "1 0\n*\n", "e: unexpected character '*' (expected a clause, a comment or a "
                                                "problem line)"},
        ReadCase{"problem line", "p cnf 3 1\n1 -2 3 0\np cnf 5 x\n",
                 "e: malformed problem line 'p cnf 5 x' (expected 'p cnf VARIABLES CLAUSES')"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(PinpointerReaders, ListsReadInPiecesAsFromOneBlock) {
    for (std::size_t piece : {1, 2, 3, 5, 1 << 20}) {
        Trickle list("3\n4\n10 2\n1\n5 6 7 8 9\n", piece);
        std::istream listIn(&list);
        vec<int> selectors;
        read_assumption_list(listIn, "a", selectors);
        EXPECT_EQ(std::vector<int>(selectors.begin(), selectors.end()),
                  (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}))
            << "pieces of " << piece;

        Trickle module(" 12 7\n\n345\t7", piece);
        std::istream moduleIn(&module);
        std::set<int> selected;
        read_module_file(moduleIn, "m", selected);
        EXPECT_EQ(selected, (std::set<int>{6, 11, 344})) << "pieces of " << piece;
    }
}

// ---------------------------------------------------------------------------
// Command line

struct Parsed {
    int status;
    std::string out;
    std::string err;
    PinpointerOptions options;
};

Parsed parse(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    static std::string program = "./pp";
    argv.push_back(&program[0]);
    for (std::string& a : arguments) argv.push_back(&a[0]);
    Parsed p;
    std::ostringstream out;
    std::ostringstream err;
    p.status = p.options.parse(static_cast<int>(argv.size()), argv.data(), out, err);
    p.out = out.str();
    p.err = err.str();
    return p;
}

TEST(PinpointerOptions, ValuesOfTheOptions) {
    Parsed p = parse({"-a=s", "-i", "-q=q", "-v=7", "-s=3", "-c=anything"});
    EXPECT_EQ(p.status, -1);
    EXPECT_EQ(p.options.assumptionsFile, "s");
    EXPECT_TRUE(p.options.encodingFrom == PinpointerOptions::Source::standard_input);
    EXPECT_EQ(p.options.verbosity, 7);
    EXPECT_EQ(p.options.minaLimit, 3);
    EXPECT_TRUE(p.options.cone);
    EXPECT_EQ(parse({"-a=s", "-i=e", "-q=q", "-v=12"}).options.verbosity, 1);
    EXPECT_EQ(parse({"-a=s", "-i=e", "-q=q", "-v="}).options.verbosity, -48);
    EXPECT_EQ(parse({"-a=s", "-i=e", "-q=q", "-s"}).options.minaLimit, 1);
    Parsed later = parse({"-a=s", "-i=e", "-q=q", "-a=t", "-e", "-r"});
    EXPECT_EQ(later.options.assumptionsFile, "t");
    EXPECT_FALSE(later.options.boundTwoLiteral);
    EXPECT_TRUE(later.options.expand);
}

TEST(PinpointerOptions, InvalidArguments) {
    for (const char* bad : {"-s=0", "-s=-2", "-s=3x", "-s=", "-h=1", "-e=1", "-r=", "-z=x", "-m", "-v", "-x",
                            "a=s", "-ab", "-", ""}) {
        Parsed p = parse({"-a=s", "-i=e", "-q=q", bad});
        EXPECT_EQ(p.status, 1) << bad;
        EXPECT_EQ(p.err, std::string("Invalid parameter: ") + bad + "\n");
    }
}

TEST(PinpointerTimer, FreshStoppedAndRunning) {
    usertime::timer t;
    EXPECT_EQ(t.elapsed(false), 0.0);
    double before = usertime::cpuTime();
    double sinceStop = t.elapsed(true);  // now - 0: the user time so far
    EXPECT_GE(sinceStop, before);
    EXPECT_LE(sinceStop, usertime::cpuTime());

    t.reset();  // still stopped, stop time 0
    EXPECT_EQ(t.elapsed(false), -t.startTime);
    t.start();
    t.stop();
    EXPECT_GE(t.elapsed(false), 0.0);
    double start = t.startTime;
    t.restart();  // counts from the old start again, no clock read
    EXPECT_EQ(t.startTime, start);
    EXPECT_EQ(t.stopped, 0);
    EXPECT_GE(t.elapsed(true), t.stopTime - start);
}

}  // namespace
