#include "support/TextPattern.h"

#include <regex>

struct TextPattern::Compiled {
    std::regex expression;
};

namespace {

std::vector<std::string> groupsOf(const std::smatch& m)
{
    std::vector<std::string> groups;
    for (const auto& group : m)
        groups.push_back(group.str());
    return groups;
}

} // namespace

TextPattern::TextPattern(const std::string& expression)
    : compiled_(new Compiled{std::regex(expression)})
{
}

TextPattern::~TextPattern() = default;

bool TextPattern::matches(const std::string& text) const
{
    return std::regex_match(text, compiled_->expression);
}

bool TextPattern::matches(const std::string& text, std::vector<std::string>& groups) const
{
    std::smatch m;
    if (!std::regex_match(text, m, compiled_->expression))
        return false;
    groups = groupsOf(m);
    return true;
}

bool TextPattern::occursIn(const std::string& text) const
{
    return std::regex_search(text, compiled_->expression);
}

std::vector<TextPattern::Occurrence> TextPattern::occurrences(const std::string& text) const
{
    std::vector<Occurrence> found;
    for (std::sregex_iterator m(text.begin(), text.end(), compiled_->expression), end; m != end; ++m)
        found.push_back({static_cast<std::size_t>(m->position()), groupsOf(*m)});
    return found;
}

std::string TextPattern::replaced(const std::string& text, const std::string& format) const
{
    return std::regex_replace(text, compiled_->expression, format);
}
