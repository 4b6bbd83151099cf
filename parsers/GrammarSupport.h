#ifndef KORVANE_PARSERS_GRAMMARSUPPORT_H
#define KORVANE_PARSERS_GRAMMARSUPPORT_H

#include <cstddef>
#include <cstdio>

// What every scanner and parser of the system does the same way: reading the
// input, line counting, the input context, the unrecognized-character and
// syntax-error diagnostics, the end-of-input report and the copy of a token's
// text. All diagnostics go through the ParserManager.
class GrammarSupport {
public:
    GrammarSupport() = delete;

    // Parser: starts a new input under the given context name
    // (line 1, no warnings, end-of-input flag cleared).
    static void beginInput(const char* context);

    // Scanner: fills `buffer` with at most `size` bytes of the input and
    // returns how many it read, 0 at the end of the input. An interactive
    // input (a terminal) is read one character at a time up to and including
    // the next newline; any other input with as few reads as it takes. A read
    // error ends the run with a lexer error naming the input
    // (ParserManager::inputName) and the system's reason.
    static std::size_t readInput(FILE* input, char* buffer, std::size_t size, bool interactive);
    // The size of the input when it is a regular file, 0 otherwise (a pipe,
    // a terminal, standard input when null).
    static unsigned long regularFileBytes(FILE* input);

    // Driver: to be called before any file is opened. A closed standard input
    // keeps its descriptor taken (by a stream that cannot be read), so that no
    // file opened later becomes standard input and reading standard input
    // fails as a read error.
    static void holdClosedStandardInput();

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
