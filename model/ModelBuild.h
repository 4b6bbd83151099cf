#ifndef KORVANE_MODEL_MODELBUILD_H
#define KORVANE_MODEL_MODELBUILD_H

// The model and the terminology store are compiled twice from the same
// sources. The library build (used by the incremental classifier and the
// pinpoint-encoder) keeps the deduction state of the completion-based
// classification on its concepts and roles (one member each: ConceptDeduction,
// ChainedConclusions for existentials, RoleDeduction); its rules are in
// reasoner/rules/. The classifier's build is the same code compiled with
// KORVANE_CLASSIFIER_MODEL defined: in place of that deduction state its
// objects carry what the classification with on-the-fly encoding and the
// normalisation with provenance need; its rules are in classifier/rules/.
//
// What differs between the builds, and how:
// - members that exist in one build only sit in an
//   "#ifdef KORVANE_CLASSIFIER_MODEL" block of their class;
// - operations that exist in one build only, or have one body per build
//   (normalizeTBox, normalizeConceptFW/BW), are
//   defined in the sources that CMakeLists.txt lists for that build alone:
//   KORVANE_LIBRARY_ONLY_SOURCES (reasoner/, model/*Deduction*, the readers
//   of stored files) and KORVANE_CLASSIFIER_ONLY_SOURCES (classifier/);
// - the simple-query actions (parsers/SimpleQueryActions.h) are an object
//   that each program installs: the library's EncodedQueryActions, the
//   classifier's ClassifierQueryActions, each in its build's source list.

#endif
