// Normalisation of the classifier: the normal form of the library, with every
// normal-form axiom recording the input axioms that gave it directly (its
// original ids) and the normal-form axioms whose normalisation needed it (its
// generated-from list).
#include <memory>

#include "model/PrefetchedWalk.h"
#include "reasoner/TBox.h"

namespace {

bool isEquivalence(const Axiom* a)
{
    return a != nullptr && (a->flags & Axiom::FROM_EQUIVALENCE);
}

bool isDefinition(const Axiom* a)
{
    return a != nullptr && (a->flags & Axiom::DEFINITION);
}

void numberOriginal(Axiom* a, const Axiom* source)
{
    if (a->originalNumber != 0)
        return;
    int number = source != nullptr ? source->originalNumber : 0;
    a->originalNumber = number != 0 ? number : ++Axiom::original_ax_counter;
}

void recordOrigin(Axiom* stored, const Axiom* source)
{
    if (source != nullptr)
        stored->originalIds.push_back(static_cast<unsigned long>(source->originalNumber));
}

}

void ClassifierTBox::normalizeTBox()
{
    auto ask = [](const Axiom* a) { PrefetchedWalk::prefetch(&a->lhs); };
    auto sides = [](const Axiom* a) {
        PrefetchedWalk::prefetch(&a->lhs->kind);
        PrefetchedWalk::prefetch(&a->rhs->kind);
    };
    PrefetchedWalk::each(inputAxioms, ask, sides, [](Axiom* a) {
        Concept* l = a->lhs;
        Concept* r = a->rhs;
        if (l->isComplex() && r->isComplex()) {
            l->getFWName();
            r->getBWName();
        }
        if (l->isComplex() || r->isComplex()) {
            l->getFWNormalization();
            r->getBWNormalization();
        }
    });
    PrefetchedWalk::each(inputAxioms, ask, sides, [this](Axiom* a) {
        Concept* l = a->lhs;
        Concept* r = a->rhs;
        if (use_original_axioms_ids)
            deductionsTables.inputAxiom(static_cast<unsigned long>(a->originalNumber), l, r);
        if (!l->isComplex() && !r->isComplex()) {
            createNormalizedAxioms(1, l, r, a);
        } else if (!l->isComplex()) {
            delete createBWNormalizedAxioms(1, l, r, ORIGINAL, a);
        } else if (!r->isComplex()) {
            createFWNormalizedAxioms(1, l, r, ORIGINAL, a);
        } else {
            Concept* nf = l->getFWName();
            Concept* nb = r->getBWName();
            Axiom* middle = nf != nb ? createNormalizedAxioms(1, nf, nb, a) : nullptr;
            Axiom* forward = createFWNormalizedAxioms(1, l, nf, FW_NORMALIZED_AXIOM, nullptr);
            std::unique_ptr<std::list<Axiom*>> backward(
                createBWNormalizedAxioms(1, nb, r, BW_NORMALIZED_AXIOM, nullptr));
            if (middle != nullptr) {
                forward->generatedFrom.push_back(middle);
                for (Axiom* b : *backward)
                    b->generatedFrom.push_back(middle);
            }
        }
        delete a;
    });
    inputAxioms.clear();
    // Classification walks the normal form in order: sort it now.
    normalizedConcepts.settle();
    normalized = true;
}

Axiom* ClassifierTBox::createNormalizedAxioms(int level, Concept* left, Concept* right, Axiom* source)
{
    Concept* lhs = insertNormalizedConcept(left->getFWNormalization());
    Concept* rhs = insertNormalizedConcept(right->getBWNormalization());
    Axiom* a = new Axiom(lhs, rhs, ORIGINAL);
    if (isEquivalence(source)) {
        a->flags |= Axiom::FROM_EQUIVALENCE;
        if (isDefinition(source))
            a->flags |= Axiom::DEFINITION;
    }
    numberOriginal(a, source);
    Axiom* stored = insertAxiom(a);
    if (level <= 1)
        recordOrigin(stored, source);
    return stored;
}

Axiom* ClassifierTBox::createFWNormalizedAxioms(int level, Concept* left, Concept* name, axiom_t kind, Axiom* source)
{
    Concept* lhs = insertNormalizedConcept(left->getFWNormalization());
    Concept* rhs = insertNormalizedConcept(name);
    Axiom* a = new Axiom(lhs, rhs, kind);
    if (isEquivalence(source)) {
        a->flags |= Axiom::FROM_EQUIVALENCE;
        if (isDefinition(source))
            a->flags |= Axiom::DEFINITION;
    } else if (kind == FW_NORMALIZED_AXIOM || kind == BW_NORMALIZED_AXIOM) {
        a->flags |= Axiom::FROM_EQUIVALENCE;
        if (source == nullptr || isDefinition(source))
            a->flags |= Axiom::DEFINITION;
    }
    Axiom* stored;
    if (kind == ORIGINAL) {
        numberOriginal(a, source);
        stored = insertAxiom(a);
        if (level < 2)
            recordOrigin(stored, source);
    } else {
        stored = insertAxiom(a);
    }
    if (left->operands != nullptr) {
        for (Concept* x : *left->operands) {
            if (!x->isComplex())
                continue;
            Axiom* definition;
            if (x->flags & Concept::FW_NAMING_AXIOM) {
                definition = findAxiom(x->getFWNormalization(), x->getFWName(), FW_NORMALIZED_AXIOM);
            } else {
                x->flags |= Concept::FW_NAMING_AXIOM;
                definition = createFWNormalizedAxioms(level + 1, x, x->getFWName(), FW_NORMALIZED_AXIOM, nullptr);
            }
            if (definition != nullptr)
                definition->generatedFrom.push_back(stored);
        }
    }
    return stored;
}

std::list<Axiom*>* ClassifierTBox::createBWNormalizedAxioms(int level, Concept* name, Concept* right, axiom_t kind,
                                                   Axiom* source)
{
    auto* made = new std::list<Axiom*>();
    if (right->kind == CONJUNCTION) {
        insertNormalizedConcept(right->getBWNormalization());
        if (right->operands != nullptr) {
            for (Concept* conjunct : *right->operands) {
                std::unique_ptr<std::list<Axiom*>> split(
                    createBWNormalizedAxioms(level, name, conjunct, kind, source));
                made->splice(made->end(), *split);
            }
        }
        return made;
    }
    Concept* lhs = insertNormalizedConcept(name);
    Concept* rhs = insertNormalizedConcept(right->getBWNormalization());
    Axiom* a = new Axiom(lhs, rhs, kind);
    if (isEquivalence(source) || kind == FW_NORMALIZED_AXIOM || kind == BW_NORMALIZED_AXIOM) {
        a->flags |= Axiom::FROM_EQUIVALENCE;
        if (!(source != nullptr && level < 2 && !isDefinition(source)))
            a->flags |= Axiom::DEFINITION;
    }
    if (kind == ORIGINAL)
        numberOriginal(a, source);
    Axiom* stored = insertAxiom(a);
    made->push_back(stored);
    if (kind == ORIGINAL && level < 2)
        recordOrigin(stored, source);
    if (right->operands != nullptr) {
        for (Concept* x : *right->operands) {
            if (!x->isComplex())
                continue;
            if (!(x->flags & Concept::BW_NAMING_AXIOM)) {
                x->flags |= Concept::BW_NAMING_AXIOM;
                std::unique_ptr<std::list<Axiom*>> definitions(
                    createBWNormalizedAxioms(level + 1, x->getBWName(), x, BW_NORMALIZED_AXIOM, nullptr));
                for (Axiom* d : *definitions)
                    d->generatedFrom.push_back(stored);
            } else {
                BWfindAndAddGeneratedFrom(x, x, stored);
            }
        }
    }
    return made;
}

void ClassifierTBox::BWfindAndAddGeneratedFrom(Concept* complex, Concept* part, Axiom* parent)
{
    if (part->kind == CONJUNCTION) {
        if (part->operands != nullptr)
            for (Concept* conjunct : *part->operands)
                BWfindAndAddGeneratedFrom(complex, conjunct, parent);
        return;
    }
    Axiom* definition = findAxiom(complex->getBWName(), part->getBWNormalization(), BW_NORMALIZED_AXIOM);
    if (definition != nullptr)
        definition->generatedFrom.push_back(parent);
}

Axiom* ClassifierTBox::findAxiom(Concept* left, Concept* right, axiom_t kind)
{
    Concept* l = findNormalizedConcept(left);
    Concept* r = l == nullptr ? nullptr : findNormalizedConcept(right);
    if (r == nullptr)
        return nullptr;
    // A probe made without the constructor that marks its sides.
    Axiom probe;
    probe.type = kind;
    probe.lhs = l;
    probe.rhs = r;
    auto found = gcis.find(&probe);
    return found == gcis.end() ? nullptr : *found;
}

Concept* ClassifierTBox::normalizeConceptFW(Concept* c)
{
    if (c->isComplex()) {
        Concept* name = c->getFWName();
        c->getFWNormalization();
        createFWNormalizedAxioms(2, c, name, FW_NORMALIZED_AXIOM, nullptr);
    }
    return insertNormalizedConcept(c->getFWNormalization());
}

Concept* ClassifierTBox::normalizeConceptBW(Concept* c)
{
    if (c->isComplex()) {
        Concept* name = c->getBWName();
        c->getBWNormalization();
        delete createBWNormalizedAxioms(2, name, c, BW_NORMALIZED_AXIOM, nullptr);
    }
    return insertNormalizedConcept(c->getBWNormalization());
}
