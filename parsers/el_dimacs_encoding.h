#ifndef KORVANE_PARSERS_EL_DIMACS_ENCODING_H
#define KORVANE_PARSERS_EL_DIMACS_ENCODING_H

#include <cstdio>

// The encoding grammar (symbol prefix encyy): a stored encoding, every header
// line before the first clause, sorted into the reload side of the
// EncodedTBox (see EncodingReader). A driver assigns encyyin (standard input
// when it is null) and calls encyyparse, which reads the whole input and
// returns 0; every error ends the process with status -1.

extern FILE* encyyin;
extern char* encyytext;

int encyyparse();
int encyylex();
void encyyerror(const char* message);
void encyyrestart(FILE* input);

#endif
