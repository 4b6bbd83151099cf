#ifndef KORVANE_PARSERS_EL_DIMACS_ENCODING_SIMPLE_H
#define KORVANE_PARSERS_EL_DIMACS_ENCODING_SIMPLE_H

#include <cstdio>

// The simple encoding grammar (symbol prefix simpleencyy): a stored encoding,
// every header line before the first clause, copied clause by clause into
// the installed encoder (see EncodingCopy). A caller assigns
// simpleencyyin (standard input when it is null) and calls simpleencyyparse,
// which reads the whole input and returns 0; every error ends the process
// with status -1.

extern FILE* simpleencyyin;
extern char* simpleencyytext;

int simpleencyyparse();
int simpleencyylex();
void simpleencyyerror(const char* message);
void simpleencyyrestart(FILE* input);

#endif
