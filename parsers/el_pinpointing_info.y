/* The pinpointing information: one axiom record per "A", one derivation
   record per "B" or "S" with the premise pairs it rests on. Newlines carry no
   meaning; the letters end the records. */

%code top {
#include "parsers/GrammarLimits.h"
}

%{
#include "parsers/GrammarSupport.h"
#include "parsers/PinpointingInfoLoader.h"
#include "parsers/el_pinpointing_info.h"
%}

%define api.prefix {pinpyy}
%define api.token.prefix {TOK_}
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    pinpyyrestart(pinpyyin != nullptr ? pinpyyin : stdin);
}

%union {
    unsigned long number;
}

%token IS_AXIOM IS_BOOLEAN_CL IS_DEDUCED_CL
%token <number> ID

%start WholeFile

%%

/* A record goes to the loader when its letter has been read, a premise pair
   when its second number has; the loader enters them in input order. */

WholeFile
    : PinpointingInfo
        { PinpointingInfoLoader::endOfInput(); }
    ;

PinpointingInfo
    : %empty
        { PinpointingInfoLoader::startOfInput(); }
    | PinpointingInfo ClauseLine
    ;

ClauseLine
    : ID ID ID ID IS_AXIOM
        { PinpointingInfoLoader::axiom($1, $2, $3, $4); }
    | ID ID ID CoupleList IS_BOOLEAN_CL
        { PinpointingInfoLoader::derivation($1, $2, $3, false); }
    | ID ID ID CoupleList IS_DEDUCED_CL
        { PinpointingInfoLoader::derivation($1, $2, $3, true); }
    ;

CoupleList
    : Couple
    | CoupleList Couple
    ;

Couple
    : ID ID
        { PinpointingInfoLoader::premise($1, $2); }
    ;

%%

void pinpyyerror(const char* message)
{
    // The records read before the error are entered first, with their
    // diagnostics.
    PinpointingInfoLoader::catchUp();
    GrammarSupport::syntaxError(message, pinpyytext);
}
