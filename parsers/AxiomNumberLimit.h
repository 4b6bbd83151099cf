#ifndef KORVANE_PARSERS_AXIOMNUMBERLIMIT_H
#define KORVANE_PARSERS_AXIOMNUMBERLIMIT_H

// The bound on the axiom indexes and original axiom numbers that the side
// files may name. The EncodedTBox stores only the axioms that records name,
// but the assumption and control variables are numbered above the largest
// index, and an in-process solver makes every variable up to the largest it
// is given; the largest real terminologies number a few hundred thousand
// axioms, far below the bound.
class AxiomNumberLimit {
public:
    AxiomNumberLimit() = delete;

    static constexpr unsigned long largest = 1UL << 24;

    // n as an int when it is at most `largest`; otherwise a fatal Parser
    // error: `what` + " greater than 16777216, line: " and the current line.
    static int checked(unsigned long n, const char* what);
};

#endif
