#include "reasoner/Encoder.h"

#include <cstdlib>

bool Encoder::addClause(const long* literals, std::size_t count)
{
    LiteralList clause(literals, literals + count);
    return addClause(&clause, nullptr, 0);
}

void Encoder::abortForUnsatisfiability(const char* message)
{
    flushPending();
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

bool Encoder::writeFailed()
{
    flushPending();
    return (clauses != nullptr && std::ferror(clauses)) || (header != nullptr && std::ferror(header));
}
