#ifndef KORVANE_SOLVER_VARORDERLT_H
#define KORVANE_SOLVER_VARORDERLT_H

#include "solver/vec.h"

// Decision order: the more active variable comes first.
struct VarOrderLt {
    const vec<double>& activity;
    explicit VarOrderLt(const vec<double>& act) : activity(act) {}
    bool operator()(int x, int y) const { return activity[x] > activity[y]; }
};

#endif
