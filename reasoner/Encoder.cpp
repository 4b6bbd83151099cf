#include "reasoner/Encoder.h"

#include <cstdlib>

bool Encoder::addClause(const long* literals, std::size_t count)
{
    LiteralList clause(literals, literals + count);
    return addClause(&clause, nullptr, 0);
}

namespace {

void sayUnsatisfiable(FILE* stream, const char* message)
{
    std::fputs("UNSATISFIABLE\n", stream);
    if (message != nullptr)
        std::fprintf(stream, "%s\n", message);
}

} // namespace

// The answer goes to the clause stream, where the answers of a solving sink
// go, and to standard error, so that a run whose clause stream is a file or
// /dev/null still says why it failed.
void Encoder::abortForUnsatisfiability(const char* message)
{
    flushPending();
    FILE* out = clauses != nullptr ? clauses : stdout;
    sayUnsatisfiable(out, message);
    if (out != stderr)
        sayUnsatisfiable(stderr, message);
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
