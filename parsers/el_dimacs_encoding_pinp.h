#ifndef KORVANE_PARSERS_EL_DIMACS_ENCODING_PINP_H
#define KORVANE_PARSERS_EL_DIMACS_ENCODING_PINP_H

#include <cstdio>

class HornClauseTie;

// The encoding grammar for pinpointing (symbol prefix encforpinpyy): a stored
// encoding, every header line before the first clause, copied into the
// installed encoder as the pinpointing encoding (see
// PinpointingEncodingReader). A driver reads the pinpointing information
// first, assigns encforpinpyyin (standard input when it is null) and calls
// encforpinpyyparse with the tie of each Horn clause to its record (a
// HornClauseTie itself ties by position); it reads the whole input and
// returns 0; every error ends the process with status -1.

extern FILE* encforpinpyyin;
extern char* encforpinpyytext;

int encforpinpyyparse(HornClauseTie& tie);
int encforpinpyylex();
void encforpinpyyerror(HornClauseTie& tie, const char* message);
void encforpinpyyrestart(FILE* input);

#endif
