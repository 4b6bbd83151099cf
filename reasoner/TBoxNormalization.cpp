// Normalisation of the terminology (library build).
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "model/PrimitiveConcept.h"
#include "reasoner/TBox.h"

namespace {

// Names a side of a GCI whose both sides are complex: the left side gets a
// forward name and the right side a backward name. Without equivalence names
// a fresh concept made for the left side cuts the GCI in two instead (L ⊑ P,
// P ⊑ R): P stands for L alone, since a concept that stood for L on left
// sides and for R on right sides would make R ⊑ L follow wherever the two
// meet (∃s.R ⊑ ∃s.P ⊑ ∃s.L). Returns whether the GCI is cut so.
bool nameComplexSides(Concept* l, Concept* r)
{
    Concept* made = nullptr;
    if (l->forwardName == nullptr) {
        made = new PrimitiveConcept();
        l->forwardName = made;
        if (Concept::EquivalenceNames && l->backwardName == nullptr)
            l->backwardName = made;
        if (l->forwardNormalForm != nullptr && l->forwardNormalForm->forwardName == nullptr)
            l->forwardNormalForm->forwardName = made;
    }
    if (made != nullptr && !Concept::EquivalenceNames)
        return true;
    if (r->backwardName == nullptr) {
        Concept* name = new PrimitiveConcept();
        if (Concept::EquivalenceNames && r->forwardName == nullptr)
            r->forwardName = name;
        r->backwardName = name;
        if (r->backwardNormalForm != nullptr && r->backwardNormalForm->backwardName == nullptr)
            r->backwardNormalForm->backwardName = name;
    }
    return false;
}

// Marks that a normal-form axiom inherits from its input axiom, or that a
// naming axiom gets when names stand for equivalences.
void markAxiom(Axiom* a, axiom_t type, const Axiom* source)
{
    if (source != nullptr && (source->flags & Axiom::FROM_EQUIVALENCE)) {
        a->flags |= Axiom::FROM_EQUIVALENCE;
        if (source->flags & Axiom::DEFINITION)
            a->flags |= Axiom::DEFINITION;
    } else if (Concept::EquivalenceNames && (type == FW_NORMALIZED_AXIOM || type == BW_NORMALIZED_AXIOM)) {
        a->flags |= Axiom::FROM_EQUIVALENCE;
        if (source == nullptr || (source->flags & Axiom::DEFINITION))
            a->flags |= Axiom::DEFINITION;
    }
}

// An original axiom takes its input axiom's number; so does the half of an
// input axiom cut at one fresh name that ends at its right side (`halfOf`).
void numberOriginal(Axiom* a, axiom_t type, const Axiom* source, int halfOf)
{
    if (type != ORIGINAL) {
        a->originalNumber = halfOf;
        return;
    }
    int number = source != nullptr ? source->originalNumber : 0;
    a->originalNumber = number != 0 ? number : ++Axiom::original_ax_counter;
}

}

void LibraryTBox::normalizeTBox()
{
    // The GCIs cut at the forward name of their left side.
    std::unordered_set<const Axiom*> cut;
    for (Axiom* s : inputAxioms) {
        Concept* l = s->lhs;
        Concept* r = s->rhs;
        if (l->isComplex() && r->isComplex() && nameComplexSides(l, r))
            cut.insert(s);
        if (l->isComplex() || r->isComplex()) {
            l->getFWNormalization();
            r->getBWNormalization();
        }
    }
    for (Axiom* s : inputAxioms) {
        Concept* l = s->lhs;
        Concept* r = s->rhs;
        if (!l->isComplex() && !r->isComplex()) {
            createFWNormalizedAxioms(l, r, ORIGINAL, s);
        } else if (!l->isComplex()) {
            createBWNormalizedAxioms(l, r, ORIGINAL, s, false);
        } else if (!r->isComplex()) {
            createFWNormalizedAxioms(l, r, ORIGINAL, s);
        } else {
            Concept* x = l->getFWName();
            // A cut GCI whose right side has no name of its own by now
            // (another GCI may have named it) ends at the cut.
            Concept* y = cut.count(s) != 0 && r->backwardName == nullptr ? x : r->getBWName();
            if (x != y)
                createFWNormalizedAxioms(x, y, ORIGINAL, s);
            // Without a link the half from the cut to the right side is the
            // input axiom: it carries its number. The other half only names
            // the left side, which other GCIs may use too.
            createFWNormalizedAxioms(l, x, FW_NORMALIZED_AXIOM, nullptr);
            createBWNormalizedAxioms(y, r, BW_NORMALIZED_AXIOM, nullptr, false, x == y ? s->originalNumber : 0);
        }
        delete s;
    }
    inputAxioms.clear();
    // Classification walks the normal form in order: sort it now.
    normalizedConcepts.settle();
    normalized = true;
}

Axiom* LibraryTBox::createFWNormalizedAxioms(Concept* c, Concept* n, axiom_t type, Axiom* source)
{
    Concept* lhs = insertNormalizedConcept(c->forwardNormalForm);
    Concept* rhs = insertNormalizedConcept(n);
    Axiom* a = new Axiom(lhs, rhs, type);
    markAxiom(a, type, source);
    numberOriginal(a, type, source, 0);
    Axiom* stored = insertAxiom(a);
    if (c->operands != nullptr) {
        for (Concept* o : *c->operands) {
            if (o->isComplex() && !(o->flags & Concept::FW_NAMING_AXIOM)) {
                o->flags |= Concept::FW_NAMING_AXIOM;
                createFWNormalizedAxioms(o, o->forwardName, FW_NORMALIZED_AXIOM, nullptr);
            }
        }
    }
    return stored;
}

Axiom* LibraryTBox::createBWNormalizedAxioms(Concept* n, Concept* c, axiom_t type, Axiom* source, bool nested,
                                             int halfOf)
{
    if (c->kind == CONJUNCTION) {
        insertNormalizedConcept(c->backwardNormalForm);
        if (c->operands != nullptr) {
            for (Concept* o : *c->operands) {
                if (Concept::EquivalenceNames && o->kind == EXISTENTIAL_RESTR && o->backwardName != nullptr &&
                    !(o->flags & Concept::BW_NAMING_AXIOM)) {
                    o->flags |= Concept::BW_NAMING_AXIOM;
                    createBWNormalizedAxioms(o->backwardName, o, BW_NORMALIZED_AXIOM, nullptr, false);
                }
                createBWNormalizedAxioms(n, o, type, source, true, halfOf);
            }
        }
        return nullptr;
    }
    Concept* lhs = insertNormalizedConcept(n);
    Concept* target = (nested && c->backwardName != nullptr) ? c->backwardName : c->backwardNormalForm;
    // An operand of a normal form that a query asks may be a concept that
    // only a left side has normalised so far (an increment's right side took
    // it over as its own): it is its own backward normal form.
    if (target == nullptr)
        target = c->getBWNormalization();
    Concept* rhs = insertNormalizedConcept(target);
    Axiom* a = new Axiom(lhs, rhs, type);
    if (!nested)
        markAxiom(a, type, source);
    numberOriginal(a, type, source, halfOf);
    Axiom* stored = insertAxiom(a);
    if (c->operands != nullptr) {
        for (Concept* o : *c->operands) {
            if (o->isComplex() && !(o->flags & Concept::BW_NAMING_AXIOM)) {
                o->flags |= Concept::BW_NAMING_AXIOM;
                createBWNormalizedAxioms(o->backwardName, o, BW_NORMALIZED_AXIOM, nullptr, false);
            }
        }
    }
    return stored;
}

Concept* LibraryTBox::normalizeConceptFW(Concept* c)
{
    if (c->isComplex()) {
        Concept* x = c->getFWName();
        c->getFWNormalization();
        c->flags |= Concept::FW_NAMING_AXIOM;
        createFWNormalizedAxioms(c, x, FW_NORMALIZED_AXIOM, nullptr);
    }
    return insertNormalizedConcept(c->forwardNormalForm);
}

Concept* LibraryTBox::normalizeConceptBW(Concept* c)
{
    if (c->isComplex()) {
        Concept* y = c->getBWName();
        c->getBWNormalization();
        c->flags |= Concept::BW_NAMING_AXIOM;
        createBWNormalizedAxioms(y, c, BW_NORMALIZED_AXIOM, nullptr, false);
    }
    return insertNormalizedConcept(c->backwardNormalForm);
}

namespace {

// Looks up the normalised concept that c would become when its operands are
// replaced by their forward (or backward) names; creates nothing.
Concept* convertToNormalizedConcept(TBox* tbox, Concept* c, bool forward)
{
    if (c->operands == nullptr || c->operands->empty())
        return tbox->findNormalizedConcept(c);
    const uint16_t done = forward ? Concept::FW_NORMALIZED : Concept::BW_NORMALIZED;
    std::vector<Concept*> names;
    for (Concept* o : *c->operands) {
        Concept* m = convertToNormalizedConcept(tbox, o, forward);
        if (m == nullptr || !(m->flags & done))
            return nullptr;
        Concept* name = forward ? m->forwardName : m->backwardName;
        if (name == nullptr)
            return nullptr;
        names.push_back(name);
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const Concept* a, const Concept* b) { return a->serial < b->serial; });
    ConceptList* original = c->operands;
    ConceptList replaced(names.begin(), names.end());
    c->operands = &replaced;
    Concept* result = tbox->findNormalizedConcept(c);
    c->operands = original;
    return result;
}

}

Concept* LibraryTBox::convertToFWNormalizedConcept(Concept* c)
{
    return convertToNormalizedConcept(this, c, true);
}

Concept* LibraryTBox::convertToBWNormalizedConcept(Concept* c)
{
    return convertToNormalizedConcept(this, c, false);
}
