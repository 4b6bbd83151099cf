#ifndef KORVANE_MODEL_CONCEPTDEDUCTION_H
#define KORVANE_MODEL_CONCEPTDEDUCTION_H

#include <cstdint>
#include <list>
#include <map>
#include <utility>
#include <vector>

#include "model/DeducedList.h"
#include "model/RelatedMap.h"
#include "model/SubsumedIds.h"
#include "model/pool_allocator.h"

class Concept;
class DeductionNotes;
class Role;

// What the completion-based classification knows about one normalised
// concept: the concepts it subsumes, sorted by ascending id without repeats
// (kept in an array: the merges and intersections mostly look a few concepts
// up in long lists), and the working lists that tell the rules what is new.
// Every list and map is made on first use and owned here.
//
// The merges add concepts to the subsumed list and, for each concept added,
// run the reactions of the owning concept in this order: its
// handleNewSubsumed, the record of the addition (when a record vector is
// given), the pair (added, owner) on the deduced list (when given), and the
// owner's stamp raised to the current iteration. What the reactions queue for
// the rules, and the stamps they change, are noted in the run's notes.
class ConceptDeduction {
public:
    using ConceptList = std::list<Concept*, pool_allocator<Concept*>>;
    using SubsumedList = std::vector<Concept*>;
    // The told subsumers and the existentials over the owner recorded by the
    // seeding, until the settling hands them on.
    using SeedList = std::vector<Concept*>;
    // One entry per GCI ∃r.this ⊑ D, by the GCI's pinpointing index: the
    // GCIs of an increment share the index -1, so an index may repeat
    // (entries of one index in order of arrival).
    using PremiseMap = std::multimap<int, std::pair<Role*, Concept*>>;
    // A subsumee handed on through an existential chain: the concept (with
    // its id, which the merge sorts by), the index of the axiom used and its
    // two premise concepts.
    struct NewSubsumee {
        unsigned long id;
        Concept* concept;
        int index;
        Concept* premise1;
        Concept* premise2;
    };
    // In order of arrival; a concept may arrive more than once.
    using NewSubsumedList = std::vector<NewSubsumee>;
    using RelatedMap = ::RelatedMap;
    // Existentials by the id of their filler, in a sorted array.
    using RelatedPairs = std::vector<std::pair<unsigned long, Concept*>>;
    using DeducedList = ::DeducedList;
    // ((added concept, index of the axiom used), (its two premise concepts))
    using NewSubsumedRecord = std::pair<std::pair<Concept*, int>, std::pair<Concept*, Concept*>>;
    // (added concept, the source whose subsumed list supplied it)
    using SourceRecord = std::pair<Concept*, Concept*>;
    // A concept that a merge added, with its id and the iteration.
    struct Addition {
        int it;
        std::uint32_t id;
        Concept* concept;
    };

    explicit ConceptDeduction(Concept* owner) : owner(owner) {}
    ConceptDeduction(const ConceptDeduction&) = delete;
    ConceptDeduction& operator=(const ConceptDeduction&) = delete;
    ~ConceptDeduction() { clearAllDeductionStructures(); }

    // Append c unless it is already the last element.
    void recordSubsumed(Concept* c);
    void recordSubsumer(Concept* c);
    void recordReachedByRole(Concept* c);
    // Every element handed to visit in order, the list taken away (a visit
    // that records anew starts a new list) and freed.
    template <typename Visit>
    void takeSubsumers(Visit visit)
    {
        takeEach(subsumers, visit);
    }
    template <typename Visit>
    void takeReachedByRole(Visit visit)
    {
        takeEach(reachedByRole, visit);
    }

    // Records the GCI ∃r.owner ⊑ d of that index, once.
    void addExistentialPremise(int index, Role* r, Concept* d);
    // Queues c as derived through an existential chain (noted as queued);
    // of the derivations of one concept queued before a merge, the merge
    // keeps the first.
    void addNewSubsumed(Concept* c, Concept* p1, Concept* p2, int index, DeductionNotes& notes);
    // Pending existentials wait by role, the other pending concepts in
    // pending itself, each in arrival order; each is noted as queued.
    void appendPending(Concept* c, DeductionNotes& notes);
    bool hasPending() const
    {
        return (pending != nullptr && !pending->empty()) || (pendingExistentials != nullptr && hasPendingExistential());
    }
    // Moves the pending existentials over r into overR (filler id → the
    // latest one) and every other pending concept into others; the
    // existentials over other roles stay.
    void takePending(Role* r, RelatedPairs& overR, ConceptList& others);
    bool hasNewSubsumed() const { return newSubsumed != nullptr && !newSubsumed->empty(); }
    bool hasExistentialPremises() const { return existentialPremises != nullptr && !existentialPremises->empty(); }
    SubsumedList& subsumedList();
    // The ids of the subsumed list, which must exist, up to date.
    const SubsumedIds& subsumedIds() const;
    // Hands over the ids of the subsumed list, which must exist, in its
    // order (for a list filled by other means than the merges).
    void adoptSubsumedIds(SubsumedIds::IdList& listIds) { ids.adopt(*subsumed, listIds); }

    // The merges into the subsumed list, which must exist; each returns the
    // number of concepts added.
    int mergeListInSubsumed(const ConceptList* l, int it, DeductionNotes& notes, DeducedList* deduced,
                            std::vector<Concept*>* added);
    int mergeListInSubsumed(const SubsumedList* l, int it, DeductionNotes& notes, DeducedList* deduced,
                            std::vector<Concept*>* added);
    // Merges the subsumed list of `from`, or with since above 0 only what it
    // gained in iteration since or later (what it held before has been
    // merged then; when it gained much of its list, the whole list is as
    // cheap).
    int mergeFrom(const ConceptDeduction& from, int since, int it, DeductionNotes& notes, DeducedList* deduced,
                  std::vector<Concept*>* added);
    int mergeMapInSubsumed(const RelatedMap* m, int it, DeductionNotes& notes, DeducedList* deduced,
                           std::vector<Concept*>* added);
    // Merges newSubsumed, the first arrival of each concept, and empties it;
    // what the reactions queue meanwhile stays for the next merge.
    int mergeNewSubsumed(int it, DeductionNotes& notes, DeducedList* deduced, std::vector<NewSubsumedRecord>* added);
    // Merges the union of the subsumed lists of the sources.
    int mergeSubsumed(const ConceptList* sources, int it, DeductionNotes& notes, DeducedList* deduced,
                      std::vector<SourceRecord>* added);
    // Merges the offered pairs (concept, its source), in any order, as
    // mergeSubsumed merges its sources' lists: each concept is credited to
    // the first source that offers it. Sorts `offered`.
    int mergeOffered(std::vector<SourceRecord>& offered, int it, DeductionNotes& notes, DeducedList* deduced,
                     std::vector<SourceRecord>* added);
    // Adds one concept, at the end when its id is the greatest.
    int addSubsumed(Concept* c, int it, DeductionNotes& notes, DeducedList* deduced);

    // The concepts in the subsumed list of every concept of cs (each must
    // have one); a new list, empty when cs is empty.
    ConceptList* getCommonSubsumed(const ConceptList* cs) const;
    // The concepts of getCommonSubsumed that some list gained in iteration
    // `since` or later; it may hold others of getCommonSubsumed too (when the
    // whole intersection is the cheaper walk).
    ConceptList* getCommonSubsumedSince(const ConceptList* cs, int since) const;
    // Logs c as added in iteration it, for a concept recorded without a
    // merge (the seeds of a concept made during classification).
    void noteAdded(Concept* c, int it, DeductionNotes& notes);
    std::size_t countAddedSince(int since) const;
    // The values of related whose keys are ids in this subsumed list, in
    // ascending key order; with it above the owner's stamp, or changedOnly,
    // only the values stamped at it or later. A new list.
    ConceptList* getCommonSubsumedWithRoleRelated(const RelatedMap* related, int it, bool changedOnly) const;
    ConceptList* getCommonSubsumedWithRoleRelated(const RelatedPairs* related, int it, bool changedOnly) const;

    void clearTemporaryStructures();
    void clearAllDeductionStructures();

    SubsumedList* subsumed = nullptr;
    SeedList* subsumers = nullptr;
    SeedList* reachedByRole = nullptr;
    PremiseMap* existentialPremises = nullptr;
    ConceptList* pending = nullptr;
    std::vector<std::pair<Role*, RelatedPairs>>* pendingExistentials = nullptr;
    // Every concept the merges added, with the iteration, in order of
    // addition (a temporary structure of one classification run).
    std::vector<Addition>* additions = nullptr;
    NewSubsumedList* newSubsumed = nullptr;

private:
    bool hasPendingExistential() const;
    SubsumedIds& syncedIds() const;
    template <typename List>
    static void recordIn(List*& list, Concept* c);
    template <typename Visit>
    static void takeEach(SeedList*& list, Visit visit)
    {
        SeedList* taken = list;
        list = nullptr;
        if (taken == nullptr)
            return;
        for (Concept* c : *taken)
            visit(c);
        delete taken;
    }
    // The reactions to c just added to the subsumed list; record pushes its
    // record.
    template <typename Record>
    void react(Concept* c, int it, DeductionNotes& notes, DeducedList* deduced, Record record);
    // Merges a source sorted by id into the subsumed list; onAdded is called
    // with the source position of every concept added, in ascending id.
    template <typename Iterator, typename ConceptOf, typename IdOf, typename OnAdded>
    int mergeSorted(Iterator first, Iterator last, ConceptOf conceptOf, IdOf idOf, int it, DeductionNotes& notes,
                    DeducedList* deduced, OnAdded onAdded);
    // Merges a whole source list into a list much shorter than it by
    // writing out their union; the reactions and onAdded (given each
    // concept added) as for mergeSorted.
    template <typename OnAdded>
    int fillFrom(const SubsumedList& source, const SubsumedIds::IdList& sourceIds, int it, DeductionNotes& notes,
                 DeducedList* deduced, OnAdded onAdded);
    template <typename Related>
    ConceptList* commonWithRelated(const Related& related, int it, bool changedOnly) const;
    template <typename List>
    int mergeConcepts(const List* l, int it, DeductionNotes& notes, DeducedList* deduced,
                      std::vector<Concept*>* added);

    Concept* owner;
    mutable SubsumedIds ids;
};

#endif
