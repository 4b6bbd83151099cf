#include "pinpointer/input_readers.h"

#include <cctype>
#include <cstdio>
#include <iomanip>
#include <limits>
#include <sstream>
#include <vector>

#include "pinpointer/InputError.h"
#include "solver/sort.h"

namespace {

[[noreturn]] void fail(const std::string& source, const std::string& problem) {
    throw InputError(source + ": " + problem);
}

// The longest text of a number: a sign and the ten digits of
// kMaxCnfVariable. No more of a token is read than one character beyond.
const std::size_t kLongestNumber = 11;
// The longest problem line after its "p".
const std::size_t kLongestProblemLine = 256;
// How far the variable numbers of an encoding may reach beyond its
// selectors and its literals (see read_encoding).
const long kVariableSlack = 1 << 16;

// Text from the input as a message shows it: bytes that are not printable
// as \xNN.
std::string shown(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (std::isprint(static_cast<unsigned char>(c))) {
            out += c;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
            out += code;
        }
    }
    return out;
}

// A signed decimal number of at most kMaxCnfVariable in size, and nothing
// else; false for any other text.
bool parse_number(const std::string& token, long& value) {
    std::size_t i = token.size() > 0 && token[0] == '-' ? 1 : 0;
    if (i == token.size() || token.size() - i > 10) return false;
    long magnitude = 0;
    for (; i < token.size(); i++) {
        if (!std::isdigit(static_cast<unsigned char>(token[i]))) return false;
        magnitude = magnitude * 10 + (token[i] - '0');
    }
    if (magnitude > kMaxCnfVariable) return false;
    value = token[0] == '-' ? -magnitude : magnitude;
    return true;
}

// The next white-space separated number; false at the end of the input.
// A token is read only as far as a number can go.
bool next_number(std::istream& in, const std::string& source, const char* what, long& value) {
    std::string token;
    if (!(in >> std::setw(static_cast<int>(kLongestNumber) + 1) >> token)) {
        if (in.bad()) fail(source, "cannot be read");
        return false;
    }
    if (!parse_number(token, value)) {
        std::string text = shown(token);
        if (token.size() > kLongestNumber) {
            int next = in.peek();
            if (next != std::char_traits<char>::eof() && !std::isspace(next)) text += "...";
        }
        fail(source, "'" + text + "' is not " + what);
    }
    return true;
}

const char* const kVariableNumber = "a CNF variable number (1 to 1073741823)";

// The problem line after its "p": "cnf V C".
int problem_line_variables(std::istream& in, const std::string& source) {
    std::string rest;
    int c;
    while ((c = in.get()) != std::char_traits<char>::eof() && c != '\n' && rest.size() <= kLongestProblemLine) {
        rest += static_cast<char>(c);
    }
    std::istringstream line(rest);
    std::string format;
    long variables = -1;
    long clauses = -1;
    std::string extra;
    if (rest.size() > kLongestProblemLine || !(line >> format >> variables >> clauses) || format != "cnf" ||
        variables < 0 || clauses < 0 || variables > kMaxCnfVariable || (line >> extra)) {
        fail(source, "malformed problem line 'p" + shown(rest) + (rest.size() > kLongestProblemLine ? "..." : "") +
                         "' (expected 'p cnf VARIABLES CLAUSES')");
    }
    return static_cast<int>(variables);
}

}  // namespace

void read_assumption_list(std::istream& in, const std::string& source, vec<int>& assumptionList) {
    long value;
    bool one = false;
    while (next_number(in, source, kVariableNumber, value)) {
        if (value <= 0) fail(source, "'" + std::to_string(value) + "' is not " + kVariableNumber);
        if (value == 1) one = true;
        assumptionList.push(static_cast<int>(value - 1));
    }
    if (!one) assumptionList.push(0);
    sort(assumptionList);

    int j = 0;
    for (int i = 0; i < assumptionList.size(); i++) {
        if (j > 0 && assumptionList[j - 1] == assumptionList[i]) continue;
        if (assumptionList[i] != j) {
            fail(source, "variable " + std::to_string(j + 1) +
                             " is missing: the list must hold the selector variables 1 to " +
                             std::to_string(assumptionList.last() + 1) +
                             " (a list with gaps, such as one with original axiom numbers, cannot be used)");
        }
        assumptionList[j++] = assumptionList[i];
    }
    assumptionList.shrink(assumptionList.size() - j);
}

int read_encoding(std::istream& in, const std::string& source, int selectorCount, vec<vec<Lit> >& clauses) {
    int declared = -1;
    int largest = 0;
    long occurrences = 0;
    std::vector<int> literals;
    int c;
    while ((c = in.get()) != std::char_traits<char>::eof()) {
        if (c == 'c') {
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        } else if (c == 'p') {
            int variables = problem_line_variables(in, source);
            if (variables > declared) declared = variables;
        } else if (std::isspace(c)) {
            continue;
        } else if (std::isdigit(c) || c == '-') {
            in.unget();
            literals.clear();
            long value;
            for (;;) {
                if (!next_number(in, source, "a literal", value)) fail(source, "the last clause is not ended by 0");
                if (value == 0) break;
                literals.push_back(static_cast<int>(value));
                occurrences++;
                // A positive literal is swapped to the front.
                if (value > 0) std::swap(literals.front(), literals.back());
                int v = static_cast<int>(value < 0 ? -value : value);
                if (v > largest) largest = v;
            }
            clauses.push();
            vec<Lit>& clause = clauses.last();
            for (int x : literals) clause.push(cnf_literal(x));
        } else {
            fail(source, "unexpected character '" + shown(std::string(1, static_cast<char>(c))) +
                             "' (expected a clause, a comment or a problem line)");
        }
    }
    if (in.bad()) fail(source, "cannot be read");
    if (declared >= 0 && largest > declared) {
        fail(source, "literal " + std::to_string(largest) + " lies beyond the " + std::to_string(declared) +
                         " variables of the problem line");
    }
    // Every variable up to the largest costs memory in the solvers, so the
    // largest must be in proportion to what the encoding holds. The
    // classifier numbers the selectors and then the variables that its
    // clauses use, one after the other.
    long limit = selectorCount + occurrences + kVariableSlack;
    if (largest > limit) {
        fail(source, "variable " + std::to_string(largest) +
                         " lies far beyond the variables that the encoding uses: with " +
                         std::to_string(occurrences) + " literals in its clauses and " +
                         std::to_string(selectorCount) + " selectors, variable numbers up to " +
                         std::to_string(limit) + " are accepted");
    }
    return declared;
}

void read_module_file(std::istream& in, const std::string& source, std::set<int>& module) {
    long value;
    while (next_number(in, source, kVariableNumber, value)) {
        if (value <= 0) fail(source, "'" + std::to_string(value) + "' is not " + kVariableNumber);
        module.insert(static_cast<int>(value - 1));
    }
}

bool read_query(std::istream& in, const std::string& source, bool interactive, int& query) {
    long value;
    if (!next_number(in, source, "a query (a CNF variable number, negative or not)", value)) return false;
    if (value == 0) {
        if (interactive) return false;
        fail(source, "the query 0 names no variable (a query is a CNF variable number, negative or not)");
    }
    query = static_cast<int>(value);
    return true;
}
