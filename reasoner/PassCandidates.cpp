#include "reasoner/PassCandidates.h"

PassCandidates::PassCandidates(const std::vector<std::uint64_t>& leftIds, DeductionNotes& notes)
    : notes(notes), queuedInPass(leftIds.size(), 0)
{
    std::size_t ids = 0;
    for (std::uint64_t id : leftIds)
        if (id != noSide && id >= ids)
            ids = id + 1;
    firstById.assign(ids + 1, 0);
    for (std::uint64_t id : leftIds)
        if (id != noSide)
            ++firstById[id + 1];
    for (std::size_t id = 0; id < ids; ++id)
        firstById[id + 1] += firstById[id];
    positions.resize(firstById[ids]);
    std::vector<std::size_t> filled(firstById.begin(), firstById.end() - 1);
    for (std::size_t i = 0; i < leftIds.size(); ++i)
        if (leftIds[i] != noSide)
            positions[filled[leftIds[i]]++] = i;
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

void PassCandidates::queuePosition(std::size_t position)
{
    if (queuedInPass[position] != pass) {
        queuedInPass[position] = pass;
        queue.push(position);
    }
}

void PassCandidates::queueLeftSide(const Concept* side, std::size_t after)
{
    if (side->id + 1 >= firstById.size())
        return;
    for (std::size_t p = firstById[side->id]; p < firstById[side->id + 1]; ++p)
        if (after == none || positions[p] > after)
            queuePosition(positions[p]);
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

void PassCandidates::beginFirstPass(const std::vector<Concept*>& touched, const std::vector<std::size_t>& newPositions)
{
    ++pass;
    queue = {};
    for (const Concept* c : touched)
        if (c->lastDeductionIt != 0)
            queueLeftSide(c, none);
    for (std::size_t position : newPositions)
        queuePosition(position);
    admitted = log.size();
}

void PassCandidates::admitStampedAfter(std::size_t position)
{
    for (; admitted < log.size(); ++admitted)
        queueLeftSide(log[admitted], position);
}
