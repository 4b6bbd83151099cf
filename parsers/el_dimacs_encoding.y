/* The encoding grammar: a stored encoding (header lines, then clauses) read
   back for the rebuild of a classified terminology. The actions are the
   EncodingReader's. */

%code top {
#include "parsers/GrammarLimits.h"
}

%code requires {
#include <cstdint>

#include "parsers/EncodingReader.h"
}

%{
#include "parsers/GrammarSupport.h"
#include "parsers/el_dimacs_encoding.h"
%}

%define api.prefix {encyy}
%define api.token.prefix {TOK_}
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    encyyrestart(encyyin != nullptr ? encyyin : stdin);
}

%union {
    uint64_t number;
    unsigned long variable;
}

%token MINUS ZERO COMMENT_LINE PROBLEM_LINE CNF AXIOMS DEDUCED HORN_LINE
%token <number> DIMACS_ID NEGATIVE_ID

%type <number> Number
%type <variable> PositiveAtom NegativeAtom

%start Encoding

%%

/* The start of the input is reduced before the first token is read; the end
   of the header, and the start of each clause, once the clause's first token
   (or the end of the input) has been read. */

Encoding
    : Header { EncodingReader::endOfHeader(); } Clauses
        { EncodingReader::endOfInput(); }
    ;

Header
    : %empty
        { EncodingReader::startOfInput(); }
    | Header ProblemLine
    | Header CommentLine
    ;

ProblemLine
    : PROBLEM_LINE CNF DIMACS_ID DIMACS_ID
        { EncodingReader::problemLine($3, $4); }
    ;

CommentLine
    : COMMENT_LINE AXIOMS Number DEDUCED Number
        { EncodingReader::totalsLine($3, $5); }
    ;

/* Once a clause is read, the next token may start a clause: the scanner
   may take a whole Horn clause line as one token (HORN_LINE). */
Clauses
    : %empty
    | Clauses { EncodingReader::beforeClause(); } Clause
        { EncodingReader::afterClause(); }
    ;

Clause
    : UnitClause
    | HornClause
    | HORN_LINE
        { EncodingReader::clauseLine(); }
    ;

UnitClause
    : NegativeAtom ZERO
    | PositiveAtom ZERO
    ;

HornClause
    : NegativeAtomList PositiveAtom ZERO
        { EncodingReader::hornClause($2); }
    ;

NegativeAtomList
    : NegativeAtom
        { EncodingReader::firstPremise($1); }
    | NegativeAtomList NegativeAtom
        { EncodingReader::premise($2); }
    ;

NegativeAtom
    : MINUS PositiveAtom
        { $$ = $2; }
    | NEGATIVE_ID
        { $$ = EncodingReader::variable($1); }
    ;

PositiveAtom
    : DIMACS_ID
        { $$ = EncodingReader::variable($1); }
    ;

Number
    : DIMACS_ID
    | ZERO
        { $$ = 0; }
    ;

%%

void encyyerror(const char* message)
{
    GrammarSupport::syntaxError(message, encyytext);
}
