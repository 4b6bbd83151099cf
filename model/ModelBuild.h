#ifndef KORVANE_MODEL_MODELBUILD_H
#define KORVANE_MODEL_MODELBUILD_H

// The model and the terminology store are compiled twice from the same
// sources. The library build (used by the incremental classifier and the
// pinpoint-encoder) keeps the deduction state of the completion-based
// classification on its concepts and roles (one member each: ConceptDeduction,
// ChainedConclusions for existentials, RoleDeduction); its rules are in
// reasoner/rules/. The classifier's build is the
// same code compiled with KORVANE_CLASSIFIER_MODEL defined: in place of that
// deduction state its objects carry what the classification with on-the-fly
// encoding and the normalisation with provenance need. Every member or
// operation that exists in only one build sits in an
// "#ifdef KORVANE_CLASSIFIER_MODEL" block of its class; nothing else differs.

#endif
