#ifndef KORVANE_REASONER_ENCODER_H
#define KORVANE_REASONER_ENCODER_H

#include <cstddef>
#include <cstdio>
#include <list>

#include "model/Concept.h"
#include "model/pool_allocator.h"

// One clause, or one set of variables: signed DIMACS literals.
using LiteralList = std::list<long, pool_allocator<long>>;
// The concept kind behind each literal of a clause, in the same order.
using KindList = std::list<concept_t, pool_allocator<concept_t>>;

// The clause sink: receives the Horn clauses of the terminology and decides
// subsumption queries (a check answers true when the query is satisfiable,
// that is when the subsumption does not hold).
class Encoder {
public:
    enum Kind { BASE = 0, DIMACS = 1, SOLVER = 2 };

    Encoder(FILE* clauses, FILE* header, int kind = BASE) : header(header), clauses(clauses), kind(kind) {}
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
    virtual ~Encoder() = default;

    virtual bool addClause(const LiteralList* literals, const KindList* kinds, unsigned level) = 0;
    // The same clause from an array, without kinds; sinks that need no list
    // take it as it stands.
    virtual bool addClause(const long* literals, std::size_t count);
    virtual bool endEncoding(bool solve, unsigned long variables, unsigned long clauseCount,
                             unsigned long axiomClauses, unsigned long deducedClauses) = 0;
    virtual bool checkSatisfiability(const LiteralList* positives, const LiteralList* negatives,
                                     unsigned long variables, unsigned long clauseCount) = 0;
    virtual bool checkSatisfiability(long sub, long super, unsigned long variables, unsigned long clauseCount) = 0;
    virtual LiteralList* checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions,
                                                        bool refresh, unsigned long variables,
                                                        unsigned long clauseCount) = 0;
    virtual void preparePinpointing(const LiteralList* assumptions) = 0;
    virtual void reportUnsatisfiability() {}

    // Writes "UNSATISFIABLE" and the reason to the clause stream and to
    // standard error, and ends the process.
    [[noreturn]] void abortForUnsatisfiability(const char* message);
    [[noreturn]] void triviallyUnsatisfiable(const char* message);

    // True once a write to either stream has failed (a full disk, a closed pipe).
    bool writeFailed();
    // Writes out whatever the sink still holds back for its streams.
    virtual void flushPending() {}

    int getKind() const { return kind; }
    FILE* getClauseStream() const { return clauses; }
    FILE* getHeaderStream() const { return header; }

protected:
    FILE* header;
    FILE* clauses;
    int kind;
};

#endif
