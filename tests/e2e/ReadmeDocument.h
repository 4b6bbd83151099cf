#ifndef KORVANE_TESTS_E2E_READMEDOCUMENT_H
#define KORVANE_TESTS_E2E_READMEDOCUMENT_H

#include <set>
#include <string>
#include <utility>
#include <vector>

// The user's reference in README.md, as the tests read it: blocks marked by
// an HTML comment line "<!-- MARK -->" directly followed by a code block
// indented by four blanks, and option tables marked "<!-- options of
// PROGRAM -->" whose first column lists the accepted forms in backquotes.
class ReadmeDocument {
public:
    explicit ReadmeDocument(const std::string& text);

    // The lines of the block under the mark, without their indentation and
    // trailing blanks; empty when there is no such mark.
    std::vector<std::string> block(const std::string& mark) const;
    // Every mark that begins with the prefix, in document order: the rest of
    // its text and its block.
    std::vector<std::pair<std::string, std::vector<std::string>>> blocksAfter(const std::string& prefix) const;

    // The forms of the option table of a program, each reduced to its shape
    // (see shape).
    std::set<std::string> optionForms(const std::string& program) const;
    // How many rows the option table has.
    int optionRows(const std::string& program) const;

    // The shape of one argument or form: the option's name (the minus sign,
    // its letter and the lower-case letters right after it, as "-i" or "-io"),
    // then nothing, "=" (an equals sign and a value) or "X" (a value right
    // after the name). The table writes a value in capitals (FILE, TEXT, N),
    // a probe as the digit 1: "-sTEXT" and "-s1" are "-sX", "-io=FILE" and
    // "-io=1" are "-io=".
    static std::string shape(const std::string& argument);
    // An argument of that shape: the name, then nothing, "=1" or "1".
    static std::string instance(const std::string& shape);

private:
    int markLine(const std::string& mark) const;
    std::vector<std::string> blockAt(std::size_t markLine) const;
    std::vector<std::string> tableFirstCells(const std::string& program) const;

    std::vector<std::string> lines;
};

// Text split into lines, each without trailing blanks.
std::vector<std::string> trimmedLines(const std::string& text);

#endif
