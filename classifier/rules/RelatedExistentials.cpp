// The existentials that the role inclusion and chain rules conclude to: the
// one over a role with a filler is taken from the role's related set, from
// the normal form, or made now (unless new concepts are not to be made).
#include "model/ExistentialRestr.h"
#include "reasoner/TBox.h"

void ClassifierTBox::addRelated(Role* role, Concept* existential)
{
    relatedIndex.insert(IdPairMap<Concept*>::key(role->id, partsOf(existential).fillerId), existential);
}

Concept* ClassifierTBox::findRelated(Role* role, Concept* filler)
{
    return findRelated(role, static_cast<uint32_t>(filler->id));
}

Concept* ClassifierTBox::findRelated(Role* role, uint32_t fillerId)
{
    Concept* const* found = relatedIndex.find(IdPairMap<Concept*>::key(role->id, fillerId));
    return found == nullptr ? nullptr : *found;
}

void ClassifierTBox::handleNonTBoxNewConcept(Concept* existential, Role* role)
{
    addRelated(role, existential);
    existential->flags |= Concept::BW_NORMALIZED | Concept::CREATED_BY_CLASSIFICATION;
    existential->backwardNormalForm = existential;
    if (initializeNonPrimitive) {
        newAxiom(existential, existential, nullptr);
        newAxiom(existential, top, nullptr);
    }
}

Concept* ClassifierTBox::obtainExistential(Role* role, const ExistentialParts& parts)
{
    // The related set holds the stored existential over the role with this
    // filler whenever there is one that classification has met.
    Concept* known = findRelated(role, parts.fillerId);
    if (known != nullptr)
        return known;
    Concept* filler = parts.filler;
    const uint64_t key = IdPairMap<Concept*>::key(role->id, parts.fillerId);
    Concept* const* normal = normalExistentials.find(key);
    if (normal != nullptr) {
        // A stored existential that only left sides named is not in the
        // related set yet; as a target it gets subsumees, which the rules
        // over its role must find there.
        Concept* stored = *normal;
        addRelated(role, stored);
        return stored;
    }
    if (!createNewConceptsInDeduction)
        return nullptr;
    // No normalised existential has this role and filler (the index holds
    // them all), so the new one is normal as it stands.
    Concept* made = new ExistentialRestr(filler, role);
    adoptNormalizedConcept(made);
    byId(existentialParts, made) = {role, filler, static_cast<uint32_t>(filler->id)};
    madeExistentials.push_back(made);
    normalExistentials.insert(key, made);
    handleNonTBoxNewConcept(made, role);
    return made;
}
