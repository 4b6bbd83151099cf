#include "encoders/ClauseWriter.h"

ClauseWriter::ClauseWriter(FILE* out) : out(out), storage(new char[Capacity]), buffer(storage.get()), end(buffer) {}

ClauseWriter::~ClauseWriter()
{
    flush();
}

void ClauseWriter::flush()
{
    if (out != nullptr && end != buffer)
        std::fwrite(buffer, 1, static_cast<std::size_t>(end - buffer), out);
    end = buffer;
}
