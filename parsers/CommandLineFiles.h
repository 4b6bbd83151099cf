#ifndef KORVANE_PARSERS_COMMANDLINEFILES_H
#define KORVANE_PARSERS_COMMANDLINEFILES_H

#include <cstdio>
#include <string>
#include <vector>

// The files that a program opens while it reads its command line: inputs are
// named for the diagnostics that read them, outputs are kept for the check
// that everything written to them, and to standard output, arrived.
class CommandLineFiles {
public:
    // Opens the file for reading; null after "Can not read from file: %s".
    static FILE* openInput(const std::string& name);
    // Opens the file for writing and keeps it for the check; null after
    // "Can not write file: %s".
    FILE* openOutput(const std::string& name);

    // Reports every kept output, and standard output, that was not written
    // completely; true when there was none.
    bool written() const;
    // Ends the process with status -1 unless everything was written.
    void check() const;
    // Until `uncheckAtExit`, a process that ends from elsewhere (the query
    // loop's "quit") makes the same check on its way out, ending with -1.
    void checkAtExit() const;
    static void uncheckAtExit();

private:
    struct NamedOutput {
        std::string name;
        FILE* stream;
    };
    std::vector<NamedOutput> outputs;

    static const CommandLineFiles* checkedAtExit;
    static void exitCheck();
};

#endif
