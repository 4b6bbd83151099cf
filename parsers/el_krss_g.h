#ifndef KORVANE_PARSERS_EL_KRSS_G_H
#define KORVANE_PARSERS_EL_KRSS_G_H

#include <cstdio>

// The ontology language (symbol prefix yy): parenthesised EL+ axioms read into
// the TBox. A driver assigns yyin (standard input when it is null) and calls
// yyparse, which reads the input to its end and returns 0; every error ends
// the process. A later call reads whatever yyin names then, continuing the
// same names, shared concepts and axiom numbering.

extern FILE* yyin;
extern FILE* yyout;
extern char* yytext;

int yyparse();
int yylex();
void yyerror(const char* message);
void yyrestart(FILE* input);

#endif
