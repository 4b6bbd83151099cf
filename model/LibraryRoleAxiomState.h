#ifndef KORVANE_MODEL_LIBRARYROLEAXIOMSTATE_H
#define KORVANE_MODEL_LIBRARYROLEAXIOMSTATE_H

// What a role axiom carries in the library's build (see ModelBuild.h):
// nothing beyond the model's own members.
class LibraryRoleAxiomState {};

#endif
