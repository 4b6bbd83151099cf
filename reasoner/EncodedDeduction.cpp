#include "reasoner/EncodedDeduction.h"

void* EncodedDeduction::operator new(std::size_t)
{
    return pool_allocator<EncodedDeduction>().allocate(1);
}

void EncodedDeduction::operator delete(void* record) noexcept
{
    pool_allocator<EncodedDeduction>().deallocate(static_cast<EncodedDeduction*>(record), 1);
}

EncodedDeduction* EncodedDeduction::axiom(int index, int originalNumber)
{
    EncodedDeduction* d = new EncodedDeduction();
    d->isAxiom = true;
    d->inOriginalEncoding = true;
    d->done = true;
    d->index = index;
    d->originalNumber = originalNumber;
    return d;
}

EncodedDeduction* EncodedDeduction::derivation(int index, Dependencies* dependencies, bool saved)
{
    EncodedDeduction* d = new EncodedDeduction();
    d->inOriginalEncoding = saved;
    d->index = index;
    d->dependencies = dependencies;
    return d;
}

EncodedDeduction::~EncodedDeduction()
{
    delete dependencies;
}

void EncodedDeduction::clearDependencies()
{
    delete dependencies;
    dependencies = nullptr;
}
