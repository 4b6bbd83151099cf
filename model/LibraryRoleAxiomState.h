#ifndef KORVANE_MODEL_LIBRARYROLEAXIOMSTATE_H
#define KORVANE_MODEL_LIBRARYROLEAXIOMSTATE_H

#include <cstddef>
#include <memory>

#include "model/MergedSources.h"
#include "model/RoleDeduction.h"

// What a role axiom carries in the library's build (see ModelBuild.h): for a
// chain of two roles r1 ∘ r2, whether r1 and r2 know of it (r1 tells r2 of
// new existentials over it, r2 counts r1 among its chain predecessors), and
// how far it has read r2's list of new existentials over its predecessors
// in the current classification run, which every chain ending in r2 reads
// on its own, and the iteration of its last application in the run with how
// far r2's logs of changes and queued work reached then; for a longer
// chain, what its applications have merged into their targets in the
// current run (made on first use). A copy starts without the merges.
class LibraryRoleAxiomState {
public:
    LibraryRoleAxiomState() = default;
    LibraryRoleAxiomState(const LibraryRoleAxiomState& other)
        : chainLinked(other.chainLinked), pendingRelatedRead(other.pendingRelatedRead),
          lastApplied(other.lastApplied), logsRead(other.logsRead)
    {
    }
    LibraryRoleAxiomState& operator=(const LibraryRoleAxiomState&) = delete;

    MergedSources& chainMerges()
    {
        if (!merged)
            merged = std::make_unique<MergedSources>();
        return *merged;
    }
    // The end of a classification run: the lists read are gone.
    void endRun()
    {
        pendingRelatedRead = 0;
        lastApplied = 0;
        logsRead = {};
        merged.reset();
    }

    bool chainLinked = false;
    std::size_t pendingRelatedRead = 0;
    // 0 before the first application of the run.
    int lastApplied = 0;
    RoleDeduction::LogEnds logsRead;

private:
    std::unique_ptr<MergedSources> merged;
};

#endif
