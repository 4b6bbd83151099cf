/* The encoding grammar for pinpointing: a stored encoding (header lines, then
   clauses) copied into the installed encoder as the pinpointing encoding.
   The actions are the EncodingCopy's and, around the clauses and at the ends
   of the header and of the input, the PinpointingEncodingReader's. */

%code top {
#include "parsers/GrammarLimits.h"
}

%code requires {
#include <cstdint>

#include "reasoner/Encoder.h"

class HornClauseTie;
}

%{
#include "parsers/GrammarSupport.h"
#include "parsers/EncodingCopy.h"
#include "parsers/PinpointingEncodingReader.h"
#include "parsers/el_dimacs_encoding_pinp.h"
%}

%define api.prefix {encforpinpyy}
%define api.token.prefix {TOK_}
/* The tie of each Horn clause to its record, the caller's. */
%parse-param {HornClauseTie& tie}
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    encforpinpyyrestart(encforpinpyyin != nullptr ? encforpinpyyin : stdin);
}

%union {
    uint64_t number;
    long literal;
    LiteralList* literals;
}

%token MINUS ZERO COMMENT_LINE PROBLEM_LINE CNF AXIOMS DEDUCED
%token <number> DIMACS_ID NEGATIVE_ID

%type <literal> PositiveAtom NegativeAtom
%type <literals> NegativeAtomList

%start Encoding

%%

/* The start of the input is reduced before the first token is read; the end
   of the header, and the start of each clause, once the clause's first token
   (or the end of the input) has been read. */

Encoding
    : Header { PinpointingEncodingReader::endOfHeader(); } Clauses
        { PinpointingEncodingReader::endOfInput(tie); }
    ;

Header
    : %empty
        { EncodingCopy::startOfInput(); }
    | Header ProblemLine
    | Header CommentLine
    ;

ProblemLine
    : PROBLEM_LINE CNF DIMACS_ID DIMACS_ID
        { EncodingCopy::problemLine($3, $4); }
    ;

/* The totals lines are not needed here. */
CommentLine
    : COMMENT_LINE AXIOMS Number DEDUCED Number
    ;

Clauses
    : %empty
    | Clauses { EncodingCopy::beforeClause(); } Clause
    ;

Clause
    : UnitClause
    | HornClause
    ;

UnitClause
    : NegativeAtom ZERO
        { PinpointingEncodingReader::unitClause($1); }
    | PositiveAtom ZERO
        { PinpointingEncodingReader::unitClause($1); }
    ;

HornClause
    : NegativeAtomList PositiveAtom ZERO
        { $1->push_back($2); PinpointingEncodingReader::hornClause($1, tie); }
    ;

NegativeAtomList
    : NegativeAtom
        { $$ = new LiteralList{$1}; }
    | NegativeAtomList NegativeAtom
        { $$ = $1; $$->push_back($2); }
    ;

NegativeAtom
    : MINUS PositiveAtom
        { $$ = -$2; }
    | NEGATIVE_ID
        { $$ = -EncodingCopy::variable($1); }
    ;

PositiveAtom
    : DIMACS_ID
        { $$ = EncodingCopy::variable($1); }
    ;

Number
    : DIMACS_ID
    | ZERO
    ;

%%

void encforpinpyyerror(HornClauseTie& /*tie*/, const char* message)
{
    GrammarSupport::syntaxError(message, encforpinpyytext);
}
