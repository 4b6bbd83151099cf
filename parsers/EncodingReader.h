#ifndef KORVANE_PARSERS_ENCODINGREADER_H
#define KORVANE_PARSERS_ENCODINGREADER_H

#include <cstdint>
#include <list>
#include <vector>

#include "reasoner/EncodedTBox.h"

// The actions of the encoding grammar (el_dimacs_encoding): a stored
// encoding, its header first, sorted into the reload side of the EncodedTBox
// so that a classified terminology can be rebuilt from it.
//
// Each totals line "c axioms A deduced D" opens a block of A axiom clauses
// followed by D deduced clauses; the blocks follow each other in clause
// order (units included) and together must make up the largest clause count
// of the problem lines. Axiom Horn clauses go to the axiom clause list;
// deduced Horn clauses with one premise to the implications, with several
// premises to the multi-premise clause list. Units are counted, not stored.
// Variables are stored zero-based (v - 1).
class EncodingReader {
public:
    using VariableList = EncodedTBox::VariableList;

    EncodingReader() = delete;

    // Before the first token: a new input, nothing declared.
    static void startOfInput();
    // "p cnf V C": the largest counts of all problem lines hold.
    static void problemLine(uint64_t variables, uint64_t clauses);
    // "c axioms A deduced D": the next block.
    static void totalsLine(uint64_t axiomClauses, uint64_t deducedClauses);
    // The first token after the header (or the end of the input) has been
    // seen: a new implication table, and the header's checks.
    static void endOfHeader();
    // The first token of a clause has been seen.
    static void beforeClause();
    // A variable of a clause; its zero-based index.
    static unsigned long variable(uint64_t v);
    // The premises of a Horn clause, in input order: the first, then each
    // other.
    static void firstPremise(unsigned long v);
    static void premise(unsigned long v);
    // The Horn clause whose premises were given is read whole: its
    // conclusion.
    static void hornClause(unsigned long conclusion);
    // A clause is read whole: the next token may start a clause.
    static void afterClause() { clauseMayStart = true; }
    // Scanner: the text of a Horn clause line (negative literals, one
    // positive literal, 0), taken as one token where a clause may start; its
    // literals are kept for clauseLine.
    static void takeClauseLine(const char* text);
    // Scanner, where a clause may start: a Horn clause line read at once
    // from the text, which ends in a NUL byte at the latest. When the text
    // starts with what the Horn clause line rule takes and that goes on to
    // the line break (the 0 followed by blanks only), its literals are kept
    // for clauseLine and the end of the line (past the break) is returned;
    // otherwise null, and the scanner's rules read the text.
    static const char* readClauseLine(const char* text);
    // Scanner, where a clause may start: the Horn clause lines that
    // readClauseLine reads from the head of the text, each taken as the
    // parser takes the line as one token (the clause counted, its literals
    // given, the next clause allowed) and its line break counted after it.
    // Returns the end of the last line taken (the text when there is none).
    static const char* takeClauseLines(const char* text);
    // The Horn clause of the line taken: its variables checked and its
    // premises and conclusion given in input order, as when read literal by
    // literal.
    static void clauseLine();
    // After the last clause.
    static void endOfInput();

    // Whether the scanner may take a Horn clause line as one token.
    static bool clauseMayStart;

    // The largest variable and clause counts of the problem lines.
    static unsigned long vars;
    static unsigned long cls;
    // Clauses read so far, units included.
    static unsigned long clause_counter;
    // Per block not yet passed: the number of its last axiom clause and of
    // its last clause.
    static std::list<unsigned long> axioms;
    static std::list<unsigned long> clauses;
    // The premises of the Horn clause under way.
    static VariableList premises;
    // The numbers of the Horn clause line taken, in input order (the last
    // one the conclusion).
    static std::vector<uint64_t> lineNumbers;
};

#endif
