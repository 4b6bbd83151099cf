/* The ontology language: parenthesised EL+ axioms turned into concepts,
   roles, inclusions and role axioms of the TBox. */

%code top {
#include "parsers/GrammarLimits.h"
}

%code requires {
#include "model/Concept.h"
#include "model/Role.h"
}

%{
#include <cstdlib>

#include "model/TrivialConcept.h"
#include "parsers/GrammarSupport.h"
#include "parsers/NameLookup.h"
#include "parsers/OntologyBuilder.h"
#include "parsers/el_krss_g.h"
%}

%define api.prefix {yy}
%define api.token.prefix {TOK_}
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    yyrestart(yyin != nullptr ? yyin : stdin);
}

%union {
    char* name;
    bool top;
    Concept* conceptExpr;
    Role* roleExpr;
    ConceptList* concepts;
    RoleList* roles;
}

%token LROUND RROUND BAR
%token CONJUNCTION CONCEPT_INCL CONCEPT_EQUIV EXIST_REST
%token ROLE_INCL ROLE_COMPOSITION TRANSITIVE_ROLE
%token <top> PRIMITIVE_CONCEPT
%token <name> IDENTIFIER

%type <conceptExpr> Concept
%type <roleExpr> Role
%type <concepts> ConceptList
%type <roles> RoleList
%type <name> Name

%start TBox

%%

TBox
    : %empty
        { GrammarSupport::beginInput("Input Problem"); }
    | TBox Declaration
    ;

Declaration
    : GCI
    | RI
    ;

GCI
    : LROUND CONCEPT_INCL Concept Concept RROUND
        { OntologyBuilder::inclusion($3, $4); }
    | LROUND CONCEPT_EQUIV Concept Concept RROUND
        { OntologyBuilder::equivalence($3, $4); }
    | LROUND CONCEPT_INCL Name RROUND
        { NameLookup::getConceptByName($3); std::free($3); }
    ;

RI
    : LROUND ROLE_INCL Role Name RROUND
        {
            Role* s = NameLookup::getRoleByName($4);
            std::free($4);
            OntologyBuilder::roleInclusion($3, s);
        }
    | LROUND TRANSITIVE_ROLE Name RROUND
        {
            Role* s = NameLookup::getRoleByName($3);
            std::free($3);
            OntologyBuilder::transitivity(s);
        }
    | LROUND ROLE_INCL Name RROUND
        { NameLookup::getRoleByName($3); std::free($3); }
    ;

Concept
    : PRIMITIVE_CONCEPT
        { $$ = $1 ? static_cast<Concept*>(TrivialConcept::getTOP()) : TrivialConcept::getBOTTOM(); }
    | Name
        { $$ = NameLookup::getConceptByName($1); std::free($1); }
    | LROUND CONJUNCTION ConceptList RROUND
        { $$ = OntologyBuilder::conjunction($3); }
    | LROUND EXIST_REST Name Concept RROUND
        {
            Role* role = NameLookup::getRoleByName($3);
            std::free($3);
            $$ = OntologyBuilder::existential(role, $4);
        }
    ;

Role
    : Name
        { $$ = NameLookup::getRoleByName($1); std::free($1); }
    | LROUND ROLE_COMPOSITION RoleList RROUND
        { $$ = OntologyBuilder::composition($3); }
    ;

ConceptList
    : Concept Concept
        { $$ = OntologyBuilder::pairList($1, $2); }
    | Concept ConceptList
        { $$ = OntologyBuilder::prependToList($1, $2); }
    ;

RoleList
    : Name Name
        {
            Role* first = NameLookup::getRoleByName($1);
            std::free($1);
            Role* second = NameLookup::getRoleByName($2);
            std::free($2);
            $$ = new RoleList();
            $$->push_back(first);
            $$->push_back(second);
        }
    | Name RoleList
        {
            Role* first = NameLookup::getRoleByName($1);
            std::free($1);
            $2->push_front(first);
            $$ = $2;
        }
    ;

Name
    : IDENTIFIER
        { $$ = $1; }
    | BAR IDENTIFIER BAR
        { $$ = $2; }
    ;

%%

void yyerror(const char* message)
{
    GrammarSupport::syntaxError(message, yytext);
}
