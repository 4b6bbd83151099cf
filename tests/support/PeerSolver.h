#ifndef KORVANE_TESTS_PEERSOLVER_H
#define KORVANE_TESTS_PEERSOLVER_H

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Runs an independent SAT solver on a DIMACS text: 10 satisfiable,
// 20 unsatisfiable, anything else an error (the solver rejected the file or
// is missing).
inline int runPeerSolver(const std::string& solver, const std::string& cnf)
{
    char path[] = "/tmp/korvane-peer-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return -1;
    FILE* f = fdopen(fd, "w");
    std::fwrite(cnf.data(), 1, cnf.size(), f);
    std::fclose(f);
    std::string command = solver + " " + path + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    unlink(path);
    if (status == -1 || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

inline bool peerAvailable(const std::string& solver)
{
    std::string command = "command -v " + solver + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

#endif
