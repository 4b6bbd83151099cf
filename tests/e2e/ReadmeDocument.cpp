#include "ReadmeDocument.h"

#include <sstream>

namespace {

const std::string kIndent = "    ";

std::string withoutTrailingBlanks(const std::string& line)
{
    std::size_t end = line.find_last_not_of(" \t\r");
    return end == std::string::npos ? "" : line.substr(0, end + 1);
}

}

std::vector<std::string> trimmedLines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        result.push_back(withoutTrailingBlanks(line));
    return result;
}

ReadmeDocument::ReadmeDocument(const std::string& text) : lines(trimmedLines(text)) {}

int ReadmeDocument::markLine(const std::string& mark) const
{
    const std::string wanted = "<!-- " + mark + " -->";
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == wanted)
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> ReadmeDocument::blockAt(std::size_t markLine) const
{
    std::vector<std::string> result;
    for (std::size_t i = markLine + 1; i < lines.size() && lines[i].compare(0, kIndent.size(), kIndent) == 0; ++i)
        result.push_back(lines[i].substr(kIndent.size()));
    return result;
}

std::vector<std::string> ReadmeDocument::block(const std::string& mark) const
{
    int at = markLine(mark);
    return at < 0 ? std::vector<std::string>() : blockAt(static_cast<std::size_t>(at));
}

std::vector<std::pair<std::string, std::vector<std::string>>> ReadmeDocument::blocksAfter(
    const std::string& prefix) const
{
    const std::string open = "<!-- " + prefix;
    const std::string close = " -->";
    std::vector<std::pair<std::string, std::vector<std::string>>> result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() >= open.size() + close.size() && line.compare(0, open.size(), open) == 0 &&
            line.compare(line.size() - close.size(), close.size(), close) == 0)
            result.emplace_back(line.substr(open.size(), line.size() - open.size() - close.size()), blockAt(i));
    }
    return result;
}

std::vector<std::string> ReadmeDocument::tableFirstCells(const std::string& program) const
{
    std::vector<std::string> cells;
    int at = markLine("options of " + program);
    if (at < 0)
        return cells;
    // The heading row and the rule under it come first.
    for (std::size_t i = at + 3; i < lines.size() && !lines[i].empty() && lines[i][0] == '|'; ++i) {
        std::size_t end = lines[i].find('|', 1);
        cells.push_back(lines[i].substr(1, end == std::string::npos ? std::string::npos : end - 1));
    }
    return cells;
}

std::string ReadmeDocument::shape(const std::string& argument)
{
    if (argument.size() <= 2)
        return argument;
    std::size_t end = 2;
    while (end < argument.size() && argument[end] >= 'a' && argument[end] <= 'z')
        ++end;
    if (end == argument.size())
        return argument;
    return argument.substr(0, end) + (argument[end] == '=' ? "=" : "X");
}

std::string ReadmeDocument::instance(const std::string& shape)
{
    if (shape.size() > 2 && shape.back() == '=')
        return shape + "1";
    if (shape.size() > 2 && shape.back() == 'X')
        return shape.substr(0, shape.size() - 1) + "1";
    return shape;
}

std::set<std::string> ReadmeDocument::optionForms(const std::string& program) const
{
    std::set<std::string> forms;
    for (const std::string& cell : tableFirstCells(program)) {
        std::size_t from = 0;
        for (;;) {
            std::size_t open = cell.find('`', from);
            if (open == std::string::npos)
                break;
            std::size_t close = cell.find('`', open + 1);
            if (close == std::string::npos)
                break;
            forms.insert(shape(cell.substr(open + 1, close - open - 1)));
            from = close + 1;
        }
    }
    return forms;
}

int ReadmeDocument::optionRows(const std::string& program) const
{
    return static_cast<int>(tableFirstCells(program).size());
}
