#ifndef KORVANE_PARSERS_GRAMMARLIMITS_H
#define KORVANE_PARSERS_GRAMMARLIMITS_H

// Buffer and stack sizes, and the way input is read, shared by every scanner
// and parser. Each grammar includes this file at the very top of its
// generated sources (flex %top, bison %code top), before the generators' own
// defaults are seen.

#include "parsers/GrammarSupport.h"

// Scanner: the input buffer, and the most bytes fetched by one read. When the
// input is a terminal the scanner reads one line at a time instead (flex's
// interactive buffers, decided per input with isatty).
#define YY_BUF_SIZE 16384
#define YY_READ_BUF_SIZE 8192

// Scanner: every read goes through GrammarSupport::readInput, which reports a
// failed read as an error of the grammar's input (yyin is the scanner's own
// input stream under its prefix).
#define YY_INPUT(buffer, result, size)                                                                 \
    (result) = static_cast<int>(GrammarSupport::readInput(yyin, (buffer), static_cast<std::size_t>(size), \
                                                          YY_CURRENT_BUFFER_LVALUE->yy_is_interactive != 0))

// Parser: the state stack starts with room for 200 entries and may grow to
// 10000; beyond that the parse fails with "memory exhausted". The stack lives
// on the heap, so deep nesting never exhausts the C stack.
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000

#endif
