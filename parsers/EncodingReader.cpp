#include "parsers/EncodingReader.h"

#include <limits>

#include "model/ParserManager.h"
#include "parsers/EncodingLimits.h"
#include "parsers/GrammarSupport.h"

unsigned long EncodingReader::vars = 0;
unsigned long EncodingReader::cls = 0;
unsigned long EncodingReader::clause_counter = 0;
std::list<unsigned long> EncodingReader::axioms;
std::list<unsigned long> EncodingReader::clauses;
EncodingReader::VariableList EncodingReader::premises;
std::vector<uint64_t> EncodingReader::lineNumbers;
bool EncodingReader::clauseMayStart = false;

namespace {

// Block ends beyond the range stay at its largest value; a clause count that
// matches it declares more clauses than any input holds, which the end of
// the input then reports.
unsigned long saturatedSum(unsigned long a, uint64_t b)
{
    const unsigned long largest = std::numeric_limits<unsigned long>::max();
    return b > largest - a ? largest : a + static_cast<unsigned long>(b);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// A literal's number at the head of the text: a digit from 1 and at most 19
// more (a longer run is no number of the scanner's). Its value is put into
// value and the end of its digits returned; null when there is no such
// number.
const char* literalNumber(const char* text, uint64_t& value)
{
    if (*text < '1' || *text > '9')
        return nullptr;
    const char* end = EncodingLimits::readNumber(text, value);
    return end - text > 20 ? nullptr : end;
}

// The header cannot tell the axiom clauses from the deduced ones: every GCI
// would be lost, so the terminology is not rebuilt at all.
[[noreturn]] void cannotRebuild(const char* reason)
{
    ParserManager* manager = ParserManager::getInstance();
    manager->postWarning(reason, Parser);
    manager->postError(
        "Wrong encoding: the TBox can not be rebuilt without the distinction from axioms and deduced implications!",
        Parser);
}

} // namespace

void EncodingReader::startOfInput()
{
    GrammarSupport::beginInput("Input Encoding");
    clause_counter = 0;
    vars = 0;
    cls = 0;
    clauseMayStart = false;
    axioms.clear();
    clauses.clear();
}

void EncodingReader::problemLine(uint64_t variables, uint64_t clauseCount)
{
    EncodingLimits::checkDeclaredVariables(variables);
    if (variables > vars)
        vars = static_cast<unsigned long>(variables);
    if (clauseCount > cls)
        cls = static_cast<unsigned long>(clauseCount);
}

void EncodingReader::totalsLine(uint64_t axiomClauses, uint64_t deducedClauses)
{
    unsigned long blockStart = clauses.empty() ? 0 : clauses.back();
    axioms.push_back(saturatedSum(blockStart, axiomClauses));
    clauses.push_back(saturatedSum(axioms.back(), deducedClauses));
}

void EncodingReader::endOfHeader()
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    encoded->encodingLoaded = true;
    encoded->replaceImplicationTable(vars);

    if (clauses.empty() && cls == 0)
        ParserManager::getInstance()->postError("Missing problem information (header)!", Parser);
    if (clauses.empty())
        cannotRebuild("Missing information about the distinction from axioms and deduced implications: "
                      "empty TBox is assumed!");
    if (cls == 0 || clauses.back() != cls)
        cannotRebuild("Problem line and comment informations (axioms/deduced implications) are not congruen "
                      "each other: empty TBox is assumed!");
}

void EncodingReader::beforeClause()
{
    clauseMayStart = false;
    EncodingLimits::countClause(clause_counter, cls);
    // Blocks that end before this clause are passed, empty ones included.
    while (!clauses.empty() && clauses.front() < clause_counter) {
        clauses.pop_front();
        axioms.pop_front();
    }
}

unsigned long EncodingReader::variable(uint64_t v)
{
    EncodingLimits::checkVariable(v, vars);
    return static_cast<unsigned long>(v - 1);
}

void EncodingReader::firstPremise(unsigned long v)
{
    premises.assign(1, v);
}

void EncodingReader::premise(unsigned long v)
{
    premises.push_back(v);
}

void EncodingReader::hornClause(unsigned long conclusion)
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    if (!axioms.empty() && axioms.front() >= clause_counter)
        encoded->axiomClauses.add(premises, conclusion);
    else if (premises.size() == 1)
        encoded->implications.emplace_back(premises.front(), conclusion);
    else
        encoded->multiPremiseClauses.add(premises, conclusion);
}

void EncodingReader::takeClauseLine(const char* text)
{
    // Every number of the line but its closing 0 starts with a digit from 1.
    lineNumbers.clear();
    uint64_t value = 0;
    for (const char* t = text; *t != '\0';) {
        if (const char* end = literalNumber(t, value)) {
            lineNumbers.push_back(value);
            t = end;
        } else {
            ++t;
        }
    }
}

const char* EncodingReader::readClauseLine(const char* text)
{
    lineNumbers.clear();
    const char* p = text;
    uint64_t value = 0;
    // Negative literals, blanks between them optional; what follows the
    // last one's digits and is no blank cannot start the positive literal.
    do {
        if (*p != '-' || (p = literalNumber(p + 1, value)) == nullptr)
            return nullptr;
        lineNumbers.push_back(value);
        while (isBlank(*p))
            ++p;
    } while (*p == '-');
    if ((p = literalNumber(p, value)) == nullptr || !isBlank(*p))
        return nullptr;
    lineNumbers.push_back(value);
    while (isBlank(*p))
        ++p;
    if (*p != '0')
        return nullptr;
    ++p;
    while (isBlank(*p))
        ++p;
    return *p == '\n' ? p + 1 : nullptr;
}

const char* EncodingReader::takeClauseLines(const char* text)
{
    while (const char* end = readClauseLine(text)) {
        beforeClause();
        clauseLine();
        afterClause();
        GrammarSupport::newLine();
        text = end;
    }
    return text;
}

void EncodingReader::clauseLine()
{
    firstPremise(variable(lineNumbers.front()));
    for (std::size_t k = 1; k + 1 < lineNumbers.size(); ++k)
        premise(variable(lineNumbers[k]));
    hornClause(variable(lineNumbers.back()));
}

void EncodingReader::endOfInput()
{
    // A body cut short (or left out) would rebuild a terminology that lacks
    // the missing clauses.
    if (clause_counter < cls)
        ParserManager::getInstance()->postError(
            "Wrong encoding: the number of clauses is below the one declared in the problem line (header)!", Parser);
}
