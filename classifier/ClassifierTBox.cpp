#include "reasoner/TBox.h"

ClassifierTBox::~ClassifierTBox()
{
    delete encodingMap;
}
