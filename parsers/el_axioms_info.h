#ifndef KORVANE_PARSERS_EL_AXIOMS_INFO_H
#define KORVANE_PARSERS_EL_AXIOMS_INFO_H

#include <cstdio>

// The axioms information (symbol prefix axiomsyy): which assumption variable
// selects which axiom of a pinpointing encoding, read back into the
// EncodedTBox so that queries can be answered without the pinpointing
// information. A caller assigns axiomsyyin (standard input when it is null)
// and calls axiomsyyparse, which reads the input to its end and returns 0;
// every error ends the process.

extern FILE* axiomsyyin;
extern FILE* axiomsyyout;
extern char* axiomsyytext;

int axiomsyyparse();
int axiomsyylex();
void axiomsyyerror(const char* message);
void axiomsyyrestart(FILE* input);

#endif
