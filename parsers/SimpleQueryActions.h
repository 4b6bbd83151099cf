#ifndef KORVANE_PARSERS_SIMPLEQUERYACTIONS_H
#define KORVANE_PARSERS_SIMPLEQUERYACTIONS_H

class Concept;

// The two actions of the simple-query grammar that differ between the
// programs. The grammar is the same for every program; it runs the actions
// that the program installed before parsing: the library's
// (reasoner/EncodedQueryActions.h) answer through the EncodedTBox's axiom
// assumptions, the classifier's (classifier/ClassifierQueryActions.h)
// through the terminology's own. Both build on SimpleQueryLoop.
class SimpleQueryActions {
public:
    virtual ~SimpleQueryActions() = default;

    // Once, before the first token of the input is read: the start check, the
    // input context and streams, and with pinpointing the hand-over of the
    // axiom assumptions to the sink. The grammar writes the prompt after it.
    virtual void startOfInput() = 0;

    // (subsumes? a b): decides whether b ⊑ a and prints the answer. Runs as
    // soon as the closing parenthesis has been read; the grammar writes the
    // prompt after it.
    virtual void answerQuery(Concept* a, Concept* b) = 0;

    // The actions that the grammar runs from now on (not owned).
    static void install(SimpleQueryActions* actions);
    // The installed actions; parsing queries with none installed is a fault
    // of the program, which ends the process.
    static SimpleQueryActions& installed();

private:
    static SimpleQueryActions* current;
};

#endif
