#ifndef KORVANE_PARSERS_EL_KRSS_G_UPLOAD_H
#define KORVANE_PARSERS_EL_KRSS_G_UPLOAD_H

#include <cstdio>

// The normalisation map (symbol prefix uploadyy): the role axioms and every
// normal-form concept with its CNF variable, as a run that classified wrote
// them, read back into the TBox's normal form. A driver assigns uploadyyin
// (standard input when it is null) and calls uploadyyparse, which reads the
// input to its end and returns 0; every error ends the process. When an
// encoding was loaded before, each variable's concept is also entered in the
// EncodedTBox's implication table.

extern FILE* uploadyyin;
extern FILE* uploadyyout;
extern char* uploadyytext;

int uploadyyparse();
int uploadyylex();
void uploadyyerror(const char* message);
// Starts the scanner afresh on the input, outside any bars.
void uploadyystart(FILE* input);

#endif
