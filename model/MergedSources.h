#ifndef KORVANE_MODEL_MERGEDSOURCES_H
#define KORVANE_MODEL_MERGEDSOURCES_H

#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

class Concept;

// What a rule that merges the subsumed lists of the same sources into the
// same targets again and again has merged so far in one classification run:
// for each pair (target, source), how long the source's log of additions
// was at the last merge. Everything the source held then is in the target's
// list, which only grows; what the source gained since is at the end of its
// log. The logs live for one run: so do these lengths.
class MergedSources {
public:
    // (concept, the source that supplies it)
    using Offer = std::pair<Concept*, Concept*>;

    // Appends to `offered` what source may add to target: its whole list the
    // first time, else what its log gained since the last time, and notes
    // the log's length. The caller merges the offers into the target. A
    // source without a list, or target's own list, offers nothing.
    void offer(const Concept* target, Concept* source, std::vector<Offer>& offered);
    void clear() { logged.clear(); }

private:
    struct PairHash {
        std::size_t operator()(const std::pair<unsigned long, unsigned long>& p) const
        {
            return std::hash<unsigned long>()(p.first * 0x9E3779B97F4A7C15ul ^ p.second);
        }
    };
    std::unordered_map<std::pair<unsigned long, unsigned long>, std::size_t, PairHash> logged;
};

#endif
