#ifndef KORVANE_TESTS_SUPPORT_TEXTPATTERN_H
#define KORVANE_TESTS_SUPPORT_TEXTPATTERN_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// A regular expression (ECMAScript grammar) for checking what a program
// wrote. The expression machinery is compiled once, in the test support
// library, rather than in every test that reads output through a pattern.
class TextPattern {
public:
    explicit TextPattern(const std::string& expression);
    ~TextPattern();
    TextPattern(const TextPattern&) = delete;
    TextPattern& operator=(const TextPattern&) = delete;

    // Whether the whole of `text` matches.
    bool matches(const std::string& text) const;
    // The same; on a match, `groups` holds the whole text and then each
    // group's text (empty for a group that took no part).
    bool matches(const std::string& text, std::vector<std::string>& groups) const;
    // Whether some part of `text` matches.
    bool occursIn(const std::string& text) const;
    // A match inside a text: where it starts, the matched text and then each
    // group's text.
    struct Occurrence {
        std::size_t position;
        std::vector<std::string> groups;
    };
    // Every non-overlapping match in `text`, from left to right.
    std::vector<Occurrence> occurrences(const std::string& text) const;
    // `text` with every match replaced by `format` ($1 for the first group
    // and so on).
    std::string replaced(const std::string& text, const std::string& format) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

#endif
