#ifndef KORVANE_TESTS_PROCESSRUNNER_H
#define KORVANE_TESTS_PROCESSRUNNER_H

#include <functional>
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
    // Fed after `input`, in order, without a copy (large inputs); the texts
    // must outlive the run.
    std::vector<const std::string*> inputPieces;
    bool closedInput = false;
    std::string workingDirectory;
    // Standard output is a pipe read into ProcessResult::out, unless it is
    // closed or, with outputPath, that file opened for writing (created when
    // missing; such as /dev/full or /dev/null).
    bool closedOutput = false;
    std::string outputPath;
    // Standard error is a pipe read into ProcessResult::err, unless errorPath
    // names a file for it.
    std::string errorPath;
    unsigned timeLimitSeconds = 0;        // > 0: SIGALRM ends the program after so many seconds
    unsigned long memoryLimitBytes = 0;  // > 0: the program's address space is limited to so many bytes
};

// A program named without a slash is looked up on the PATH. Safe to call
// from several threads at once: no run's descriptors reach another run.
ProcessResult runProgramWith(const std::vector<std::string>& argv, const ProcessSetup& setup);

// Runs `body` in a child process of this one, set up as runProgramWith sets
// up a program; the child ends with the status `body` returns.
ProcessResult runInChild(const std::function<int()>& body, const ProcessSetup& setup = {});

// Runs a program whose standard input and standard output are a
// pseudo-terminal (without echo), typing `input` line by line; standard error
// stays a pipe.
ProcessResult runInTerminal(const std::vector<std::string>& argv, const std::string& input);

// The lines of a text, without their line ends (a last line without one
// counts too).
std::vector<std::string> lines(const std::string& text);

// The text of a file, or "" when it cannot be read.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

// A fresh directory under /tmp for one test's files (std::runtime_error when
// none can be made).
std::string makeTempDir();

// A directory of scratch files, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path(const std::string& name) const { return dir + "/" + name; }
    // Writes the file and returns its path.
    std::string write(const std::string& name, const std::string& text) const;
    std::string read(const std::string& name) const { return readFile(path(name)); }
    bool exists(const std::string& name) const;
    // The names of the files in the directory, sorted.
    std::vector<std::string> files() const;

    const std::string dir;
};

#endif
