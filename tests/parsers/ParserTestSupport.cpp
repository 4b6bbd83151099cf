#include "ParserTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

#include "support/TestSupport.h"
#include "model/ParserManager.h"
#include "model/SymbolTable.h"
#include "parsers/el_krss_g.h"
#include "reasoner/TBox.h"

namespace korvane_test {

void resetParserState()
{
    resetModel();
}

TempInput::TempInput(const std::string& text)
{
    char name[] = "/tmp/korvane-parser-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0)
        throw std::runtime_error("cannot create a temporary file");
    filePath = name;
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    close(fd);
    if (written != text.size())
        throw std::runtime_error("cannot write a temporary file");
}

TempInput::~TempInput()
{
    unlink(filePath.c_str());
}

int parseFrom(const std::string& text, FILE*& input, const std::function<int()>& parse)
{
    TempInput file(text);
    FILE* in = std::fopen(file.path().c_str(), "r");
    if (in == nullptr)
        throw std::runtime_error("cannot open a temporary file");
    // Gone from the directory at once: a parse that ends the process (a
    // death test's child) never comes back to remove it.
    unlink(file.path().c_str());
    input = in;
    int result = parse();
    std::fclose(in);
    input = nullptr;
    return result;
}

int parseOntology(const std::string& text)
{
    return parseFrom(text, yyin, yyparse);
}

std::string fatalError(const std::string& module, int line, const std::string& message)
{
    return literal("[Input Problem - " + module + "] ERROR! Line " + std::to_string(line) + ": " + message +
                   "\n --- 1 errors and 0 warnings detected.\n");
}

Concept* conceptNamed(const std::string& name)
{
    SymbolTableEntry* entry = SymbolTable::getInstance()->getEntryPtr(name);
    return entry == nullptr ? nullptr : entry->getConcept();
}

Role* roleNamed(const std::string& name)
{
    SymbolTableEntry* entry = SymbolTable::getInstance()->getEntryPtr(name);
    return entry == nullptr ? nullptr : entry->getRole();
}

std::vector<Axiom*> inputAxioms()
{
    const std::list<Axiom*>& axioms = TBox::getInstance()->inputAxioms;
    return std::vector<Axiom*>(axioms.begin(), axioms.end());
}

std::vector<RoleAxiom*> roleAxioms()
{
    const TBox::RoleAxiomSet& axioms = TBox::getInstance()->roleAxioms;
    return std::vector<RoleAxiom*>(axioms.begin(), axioms.end());
}

} // namespace korvane_test
