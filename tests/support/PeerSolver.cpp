#include "support/PeerSolver.h"

#include <cstdlib>
#include <sstream>
#include <unistd.h>

#include "support/ProcessRunner.h"

std::string peerProgram(const std::string& name)
{
    const char* override = name == "picosat" ? std::getenv("KORVANE_PICOSAT") : nullptr;
    if (override != nullptr && access(override, X_OK) == 0)
        return override;
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return "";
}

bool peerAvailable(const std::string& command)
{
    return !peerProgram(command.substr(0, command.find(' '))).empty();
}

int runPeerSolver(const std::string& solver, const std::vector<const std::string*>& cnf)
{
    std::istringstream words(solver);
    std::vector<std::string> argv;
    for (std::string word; words >> word;)
        argv.push_back(word);
    if (argv.empty() || (argv[0] = peerProgram(argv[0])).empty())
        return -1;
    ProcessSetup setup;
    setup.inputPieces = cnf;
    setup.outputPath = "/dev/null";
    setup.errorPath = "/dev/null";
    int status = runProgramWith(argv, setup).status;
    return status == 10 || status == 20 ? status : -1;
}

int runPeerSolver(const std::string& solver, const std::string& cnf)
{
    return runPeerSolver(solver, std::vector<const std::string*>{&cnf});
}
