#ifndef KORVANE_REASONER_TBOX_H
#define KORVANE_REASONER_TBOX_H

// The terminology of this build: what both builds share (TBoxCore) and the
// build's own class derived from it, which model/ModelBuild.h names TBox.
#include "model/ModelBuild.h"
#include "reasoner/TBoxCore.h"
#include KORVANE_BUILD_TBOX_HEADER

#endif
