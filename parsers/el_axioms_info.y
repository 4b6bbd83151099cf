/* The axioms information: a header with the largest axiom index, the largest
   original axiom number, the number of axiom records, the variable offset
   and the numbering mode; then one line "k v 0" per axiom k selected by the
   assumption variable v, and one line "0 v 0" per control variable v assumed
   for a derivation that lost a premise. */

%code top {
#include "parsers/GrammarLimits.h"
}

%{
#include "parsers/AxiomsInfoLoader.h"
#include "parsers/GrammarSupport.h"
#include "parsers/el_axioms_info.h"
%}

%define api.prefix {axiomsyy}
%define api.token.prefix {TOK_}
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    axiomsyyrestart(axiomsyyin != nullptr ? axiomsyyin : stdin);
}

%union {
    unsigned long number;
    bool original;
}

%token ZERO
%token <original> USE_ORIGINAL
%token <number> ID

%type <number> Count

%start WholeFile

%%

/* The input context starts right after the header, before the token that
   follows the mode letter is read. The header's counts may be 0 (a
   pinpointing encoding without axioms); an axiom line names an axiom from 1,
   or 0 for a lost premise, and a variable from 1. */

WholeFile
    : Header
        { GrammarSupport::beginInput("Axioms informations."); }
      Axioms
        { AxiomsInfoLoader::endOfInput(); }
    ;

Header
    : Count Count Count Count USE_ORIGINAL
        { AxiomsInfoLoader::header($1, $2, $3, $4, $5); }
    ;

Count
    : ID
        { $$ = $1; }
    | ZERO
        { $$ = 0; }
    ;

Axioms
    : %empty
    | Axioms Axiom
    ;

Axiom
    : ID ID ZERO
        { AxiomsInfoLoader::axiom($1, $2); }
    | ZERO ID ZERO
        { AxiomsInfoLoader::lostPremise($2); }
    ;

%%

void axiomsyyerror(const char* message)
{
    GrammarSupport::syntaxError(message, axiomsyytext);
}
