#ifndef KORVANE_REASONER_RELOADEDNAMES_H
#define KORVANE_REASONER_RELOADEDNAMES_H

class TBoxCore;

// The names that normalisation gave the complex concepts of a normal form
// rebuilt from a stored encoding, as far as its GCIs show them, so that a
// later normalisation (a query's, above all) finds them as the run that
// wrote the encoding left them. A name is given back only with the
// inclusion that defines it where that run could have used it without one
// (see restore), and the mark that a naming inclusion was made only with
// the inclusion: where a concept has no name, a later normalisation makes
// the name and its inclusion.
class ReloadedNames {
public:
    ReloadedNames() = delete;

    // Over the GCIs of the normal form, each fresh concept N:
    // - C ⊑ N names the complex concept C forward;
    // - N ⊑ D, N's only GCI on the left, names the complex concept D
    //   backward;
    // - N ⊑ T1, ..., N ⊑ Tk (k ≥ 2) names backward the conjunction of the
    //   Ti, each Ti that is itself a backward name standing for its
    //   concept: the conjunction that backward normalisation put into the
    //   normal form (made again here);
    // a fresh concept that names a complex concept forward names no other
    // backward (it is the cut of a GCI between two complex sides, which
    // stands for the left side only);
    // of several names of one concept and direction the one that the
    // writing run made first. Where names stand for equivalences, an
    // existential over a name, top or bottom (its own normal form in the
    // ontology) had one name for both directions: it gets its name in the
    // other direction as well, where that direction never normalised it.
    static void restore(TBoxCore* tbox);
};

#endif
