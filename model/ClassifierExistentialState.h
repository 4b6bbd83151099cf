#ifndef KORVANE_MODEL_CLASSIFIEREXISTENTIALSTATE_H
#define KORVANE_MODEL_CLASSIFIEREXISTENTIALSTATE_H

// What an existential restriction carries beside its concept state in the
// classifier's build (see ModelBuild.h): nothing, and no reactions.
class DeductionNotes;

class ClassifierExistentialState {
public:
    template <typename E, typename C>
    void subsumeeAdded(E& /*self*/, C* /*c*/, DeductionNotes& /*notes*/)
    {
    }
    template <typename E>
    void stampPropagated(E& /*self*/, int /*it*/)
    {
    }
    void clearSpecific() {}
};

#endif
