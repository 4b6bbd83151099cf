#ifndef KORVANE_MODEL_DEDUCEDLIST_H
#define KORVANE_MODEL_DEDUCEDLIST_H

#include <utility>
#include <vector>

class Concept;

// The subsumptions (subsumee, subsumer) a classification derived, in the
// order of their derivation: what the lists' merges report and what the
// terminology encodes after a run. Both builds of the terminology store
// name it; only the library's model fills it.
using DeducedList = std::vector<std::pair<Concept*, Concept*>>;

#endif
