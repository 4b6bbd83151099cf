#ifndef KORVANE_SOLVER_SIMPSOLVER_H
#define KORVANE_SOLVER_SIMPSOLVER_H

#include <cstdint>
#include <cstdio>

#include "solver/ElimLt.h"
#include "solver/Solver.h"

// The solver with clause-database simplification before the search: bounded
// variable elimination by clause distribution, backward subsumption and
// self-subsuming resolution (strengthening) driven by a queue of changed
// clauses, and two optional techniques, off by default (asymmetric branching
// and a redundancy check on added clauses).
//
// An eliminated variable keeps the clauses removed with it; after a
// satisfiable answer extendModel gives it a value that satisfies them. An
// eliminated variable that appears again, in a new clause or among the
// assumptions of any later solve, is brought back with its clauses first
// (remember), so a query is never answered without the clauses of the
// variables it assumes; this holds after simplification was switched off
// too. Variables that the caller will assume can also be frozen for good.
//
// The sources are split by job: SimpSolver.cpp (construction, variables,
// clauses, solve), SimpSolverSubsumption.cpp (the queue, backward
// subsumption, strengthening), SimpSolverElimination.cpp (elimination,
// remember, model extension) and SimpSolverDiagnostics.cpp.
class SimpSolver : public Solver {
public:
    SimpSolver();
    ~SimpSolver() override;

    // Parameters.
    int growthAllowance;       // an elimination may produce up to (clauses removed + this) resolvents
    bool asymmetricBranching;  // asymmetric branching on a variable's clauses before eliminating it
    bool redundancyCheck;      // skip added clauses that propagation already implies
    // A satisfiable answer's model is extended to the eliminated variables
    // (on by default). Off, their entries stay undefined: for a caller that
    // reads only the answer or the final conflict, the walk over every
    // stored clause at each solve is saved.
    bool modelExtension;

    // Statistics.
    int mergeCount;              // resolvent computations
    int asymmetricLiteralCount;  // literals removed by asymmetric branching
    int rememberedClauseCount;   // clauses brought back by remember

    // As the base, plus the simplification entries of the new variable.
    int newVar(double activity = 0.0, bool sign = true, bool decision = true);
    // Adds a problem clause (bringing back the eliminated variables it
    // names) and indexes it while simplification is on.
    bool addClause(vec<Lit>& ps);

    // Simplifies first when doSimp is set and simplification is still on
    // (freezing the assumption variables meanwhile; with turnOffSimp it is
    // switched off for good afterwards), then solves under assumps with the
    // full search; over Horn clauses a search whose assumptions stand without
    // conflict ends at once on the model that its negative decisions would
    // reach. Eliminated assumption variables are always brought back before
    // the search. A satisfiable answer's model covers the eliminated
    // variables too, unless modelExtension is off.
    bool solve(const vec<Lit>& assumps, bool doSimp = true, bool turnOffSimp = false);

    // The simplification loop; with turnOff simplification is switched off
    // for good at its end. False when the clause set is unsatisfiable.
    bool eliminate(bool turnOff = false);

    // Freezing: a frozen variable is never eliminated. freeze brings v back
    // first when it is already eliminated.
    void freeze(int v);
    void unfreeze(int v) { frozen[v] = 0; }
    bool isFrozen(int v) const { return v < frozen.size() && frozen[v] != 0; }
    bool isEliminated(int v) const { return v < eliminationTable.size() && eliminationTable[v].order != 0; }
    bool simplificationOn() const { return useSimplification; }

    // Whether propagation from the negations of c's literals gives a
    // conflict (so c is implied); false at once when a literal is true.
    bool implied(const vec<Lit>& c);

    // Diagnostics.
    // Checks model against the clauses stored with the eliminated variables.
    void verifyModel();
    // Writes the simplified clause set (satisfied clauses left out, false
    // literals dropped) as DIMACS to file.
    void toDimacs(const char* file);
    void toDimacs(FILE* f, Clause& c);

protected:
    struct ElimData {
        int order;                     // 0: not eliminated; else its place in the elimination sequence
        vec<Clause*> eliminatedClauses;  // the clauses removed with it, owned once the clean-up dropped them
    };

    // An entry of an occurrence list: the clause and its signature, the OR
    // of 1 << (var AND 63) over its literals when it was indexed (finer than
    // the clause's own 32-bit abstraction). A clause can subsume or
    // strengthen only a clause that has all of its variables; strengthening
    // only drops literals, so a signature never lacks a bit of the clause as
    // it is now, and a candidate whose signature lacks one of the subsuming
    // clause's bits is passed over without reading it.
    struct Occurrence {
        Clause* clause;
        uint64_t signature;
    };
    static uint64_t signature(const Clause& c);

    // Clauses to use for backward subsumption, first in first out.
    class ClauseQueue {
    public:
        int size() const { return elems.size() - head; }
        void insert(Clause* c) { elems.push(c); }
        Clause* peek() const { return elems[head]; }
        // Takes the first entry; the storage restarts once the queue is
        // empty, so no entry taken before can be reached again.
        void pop() {
            if (++head == elems.size()) clear();
        }
        Clause* operator[](int i) const { return elems[head + i]; }
        void clear(bool dealloc = false) {
            elems.clear(dealloc);
            head = 0;
        }

    private:
        vec<Clause*> elems;
        int head = 0;
    };

    int nextEliminationOrder;
    bool useSimplification;
    vec<ElimData> eliminationTable;
    // Every elimination in turn (variable, its order number): the model
    // extension walks it backwards. An entry whose variable was brought back
    // (or eliminated again later) no longer matches the table and is passed
    // over; such entries are dropped once they are the majority.
    vec<int> eliminationSequence;
    vec<int> eliminationSequenceOrders;
    vec<char> touched;
    vec<vec<Occurrence> > occurrences;
    // Whether the occurrence lists are kept: only the simplification reads
    // them, so the first one builds them at once from the problem clauses
    // (every one of which was added while simplification was on), in the
    // order in which they were added.
    bool occurrencesIndexed;
    // Per variable: the entries of its occurrence list whose clause is
    // removed (mark 1 or 3). A purge reads the clauses of a list only while some
    // are left to drop.
    vec<int> removedOccurrences;
    vec<int> occurrenceCounts;
    Heap<ElimLt> eliminationHeap;
    ClauseQueue subsumptionQueue;
    vec<char> frozen;
    // By literal code: the watch list still holds removed clauses, which
    // purgeWatches drops (order kept) before they are freed.
    vec<char> staleWatches;
    vec<int> staleWatchCodes;
    int unitCursor;
    Clause* scratchUnit;

    // Clause database while simplifying.
    void removeClause(Clause& c);
    // Frees a clause of the elimination table, or leaves it to the clean-up
    // or the destructor while the problem clauses still list it.
    void releaseStored(Clause* c);
    bool strengthenClause(Clause& c, Lit l);
    bool backwardSubsumptionCheck(bool verbose);
    void gatherTouchedClauses();
    void cleanUpClauses();
    void purgeOccurrences(int v);
    // Builds the occurrence lists of all problem clauses.
    void indexOccurrences();
    // The clauses of v's occurrence list, in list order, into out.
    void occurringClauses(int v, vec<Clause*>& out) const;
    void purgeWatches();
    void updateElimHeap(int v) {
        if (!isEliminated(v)) eliminationHeap.update(v);
    }

    // Elimination.
    bool merge(const Clause& ps, const Clause& qs, int v, vec<Lit>& out);
    bool merge(const Clause& ps, const Clause& qs, int v);
    bool asymm(int v, Clause& c);
    bool asymmVar(int v);
    bool eliminateVar(int v, bool fail = false);
    void remember(int v);
    void extendModel();
    // Drops the entries of eliminationSequence that no longer match the table.
    void compactEliminationSequence();

private:
    // The resolvent of ps and qs on v into out (when not null); false when it
    // is a tautology. The shorter clause is scanned (qs for equal sizes).
    bool resolve(const Clause& ps, const Clause& qs, int v, vec<Lit>* out);
    void clearSimplification();
};

#endif
