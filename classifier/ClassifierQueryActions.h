#ifndef KORVANE_CLASSIFIER_CLASSIFIERQUERYACTIONS_H
#define KORVANE_CLASSIFIER_CLASSIFIERQUERYACTIONS_H

#include "parsers/SimpleQueryActions.h"

// The classifier's query actions: the selectors handed to the sink are the
// terminology's own assumption list, the pinpointed variables are mapped back
// by the terminology, and queries are not echoed.
class ClassifierQueryActions : public SimpleQueryActions {
public:
    void startOfInput() override;
    void answerQuery(Concept* a, Concept* b) override;
};

#endif
