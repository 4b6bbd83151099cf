/* The simple-query language: the interactive query loop. The actions that
   differ between the programs (the start of the input and the answer to one
   query) are the SimpleQueryActions that the program installed; everything
   else is shared. */

%code top {
#include "parsers/GrammarLimits.h"
}

%code requires {
#include "model/Concept.h"
}

%{
#include "parsers/GrammarSupport.h"
#include "parsers/SimpleQueryActions.h"
#include "parsers/SimpleQueryLoop.h"
#include "parsers/el_krss_g_query_simple.h"
%}

%define api.prefix {simplequeryyy}
%define api.token.prefix {TOK_}
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    simplequeryyyrestart(simplequeryyyin != nullptr ? simplequeryyyin : stdin);
}

%union {
    char* name;
    bool top;
    Concept* conceptExpr;
}

%token LROUND RROUND BAR SUBSUMES QUIT
%token <top> PRIMITIVE_CONCEPT
%token <name> IDENTIFIER

%type <conceptExpr> BasicConcept

%start Query

%%

/* Each of these reductions happens without a look-ahead token: the start
   before the first token is read, the answer and the next prompt as soon as
   a query's closing parenthesis has been read, a name's lookup as soon as the
   name has been read, and "quit" as soon as it has been read. */

Query
    : %empty
        { SimpleQueryActions::installed().startOfInput(); SimpleQueryLoop::prompt(); }
    | Query {} SubsumptionTest
        { SimpleQueryLoop::prompt(); }
    ;

SubsumptionTest
    : LROUND SUBSUMES BasicConcept BasicConcept RROUND
        { SimpleQueryActions::installed().answerQuery($3, $4); }
    | LROUND SubsumptionTest RROUND
    | QUIT
        { SimpleQueryLoop::quit(); }
    ;

BasicConcept
    : IDENTIFIER
        { $$ = SimpleQueryLoop::lookupConcept($1); }
    | BAR IDENTIFIER BAR
        { $$ = SimpleQueryLoop::lookupConcept($2); }
    | PRIMITIVE_CONCEPT
        { $$ = SimpleQueryLoop::trivialConcept($1); }
    ;

%%

void simplequeryyyerror(const char* message)
{
    GrammarSupport::syntaxError(message, simplequeryyytext);
}
