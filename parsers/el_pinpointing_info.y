/* The pinpointing information: one axiom record per "A", one derivation
   record per "B" or "S" with the premise pairs it rests on. Newlines carry no
   meaning; the letters end the records. */

%code top {
#include "parsers/GrammarLimits.h"
}

%code requires {
#include "reasoner/EncodedTBox.h"
}

%{
#include "parsers/GrammarSupport.h"
#include "parsers/PinpointingInfoLoader.h"
#include "parsers/PinpointingInfoScanner.h"
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
    EncodedTBox::Dependencies* premises;
}

%token IS_AXIOM IS_BOOLEAN_CL IS_DEDUCED_CL
%token <number> ID

%type <number> Couple
%type <premises> CoupleList

%start WholeFile

%%

/* A premise pair is resolved as soon as its second number has been read,
   before the next token is looked at: a pair can only name a record of an
   earlier line. */

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
        { PinpointingInfoLoader::derivation($1, $2, $3, $4, false); }
    | ID ID ID CoupleList IS_DEDUCED_CL
        { PinpointingInfoLoader::derivation($1, $2, $3, $4, true); }
    ;

CoupleList
    : Couple
        { $$ = PinpointingInfoLoader::premises(new EncodedTBox::Dependencies(), $1); }
    | CoupleList Couple
        { $$ = PinpointingInfoLoader::premises($1, $2); }
    ;

Couple
    : ID ID
        { $$ = PinpointingInfoLoader::premise($1, $2); }
    ;

%%

int pinpyylex()
{
    unsigned long value = 0;
    switch (PinpointingInfoScanner::next(value)) {
    case PinpointingInfoScanner::Number:
        pinpyylval.number = value;
        return TOK_ID;
    case PinpointingInfoScanner::Axiom: return TOK_IS_AXIOM;
    case PinpointingInfoScanner::Boolean: return TOK_IS_BOOLEAN_CL;
    case PinpointingInfoScanner::Deduced: return TOK_IS_DEDUCED_CL;
    case PinpointingInfoScanner::End: break;
    }
    return 0;
}

void pinpyyerror(const char* message)
{
    GrammarSupport::syntaxError(message, pinpyytext);
}
