#ifndef KORVANE_PARSERS_SIMPLEQUERYACTIONS_H
#define KORVANE_PARSERS_SIMPLEQUERYACTIONS_H

class Concept;

// The two actions of the simple-query grammar that differ between the
// programs. The grammar is the same in every build; each build links exactly
// one definition of these operations: the library's (SimpleQueryActions.cpp,
// library build only) answers through the EncodedTBox's axiom assumptions,
// the classifier brings its own. Both build on SimpleQueryLoop.
class SimpleQueryActions {
public:
    SimpleQueryActions() = delete;

    // Once, before the first token of the input is read: the start check, the
    // input context and streams, and with pinpointing the hand-over of the
    // axiom assumptions to the sink. The grammar writes the prompt after it.
    static void startOfInput();

    // (subsumes? a b): decides whether b ⊑ a and prints the answer. Runs as
    // soon as the closing parenthesis has been read; the grammar writes the
    // prompt after it.
    static void answerQuery(Concept* a, Concept* b);
};

#endif
