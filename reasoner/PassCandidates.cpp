#include "reasoner/PassCandidates.h"

PassCandidates::PassCandidates(const std::vector<Concept*>& leftSides, DeductionNotes& notes)
    : notes(notes), queuedInPass(leftSides.size(), 0)
{
    std::size_t ids = 0;
    for (const Concept* side : leftSides)
        if (side != nullptr && side->id >= ids)
            ids = side->id + 1;
    firstById.assign(ids + 1, 0);
    for (const Concept* side : leftSides)
        if (side != nullptr)
            ++firstById[side->id + 1];
    for (std::size_t id = 0; id < ids; ++id)
        firstById[id + 1] += firstById[id];
    positions.resize(firstById[ids]);
    std::vector<std::size_t> filled(firstById.begin(), firstById.end() - 1);
    for (std::size_t i = 0; i < leftSides.size(); ++i)
        if (leftSides[i] != nullptr)
            positions[filled[leftSides[i]->id]++] = i;
    notes.openStampLog(&log);
}

PassCandidates::~PassCandidates()
{
    notes.closeStampLog();
}

void PassCandidates::beginIteration(int it)
{
    if (static_cast<std::size_t>(it) >= iterationStart.size())
        iterationStart.resize(it + 1, 0);
    iterationStart[it] = log.size();
}

void PassCandidates::queueLeftSide(const Concept* side, std::size_t after)
{
    if (side->id + 1 >= firstById.size())
        return;
    for (std::size_t p = firstById[side->id]; p < firstById[side->id + 1]; ++p) {
        const std::size_t position = positions[p];
        if ((after == none || position > after) && queuedInPass[position] != pass) {
            queuedInPass[position] = pass;
            queue.push(position);
        }
    }
}

void PassCandidates::beginPass(int threshold)
{
    ++pass;
    queue = {};
    const std::size_t from =
        threshold >= 0 && static_cast<std::size_t>(threshold) < iterationStart.size() ? iterationStart[threshold] : 0;
    for (std::size_t i = from; i < log.size(); ++i)
        queueLeftSide(log[i], none);
    admitted = log.size();
}

void PassCandidates::admitStampedAfter(std::size_t position)
{
    for (; admitted < log.size(); ++admitted)
        queueLeftSide(log[admitted], position);
}
