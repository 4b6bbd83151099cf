#ifndef KORVANE_PARSERS_COMPLEXQUERIES_H
#define KORVANE_PARSERS_COMPLEXQUERIES_H

#include <list>
#include <utility>

#include "model/Concept.h"
#include "model/timer.h"
#include "reasoner/TBox.h"

// The actions of the complex-query language. Each query's concepts are
// brought into the normal form while the file is read: the subsumer C of
// (subsumes? C D) in the forward form, named by X with C ⊑ X, the subsumee D
// in the backward form, named by Y with Y ⊑ D, so that D ⊑ C follows exactly
// when Y ⊑ X does. At the end of the input the terminology is classified
// again when a query added an inclusion, encoded again when a query added
// anything, and every recorded query is decided in input order.
class ComplexQueries {
public:
    ComplexQueries() = delete;

    // Before the first token: the input context (or the warning that the
    // terminology is not encoded), the flags and the stopwatch.
    static void startOfInput();
    // After the scanner's end-of-input report: classification and encoding
    // when needed, the answers and the timing lines.
    static void endOfInput();
    // (subsumes? c d): normalises both sides and records the pair of names.
    static void recordQuery(Concept* c, Concept* d);

    // The concept of a name (taken over and freed): its normal-form equal,
    // the terminology's concept of that name, or a new atomic concept.
    static Concept* conceptByName(char* name);
    // A conjunction over the flattened list (taken over), its operands met
    // before replaced by their forward names (forward) or their backward
    // normal forms; the single operand of a one-element list.
    static Concept* conjunction(ConceptList* operands, bool forward);
    // The shared ∃role.filler over the filler's forward (or backward) name
    // where it has one; the role name is taken over and freed.
    static Concept* existential(char* roleName, Concept* filler, bool forward);

    // The variant of the name lookup that receives the atomic concept already
    // made for the name: a known name deletes it and counts one more
    // occurrence of its own concept, a new one shares and enters it.
    static Concept* q_getConceptByName(const char* name, Concept* made);

    // The parser's detailed message, posted unchanged.
    [[noreturn]] static void syntaxError(const char* message);

    // A query concept brought new normal-form concepts or names.
    static bool need_encoding;
    // A query added an inclusion: the terminology is classified again.
    static bool need_deduction;
    // (subsumee's name, subsumer's name) per query, in input order.
    static std::list<std::pair<Concept*, Concept*>> queries;
    static timer global_timer;

private:
    // A conjunction becomes its shared equal (the normal-form one if any).
    static Concept* settle(Concept* x);
    // The normal form of one side of a query, named on that side, and the
    // flags it calls for.
    static Concept* normalizeSide(Concept* x, bool forward);
    // The name of x on the given side (x itself when atomic), with the
    // inclusion that defines it on that side: x ⊑ name forward, name ⊑ x
    // backward; sets the flags when that inclusion or the name is new.
    static Concept* definedName(Concept* x, bool forward);
    // Classifies the terminology again, incrementally when it was classified
    // and encoded before; the deduced list then holds only what the
    // encoding lacks.
    static void classifyAgain();
};

#endif
