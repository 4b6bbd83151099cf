#ifndef KORVANE_TESTS_PROCESSRUNNER_H
#define KORVANE_TESTS_PROCESSRUNNER_H

#include <string>
#include <vector>

// What a program run left behind: its exit status (128 + signal number when
// a signal ended it) and everything it wrote.
struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with the given arguments (argv[0] is the program's path),
// feeding it `input` on standard input through a pipe, or with no standard
// input at all when `closedInput` is set; in `workingDirectory` when one is
// given.
ProcessResult runProgram(const std::vector<std::string>& argv, const std::string& input = "",
                         bool closedInput = false, const std::string& workingDirectory = "");

// How runProgramWith starts a program, beyond what runProgram offers.
struct ProcessSetup {
    std::string input;  // fed on standard input through a pipe
    bool closedInput = false;
    std::string workingDirectory;
    // Standard output is a pipe read into ProcessResult::out, unless it is
    // closed or, with outputPath, that file opened for writing (such as
    // /dev/full).
    bool closedOutput = false;
    std::string outputPath;
    unsigned timeLimitSeconds = 0;        // > 0: SIGALRM ends the program after so many seconds
    unsigned long memoryLimitBytes = 0;  // > 0: the program's address space is limited to so many bytes
};

ProcessResult runProgramWith(const std::vector<std::string>& argv, const ProcessSetup& setup);

// Runs a program whose standard input and standard output are a
// pseudo-terminal (without echo), typing `input` line by line; standard error
// stays a pipe.
ProcessResult runInTerminal(const std::vector<std::string>& argv, const std::string& input);

// The text of a file, or "" when it cannot be read.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

// A fresh directory under /tmp for one test's files.
std::string makeTempDir();

#endif
