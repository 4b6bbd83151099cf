#ifndef KORVANE_PARSERS_GRAMMARSUPPORT_H
#define KORVANE_PARSERS_GRAMMARSUPPORT_H

#include <cstddef>

// What every scanner and parser of the system does the same way: line
// counting, the input context, the unrecognized-character and syntax-error
// diagnostics, the end-of-input report and the copy of a token's text. All
// diagnostics go through the ParserManager.
class GrammarSupport {
public:
    GrammarSupport() = delete;

    // Parser: starts a new input under the given context name
    // (line 1, no warnings, end-of-input flag cleared).
    static void beginInput(const char* context);

    // Scanner: a newline was consumed, whether it ends a line or a comment.
    static void newLine();

    // Scanner: a character that no rule of the grammar accepts.
    [[noreturn]] static void unrecognizedToken(const char* text);

    // Scanner: the input has ended; sets the end-of-input flag and prints the
    // warnings summary when warnings were posted.
    static void endOfInput();

    // Parser: the error routine. The token text is the scanner's current
    // token; an empty (or missing) text means the end of input.
    [[noreturn]] static void syntaxError(const char* message, const char* tokenText);

    // Scanner: a malloc'd, NUL-terminated copy of a token's text, for token
    // values that the parser frees.
    static char* copyText(const char* text, std::size_t length);
};

#endif
