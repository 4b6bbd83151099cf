#ifndef KORVANE_PARSERS_EL_KRSS_G_QUERY_SIMPLE_H
#define KORVANE_PARSERS_EL_KRSS_G_QUERY_SIMPLE_H

#include <cstdio>

// The simple-query language (symbol prefix simplequeryyy), the interactive
// query loop: (subsumes? A B) asks whether B ⊑ A for two concepts of the
// normal form, each a name (also between bars) or top/bottom. A driver
// assigns simplequeryyyin (standard input when it is null) and calls
// simplequeryyyparse, which answers every query until the end of the input
// and returns 0; "quit" ends the process with status 0 and every error ends
// it with status -1. The actions that differ between the programs are the
// SimpleQueryActions that the program installed.

extern FILE* simplequeryyyin;
extern FILE* simplequeryyyout;
extern char* simplequeryyytext;

int simplequeryyyparse();
int simplequeryyylex();
void simplequeryyyerror(const char* message);
void simplequeryyyrestart(FILE* input);

#endif
