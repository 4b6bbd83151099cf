#ifndef KORVANE_PARSERS_EL_PINPOINTING_INFO_H
#define KORVANE_PARSERS_EL_PINPOINTING_INFO_H

#include <cstdio>

// The pinpointing information (symbol prefix pinpyy): the axiom records and
// the derivation records of a classification run, loaded into the
// EncodedTBox with every derivation's premises as earlier record numbers. A
// driver assigns pinpyyin (standard input when it is null) and calls
// pinpyyparse, which drops any records loaded before, reads the input to its
// end and returns 0; every error ends the process.

extern FILE* pinpyyin;
extern FILE* pinpyyout;
extern char* pinpyytext;

int pinpyyparse();
int pinpyylex();
void pinpyyerror(const char* message);
void pinpyyrestart(FILE* input);

#endif
