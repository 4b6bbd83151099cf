#ifndef KORVANE_MODEL_LIBRARYAXIOMSTATE_H
#define KORVANE_MODEL_LIBRARYAXIOMSTATE_H

// What a GCI carries in the library's build (see ModelBuild.h): nothing
// beyond the model's own members.
class LibraryAxiomState {};

#endif
