#include "reasoner/TBox.h"

bool LibraryTBox::full_encoding = false;
bool LibraryTBox::save_pinpointing_info = false;

LibraryTBox::~LibraryTBox()
{
    delete pendingDeducedAxioms;
}
