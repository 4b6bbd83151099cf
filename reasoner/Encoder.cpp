#include "reasoner/Encoder.h"

#include <cstdlib>

void Encoder::abortForUnsatisfiability(const char* message)
{
    FILE* out = clauses != nullptr ? clauses : stdout;
    std::fputs("UNSATISFIABLE\n", out);
    if (message != nullptr)
        std::fprintf(out, "%s\n", message);
    std::exit(-1);
}

void Encoder::triviallyUnsatisfiable(const char* message)
{
    reportUnsatisfiability();
    abortForUnsatisfiability(message);
}

bool Encoder::writeFailed() const
{
    return (clauses != nullptr && std::ferror(clauses)) || (header != nullptr && std::ferror(header));
}
