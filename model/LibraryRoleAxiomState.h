#ifndef KORVANE_MODEL_LIBRARYROLEAXIOMSTATE_H
#define KORVANE_MODEL_LIBRARYROLEAXIOMSTATE_H

#include <cstddef>

// What a role axiom carries in the library's build (see ModelBuild.h): for a
// chain of two roles r1 ∘ r2, whether r1 and r2 know of it (r1 tells r2 of
// new existentials over it, r2 counts r1 among its chain predecessors), and
// how far it has read r2's list of new existentials over its predecessors
// in the current classification run, which every chain ending in r2 reads
// on its own.
class LibraryRoleAxiomState {
public:
    bool chainLinked = false;
    std::size_t pendingRelatedRead = 0;
};

#endif
