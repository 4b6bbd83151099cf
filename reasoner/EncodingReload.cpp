// The rebuild of a normalised and classified terminology from a stored
// encoding and its normalisation map (library build).
//
// Not built yet: the run ends with an error instead of going on with a
// terminology that was never rebuilt.
#include "model/ParserManager.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

TBox::DeducedList* TBox::normalizationAndDeductionFromEncoding(EncodedTBox& /*encoded*/)
{
    ParserManager::getInstance()->argError(
        "ERROR! Reloading a terminology from a stored encoding is not available yet");
}
