/* The complex-query language: (subsumes? C D) asks whether D ⊑ C for
   arbitrary concept expressions C and D. The subsumer C is read in the
   forward form, the subsumee D in the backward form; every query is recorded
   while it is read and all of them are answered at the end of the input. */

%code top {
#include "parsers/GrammarLimits.h"
}

%code requires {
#include "model/Concept.h"
}

%{
#include <cstdlib>

#include "model/TrivialConcept.h"
#include "parsers/ComplexQueries.h"
#include "parsers/GrammarSupport.h"
#include "parsers/OntologyBuilder.h"
#include "parsers/el_krss_g_query.h"
%}

%define api.prefix {queryyy}
%define api.token.prefix {TOK_}
%define parse.error verbose
/* No reduction without its look-ahead where a state could also shift or
   reduce otherwise: a token out of place after the last query is an error
   before the end-of-input action could run, and the error names every token
   the state accepts. */
%define lr.default-reduction consistent
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    queryyyrestart(queryyyin != nullptr ? queryyyin : stdin);
}

%union {
    char* name;
    bool top;
    Concept* conceptExpr;
    ConceptList* concepts;
}

/* The order of declaration is the order in which a syntax error lists the
   tokens it expected. */
%token END 0 "$end"
%token LROUND RROUND BAR
%token CONJUNCTION CONCEPT_EQUIV CONCEPT_INCL EXIST_REST
%token ROLE_COMPOSITION ROLE_INCL TRANSITIVE_ROLE SUBSUMES
%token <top> PRIMITIVE_CONCEPT
%token <name> IDENTIFIER

%type <conceptExpr> ConceptFW ConceptBW
%type <concepts> ConceptListFW ConceptListBW
%type <name> Name

%start QueryBlock

%%

QueryBlock
    : { ComplexQueries::startOfInput(); } Query
        { ComplexQueries::endOfInput(); }
    ;

Query
    : %empty
    | Query {} SubsumptionTest
    ;

SubsumptionTest
    : LROUND SUBSUMES ConceptFW ConceptBW RROUND
        { ComplexQueries::recordQuery($3, $4); }
    ;

ConceptBW
    : PRIMITIVE_CONCEPT
        { $$ = $1 ? static_cast<Concept*>(TrivialConcept::getTOP()) : TrivialConcept::getBOTTOM(); }
    | Name
        { $$ = ComplexQueries::conceptByName($1); }
    | LROUND CONJUNCTION ConceptListBW RROUND
        { $$ = ComplexQueries::conjunction($3, false); }
    | LROUND EXIST_REST Name ConceptBW RROUND
        { $$ = ComplexQueries::existential($3, $4, false); }
    ;

ConceptListBW
    : ConceptBW ConceptBW
        { $$ = OntologyBuilder::pairList($1, $2); }
    | ConceptBW ConceptListBW
        { $$ = OntologyBuilder::prependToList($1, $2); }
    ;

ConceptFW
    : PRIMITIVE_CONCEPT
        { $$ = $1 ? static_cast<Concept*>(TrivialConcept::getTOP()) : TrivialConcept::getBOTTOM(); }
    | Name
        { $$ = ComplexQueries::conceptByName($1); }
    | LROUND CONJUNCTION ConceptListFW RROUND
        { $$ = ComplexQueries::conjunction($3, true); }
    | LROUND EXIST_REST Name ConceptFW RROUND
        { $$ = ComplexQueries::existential($3, $4, true); }
    ;

ConceptListFW
    : ConceptFW ConceptFW
        { $$ = OntologyBuilder::pairList($1, $2); }
    | ConceptFW ConceptListFW
        { $$ = OntologyBuilder::prependToList($1, $2); }
    ;

Name
    : IDENTIFIER
        { $$ = $1; }
    | BAR IDENTIFIER BAR
        { $$ = $2; }
    ;

%%

void queryyyerror(const char* message)
{
    ComplexQueries::syntaxError(message);
}
