// reasoner/: the terminology store and what is done with it. TBoxCore holds
// what both builds share: the concept and role DAGs, the axioms, the normal
// form and the encoding state, with insertion and DAG sharing (TBoxCore.cpp),
// queries (TBoxQueries.cpp), the side files and listings (TBoxListings.cpp,
// writing the map in the form of NormalizationMapForm, through the record of
// the axioms written so far, WrittenAxioms) and the behaviour flags
// (TBoxFlags.cpp). TBox names the build's class derived from it; the library
// build's is LibraryTBox (the classifier's, ClassifierTBox, is in
// classifier/): normalisation (TBoxNormalization.cpp), encoding
// (TBoxEncoding.cpp), the pinpointing information (TBoxPinpointing.cpp,
// PinpointingRecords), the deduction dump (TBoxDumps.cpp) and the
// completion-based classification: its seeds (DeductionPreparation.cpp,
// IncrementalPreparation.cpp for an increment), its loop (DeductionLoop.cpp,
// PassCandidates) and one completion rule per file in rules/. The EncodedTBox,
// also of the library build only, holds what is read back from files: the
// pinpointing records (EncodedDeduction, found by SubsumptionPairIndex), the
// axiom assumptions and control clauses (EncodedTBoxAssumptions.cpp,
// EncodedTBoxControl.cpp) and a stored encoding, from which EncodingReload.cpp
// rebuilds a classified terminology; EncodedQueryActions answers the library
// programs' simple queries. Encoder is the interface of every clause sink.

#ifndef KORVANE_REASONER_TBOX_H
#define KORVANE_REASONER_TBOX_H

// The terminology of this build: what both builds share (TBoxCore) and the
// build's own class derived from it, which model/ModelBuild.h names TBox.
#include "model/ModelBuild.h"
#include "reasoner/TBoxCore.h"
#include KORVANE_BUILD_TBOX_HEADER

#endif
