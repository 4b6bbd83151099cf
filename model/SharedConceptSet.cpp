#include "model/SharedConceptSet.h"

#include <algorithm>
#include <cstring>

#include "model/ExistentialRestr.h"
#include "model/PrefetchedWalk.h"
#include "model/PrimitiveConcept.h"
#include "model/Role.h"
#include "model/TrivialConcept.h"

namespace {

using Index = HashIndex<Concept>;

// Names compare with strcmp, so only the characters before the first NUL
// count.
uint64_t nameHash(const std::string& name)
{
    return Index::textHash(std::string_view(name.c_str()));
}

bool sameStructure(const Concept* a, const Concept* b)
{
    return !(*a < *b) && !(*b < *a);
}

// What Concept::operator< reads of a concept, copied out so that sorting
// compares in place; three or more operands fall back to the concepts.
struct SortKey {
    explicit SortKey(Concept* c) : concept(c), kind(c->kind), count(c->operandCount())
    {
        switch (kind) {
        case TRIVIAL_CONCEPT:
            first = static_cast<const TrivialConcept*>(c)->top ? 1 : 0;
            break;
        case PRIMITIVE_CONCEPT:
        case FRESH_CONCEPT:
            name = static_cast<const PrimitiveConcept*>(c)->name.c_str();
            first = c->serial;
            packName();
            break;
        case EXISTENTIAL_RESTR:
            first = static_cast<const ExistentialRestr*>(c)->role->serial;
            break;
        default:
            break;
        }
        if (count > 0) {
            auto it = c->operands->begin();
            operand[0] = *it;
            if (count > 1)
                operand[1] = *++it;
        }
    }

    // The first 16 bytes of the name up to its end, big-endian in two words,
    // so that comparing the words compares those bytes as strcmp does.
    void packName()
    {
        std::size_t length = 0;
        while (length < 16 && name[length] != '\0')
            ++length;
        for (std::size_t i = 0; i < 16; ++i) {
            uint64_t byte = i < length ? static_cast<unsigned char>(name[i]) : 0;
            prefix[i / 8] = (prefix[i / 8] << 8) | byte;
        }
        longName = length == 16;
    }

    Concept* concept;
    concept_t kind;
    std::size_t count;
    uint64_t first = 0;
    const char* name = nullptr;
    uint64_t prefix[2] = {0, 0};
    bool longName = false;
    const Concept* operand[2] = {nullptr, nullptr};
};

// strcmp of the two names, read from the packed prefixes when they differ
// there or end in them.
int64_t compareNames(const SortKey& a, const SortKey& b)
{
    for (int i = 0; i < 2; ++i)
        if (a.prefix[i] != b.prefix[i])
            return a.prefix[i] < b.prefix[i] ? -1 : 1;
    return a.longName ? std::strcmp(a.name, b.name) : 0;
}

bool operator<(const SortKey& a, const SortKey& b)
{
    if (a.kind != b.kind)
        return static_cast<int>(a.kind) < static_cast<int>(b.kind);
    if (a.count != b.count)
        return a.count < b.count;
    int64_t c = 0;
    switch (a.kind) {
    case TRIVIAL_CONCEPT:
        c = static_cast<int64_t>(a.first) - static_cast<int64_t>(b.first);
        break;
    case PRIMITIVE_CONCEPT:
        c = compareNames(a, b);
        break;
    case FRESH_CONCEPT:
        if (a.name[0] == '\0' && b.name[0] == '\0')
            c = static_cast<int64_t>(a.first - b.first);
        else
            c = compareNames(a, b);
        break;
    case EXISTENTIAL_RESTR:
        c = static_cast<int64_t>(a.first - b.first);
        break;
    case CONJUNCTION:
        break;
    default:
        return *a.concept < *b.concept;
    }
    if (c != 0)
        return c < 0;
    for (std::size_t i = 0; i < a.count && i < 2; ++i)
        if (a.operand[i] != b.operand[i])
            return a.operand[i]->serial < b.operand[i]->serial;
    return a.count > 2 && *a.concept < *b.concept;
}

}

// Follows the steps of Concept::operator<: kind, number of operands, what the
// kind-specific comparison reads, then the operands' serials.
uint64_t SharedConceptSet::structureHash(const Concept* c)
{
    uint64_t h = Index::mix(static_cast<uint64_t>(c->kind), c->operandCount());
    switch (c->kind) {
    case TRIVIAL_CONCEPT:
        h = Index::mix(h, static_cast<const TrivialConcept*>(c)->top ? 1 : 0);
        break;
    case PRIMITIVE_CONCEPT:
    case FRESH_CONCEPT: {
        const PrimitiveConcept* p = static_cast<const PrimitiveConcept*>(c);
        if (c->kind == FRESH_CONCEPT && p->name.empty())
            h = Index::mix(h, c->serial);
        else
            h = Index::mix(h, nameHash(p->name));
        break;
    }
    case EXISTENTIAL_RESTR:
        h = Index::mix(h, static_cast<const ExistentialRestr*>(c)->role->serial);
        break;
    default:
        break;
    }
    if (c->operands != nullptr)
        for (const Concept* o : *c->operands)
            h = Index::mix(h, reinterpret_cast<uintptr_t>(o));
    return Index::finish(h);
}

std::pair<Concept*, bool> SharedConceptSet::insert(Concept* c)
{
    const uint64_t hash = structureHash(c);
    Concept* stored = index.find(hash, [c](const Concept* s) { return sameStructure(s, c); });
    if (stored != nullptr)
        return {stored, false};
    index.add(c, hash);
    members.push_back(c);
    return {c, true};
}

Concept* SharedConceptSet::find(const Concept* c) const
{
    if (index.size() == 0)
        return nullptr;
    return index.find(structureHash(c), [c](const Concept* s) { return sameStructure(s, c); });
}

SharedConceptSet::iterator SharedConceptSet::insert(iterator hint, Concept* c)
{
    Ordered& set = ordered();
    iterator at = set.insert(hint, c);
    index.add(c, structureHash(c));
    members.push_back(c);
    sorted = members.size();
    return at;
}

void SharedConceptSet::append(Concept* c)
{
    index.add(c, structureHash(c));
    members.push_back(c);
}

void SharedConceptSet::clear()
{
    index.clear();
    members.clear();
    sorted = 0;
    orderedMembers.clear();
}

SharedConceptSet::Ordered& SharedConceptSet::ordered() const
{
    if (sorted < members.size()) {
        std::vector<SortKey> pending(members.begin() + static_cast<std::ptrdiff_t>(sorted), members.end());
        std::sort(pending.begin(), pending.end());
        // Sorted input after the last member goes in at the end, one step
        // each; that step compares the concept with the last member.
        PrefetchedWalk::each(
            pending,
            [](const SortKey& key) {
                PrefetchedWalk::prefetch(&key.concept->kind);
                PrefetchedWalk::prefetch(key.name);
            },
            [](const SortKey& key) { PrefetchedWalk::prefetch(key.concept->operands); },
            [this](const SortKey& key) { orderedMembers.insert(orderedMembers.end(), key.concept); });
        sorted = members.size();
    }
    return orderedMembers;
}
