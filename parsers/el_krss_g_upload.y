/* The normalisation map: role axioms, the inclusions of the normal form that
   the encoding holds no clause for, and normal-form concepts, each concept
   followed by its CNF variable, read back into the TBox's normal form. */

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
#include "parsers/NormalizationMapBuilder.h"
#include "parsers/OntologyBuilder.h"
#include "parsers/el_krss_g_upload.h"
%}

%define api.prefix {uploadyy}
%define api.token.prefix {TOK_}
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    uploadyystart(uploadyyin != nullptr ? uploadyyin : stdin);
}

%union {
    char* name;
    bool top;
    unsigned long number;
    Concept* conceptExpr;
    Role* roleExpr;
    ConceptList* concepts;
    RoleList* roles;
}

%token LROUND RROUND BAR SHARP
%token CONJUNCTION EXIST_REST ROLE_INCL ROLE_COMPOSITION TRANSITIVE_ROLE CONCEPT_INCL
%token <top> PRIMITIVE_CONCEPT
%token <number> NUM_ID
%token <name> IDENTIFIER

%type <conceptExpr> Concept
%type <roleExpr> Role
%type <concepts> ConceptList
%type <roles> RoleList
%type <name> Name

%start Mapping

%%

/* A concept line is reduced as soon as its number has been read, so its
   diagnostics carry the number's line. Roles are looked up as in the
   ontology language. */

Mapping
    : %empty
        { GrammarSupport::beginInput("Input Normalized Concepts"); }
    | Mapping Declaration
    ;

Declaration
    : ConceptDeclaration
    | RI
    | Inclusion
    ;

ConceptDeclaration
    : Concept NUM_ID
        { NormalizationMapBuilder::conceptEntry($1, $2); }
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
    ;

Inclusion
    : LROUND CONCEPT_INCL Concept Concept RROUND
        { NormalizationMapBuilder::inclusion($3, $4); }
    ;

Concept
    : PRIMITIVE_CONCEPT
        { $$ = $1 ? static_cast<Concept*>(TrivialConcept::getTOP()) : TrivialConcept::getBOTTOM(); }
    | Name
        { $$ = NormalizationMapBuilder::up_getConceptByName($1); std::free($1); }
    | SHARP NUM_ID
        { $$ = NormalizationMapBuilder::up_getTmpConceptById($2); }
    | LROUND CONJUNCTION ConceptList RROUND
        { $$ = OntologyBuilder::conjunction($3); }
    | LROUND EXIST_REST Role Concept RROUND
        { $$ = NormalizationMapBuilder::existential($3, $4); }
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

/* "implies" opens an inclusion only right after "("; where a name belongs
   it is the name, as maps written before the inclusions hold it. */
Name
    : IDENTIFIER
        { $$ = $1; }
    | BAR IDENTIFIER BAR
        { $$ = $2; }
    | CONCEPT_INCL
        { $$ = GrammarSupport::copyText("implies", 7); }
    ;

%%

void uploadyyerror(const char* message)
{
    GrammarSupport::syntaxError(message, uploadyytext);
}
