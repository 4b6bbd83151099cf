#include "QueryTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "ParserTestSupport.h"
#include "parsers/el_krss_g_query_simple.h"

namespace korvane_test {

int parseQueries(const std::string& text)
{
    return parseFrom(text, simplequeryyyin, simplequeryyyparse);
}

void parseQueriesFromStandardInput()
{
    simplequeryyyin = stdin;
    simplequeryyyparse();
}

namespace {

std::string contents(FILE* f)
{
    std::string text;
    std::rewind(f);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    return text;
}

}

ChildRun runWithStandardInput(const std::string& input, const std::function<void()>& body)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("cannot make a pipe");
    // The input fits in the pipe's buffer, so it can be written before the child reads.
    if (write(pipeEnds[1], input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        throw std::runtime_error("cannot fill the pipe");
    close(pipeEnds[1]);
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    std::fflush(nullptr);

    pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("cannot fork");
    if (child == 0) {
        dup2(pipeEnds[0], STDIN_FILENO);
        dup2(fileno(out), STDOUT_FILENO);
        dup2(fileno(err), STDERR_FILENO);
        close(pipeEnds[0]);
        body();
        std::fflush(nullptr);
        _exit(0);
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ChildRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = contents(out);
    run.err = contents(err);
    std::fclose(out);
    std::fclose(err);
    return run;
}

} // namespace korvane_test
