#ifndef KORVANE_PARSERS_QUERYRUN_H
#define KORVANE_PARSERS_QUERYRUN_H

#include <cstdio>

class CommandLineFiles;
class SimpleQueryActions;
class timer;

// The last phases that the programs with a simple-query loop share: the
// queries, then the closing timing line and the check of every output.
class QueryRun {
public:
    QueryRun() = delete;

    // Runs the simple-query loop over the queries with the program's
    // actions installed. Everything written so far
    // must have arrived first; "quit" ends the process from inside the loop,
    // and the answers and units written by the loop are checked on that way
    // out as well.
    static void answer(FILE* queries, const CommandLineFiles& files, SimpleQueryActions& actions);
    // "TOTAL TIME (CPU-sec): %f" on standard error, then the output check;
    // the exit status of a run that got this far.
    static int finish(timer& stopwatch, const CommandLineFiles& files);
    // The same with the total already measured (on another stopwatch).
    static int finish(double totalSeconds, const CommandLineFiles& files);
};

#endif
