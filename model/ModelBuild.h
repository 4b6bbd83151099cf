#ifndef KORVANE_MODEL_MODELBUILD_H
#define KORVANE_MODEL_MODELBUILD_H

// The model and the terminology store are compiled twice from the same
// sources, and this header is where the two builds part:
//
//   library build (korvane_core)        classifier build (korvane_core_classifier,
//                                         compiled with KORVANE_CLASSIFIER_MODEL)
//   completion-based classification     classification with on-the-fly encoding
//   rules in reasoner/rules/            and normalisation with provenance,
//                                       rules in classifier/rules/
//
// Each model class takes what only one build keeps on it from a base class
// that the aliases below select; the members keep their names, so the code
// of each build reads them as members of the model class:
//
//   model class        library build              classifier build
//   Concept            LibraryConceptState        ClassifierConceptState
//                      (deduction)                (subsumerIndex, assertions,
//                                                  lhsAxioms)
//   ExistentialRestr   LibraryExistentialState    ClassifierExistentialState
//                      (chaining)                 (nothing)
//   Role               LibraryRoleState           ClassifierRoleState
//                      (deduction)                (roleAxioms, existentialLhs)
//   Axiom              LibraryAxiomState          ClassifierAxiomState
//                      (nothing)                  (originalIds, generatedFrom,
//                                                  selector)
//   RoleAxiom          LibraryRoleAxiomState      ClassifierRoleAxiomState
//                      (chainLinked,              (selector)
//                       pendingRelatedRead,
//                       chainMerges)
//
// The terminology store is the other way round: what both builds share is
// TBoxCore (reasoner/TBoxCore.h), and TBox names the build's class derived
// from it, LibraryTBox (reasoner/LibraryTBox.h) or ClassifierTBox
// (classifier/ClassifierTBox.h), which holds that build's normalisation
// (normalizeTBox, normalizeConceptFW/BW), classification and tables; the
// definitions in the build's sources are members of that class. A shared
// operation that differs in one detail asks the build's class (the axiom
// dump's numbers: TBox::numbersAxiomDump).
//
// A model operation whose behaviour differs between the builds has one body,
// in the model class, which hands over to its build's state class (the
// reactions of a concept to a new subsumee, the log of changed stamps, what
// an existential frees). The query actions of the simple-query loop are an
// object that each program installs (parsers/SimpleQueryActions.h).
//
// CMakeLists.txt lists, beside the sources of both builds, each build's own:
// the sources of its state classes, of its TBox class and of its
// classification.

#ifdef KORVANE_CLASSIFIER_MODEL
#include "model/ClassifierAxiomState.h"
#include "model/ClassifierConceptState.h"
#include "model/ClassifierExistentialState.h"
#include "model/ClassifierRoleAxiomState.h"
#include "model/ClassifierRoleState.h"
using ConceptBuildState = ClassifierConceptState;
using ExistentialBuildState = ClassifierExistentialState;
using RoleBuildState = ClassifierRoleState;
using AxiomBuildState = ClassifierAxiomState;
using RoleAxiomBuildState = ClassifierRoleAxiomState;
class ClassifierTBox;
using TBox = ClassifierTBox;
#define KORVANE_BUILD_TBOX_HEADER "classifier/ClassifierTBox.h"
#else
#include "model/LibraryAxiomState.h"
#include "model/LibraryConceptState.h"
#include "model/LibraryExistentialState.h"
#include "model/LibraryRoleAxiomState.h"
#include "model/LibraryRoleState.h"
using ConceptBuildState = LibraryConceptState;
using ExistentialBuildState = LibraryExistentialState;
using RoleBuildState = LibraryRoleState;
using AxiomBuildState = LibraryAxiomState;
using RoleAxiomBuildState = LibraryRoleAxiomState;
class LibraryTBox;
using TBox = LibraryTBox;
#define KORVANE_BUILD_TBOX_HEADER "reasoner/LibraryTBox.h"
#endif

#endif
