#ifndef KORVANE_PINPOINTER_VERBOSITY_H
#define KORVANE_PINPOINTER_VERBOSITY_H

// The verbosity levels of the pinpointer's -v=D (D is the level's digit);
// each level also shows what the levels below it show.
enum Verbosity : int {
    VERBOSITY_RESULTS = 0, // the result blocks only
    VERBOSITY_MINAS = 1,   // each MinA as it is found, the module size
    VERBOSITY_SIZES = 2,   // the cone size and the module list
    VERBOSITY_TRACE = 3,   // the cone list, each query, each candidate, each set found again
    // What the module computation of -z (only the cone and the module) runs
    // with: everything it prints.
    VERBOSITY_ONLY_MODULE = 10,
};

#endif
