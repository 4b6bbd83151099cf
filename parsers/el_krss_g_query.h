#ifndef KORVANE_PARSERS_EL_KRSS_G_QUERY_H
#define KORVANE_PARSERS_EL_KRSS_G_QUERY_H

#include <cstdio>

// The complex-query language (symbol prefix queryyy): subsumption queries
// between arbitrary concept expressions. A driver assigns queryyyin (standard
// input when it is null) and calls queryyyparse, which reads the whole file,
// brings the query concepts into the normal form, classifies and encodes again
// when that added anything, prints one answer per query in input order and
// returns 0; every error ends the process before any answer is printed.

extern FILE* queryyyin;
extern FILE* queryyyout;
extern char* queryyytext;

int queryyyparse();
int queryyylex();
void queryyyerror(const char* message);
void queryyyrestart(FILE* input);

#endif
