/* The simple encoding grammar: a stored encoding (header lines, then
   clauses) copied clause by clause into the installed encoder, then ended
   with the counts of the last problem line. The actions are the
   EncodingCopy's. */

%code top {
#include "parsers/GrammarLimits.h"
}

%code requires {
#include <cstdint>

#include "reasoner/Encoder.h"
}

%{
#include "parsers/GrammarSupport.h"
#include "parsers/EncodingCopy.h"
#include "parsers/el_dimacs_encoding_simple.h"
%}

%define api.prefix {simpleencyy}
%define api.token.prefix {TOK_}
%expect 0

/* Every parse starts the scanner afresh on the current input stream. */
%initial-action {
    simpleencyyrestart(simpleencyyin != nullptr ? simpleencyyin : stdin);
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
   of the header (nothing to do there for a plain copy), and the start of each
   clause, once the clause's first token (or the end of the input) has been
   read. */

Encoding
    : Header {} Clauses
        { EncodingCopy::endOfCopy(EncodingCopy::cnf_vars, EncodingCopy::cnf_cls); }
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
        { EncodingCopy::unitClause($1); }
    | PositiveAtom ZERO
        { EncodingCopy::unitClause($1); }
    ;

HornClause
    : NegativeAtomList PositiveAtom ZERO
        { $1->push_back($2); EncodingCopy::hornClause($1); }
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

void simpleencyyerror(const char* message)
{
    GrammarSupport::syntaxError(message, simpleencyytext);
}
