#include "pinpointer/input_readers.h"

#include <cctype>
#include <cstdio>
#include <iomanip>
#include <sstream>

#include "pinpointer/BlockReader.h"
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
bool parse_number(const char* token, std::size_t length, long& value) {
    std::size_t i = length > 0 && token[0] == '-' ? 1 : 0;
    if (i == length || length - i > 10) return false;
    long magnitude = 0;
    for (; i < length; i++) {
        unsigned digit = static_cast<unsigned char>(token[i]) - static_cast<unsigned>('0');
        if (digit > 9) return false;
        magnitude = magnitude * 10 + static_cast<long>(digit);
    }
    if (magnitude > kMaxCnfVariable) return false;
    value = token[0] == '-' ? -magnitude : magnitude;
    return true;
}

// Refuses a token that is no number; "..." marks one that goes on beyond
// the longest number (next is the byte after the part that was read).
[[noreturn]] void refuse_token(const std::string& source, const std::string& token, int next, const char* what) {
    std::string text = shown(token);
    if (token.size() > kLongestNumber && next != std::char_traits<char>::eof() && !std::isspace(next)) text += "...";
    fail(source, "'" + text + "' is not " + what);
}

// The next white-space separated number; false at the end of the input.
// A token is read only as far as a number can go.
bool next_number(std::istream& in, const std::string& source, const char* what, long& value) {
    std::string token;
    if (!(in >> std::setw(static_cast<int>(kLongestNumber) + 1) >> token)) {
        if (in.bad()) fail(source, "cannot be read");
        return false;
    }
    if (!parse_number(token.data(), token.size(), value)) {
        refuse_token(source, token, token.size() > kLongestNumber ? in.peek() : std::char_traits<char>::eof(), what);
    }
    return true;
}

// The common case of the next token in place: a number of at most
// kMaxCnfVariable in size, with or without a minus sign, that lies in the
// current block and is followed by white space there. False, with nothing
// but white space taken, for any other token.
bool plain_number(BlockReader& in, long& value) {
    const char* p = in.position();
    const char* end = in.blockEnd();
    while (p < end && BlockReader::isSpace(static_cast<unsigned char>(*p))) p++;
    in.skipTo(p);
    const bool negative = p < end && *p == '-';
    if (negative) p++;
    const char* digits = p;
    long magnitude = 0;
    while (p < end && p - digits < 10) {
        unsigned digit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
        if (digit > 9) break;
        magnitude = magnitude * 10 + static_cast<long>(digit);
        p++;
    }
    if (p == digits || p == end || !BlockReader::isSpace(static_cast<unsigned char>(*p)) ||
        magnitude > kMaxCnfVariable) {
        return false;
    }
    in.skipTo(p);
    value = negative ? -magnitude : magnitude;
    return true;
}

// The same on a block reader.
bool next_number(BlockReader& in, const std::string& source, const char* what, long& value) {
    if (plain_number(in, value)) return true;
    char token[kLongestNumber + 1];
    int length = in.token(token, static_cast<int>(sizeof token));
    if (in.bad()) fail(source, "cannot be read");
    if (length == 0) return false;
    if (!parse_number(token, static_cast<std::size_t>(length), value)) {
        int next = static_cast<std::size_t>(length) > kLongestNumber ? in.peek() : BlockReader::kEnd;
        refuse_token(source, std::string(token, static_cast<std::size_t>(length)),
                     next == BlockReader::kEnd ? std::char_traits<char>::eof() : next, what);
    }
    return true;
}

const char* const kVariableNumber = "a CNF variable number (1 to 1073741823)";

// The problem line after its "p": "cnf V C".
int problem_line_variables(BlockReader& in, const std::string& source) {
    std::string rest;
    int c;
    while ((c = in.get()) != BlockReader::kEnd && c != '\n' && rest.size() <= kLongestProblemLine) {
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

void read_assumption_list(std::istream& stream, const std::string& source, vec<int>& assumptionList) {
    BlockReader in(stream);
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

int read_encoding(std::istream& stream, const std::string& source, int selectorCount, ClauseList& clauses) {
    BlockReader in(stream);
    int declared = -1;
    int largest = 0;
    long occurrences = 0;
    int c;
    while ((c = in.get()) != BlockReader::kEnd) {
        if (c == 'c') {
            in.skipLine();
        } else if (c == 'p') {
            int variables = problem_line_variables(in, source);
            if (variables > declared) declared = variables;
        } else if (BlockReader::isSpace(c)) {
            continue;
        } else if ((c >= '0' && c <= '9') || c == '-') {
            in.unget();
            long value;
            for (;;) {
                if (!next_number(in, source, "a literal", value)) fail(source, "the last clause is not ended by 0");
                if (value == 0) break;
                clauses.push(cnf_literal(static_cast<int>(value)));
                occurrences++;
                // A positive literal is swapped to the front.
                if (value > 0) std::swap(clauses.open()[0], clauses.open()[clauses.openSize() - 1]);
                int v = static_cast<int>(value < 0 ? -value : value);
                if (v > largest) largest = v;
            }
            clauses.close();
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

void read_module_file(std::istream& stream, const std::string& source, std::set<int>& module) {
    BlockReader in(stream);
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
