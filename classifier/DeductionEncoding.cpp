// The encoding after the saturation: the clauses of the told axioms and the
// derived subsumptions (the Horn clauses of the rule applications are handed
// over as they are found, Conclusion.cpp), the header, the assumption list.
#include <algorithm>
#include <vector>

#include "reasoner/TBox.h"

namespace {

// The concept's variable, given on first use from the counter, or from the
// concepts' own counter without one.
unsigned long conceptVariable(Concept* c, unsigned long* counter)
{
    if (c->encodingId == 0)
        c->encodingId = counter != nullptr ? ++*counter : ++Concept::encoding_id_counter;
    return c->encodingId;
}


}

void ClassifierTBox::encodeTrivialConcepts(unsigned long* counter)
{
    LiteralList bottomUnit{-static_cast<long>(conceptVariable(bottom, counter))};
    handClause(bottomUnit);
    LiteralList topUnit{static_cast<long>(conceptVariable(top, counter))};
    handClause(topUnit);
    axioms_clauses_counter += 2;
}

namespace {

// The clause of an inclusion left ⊑ right (not a trivial one) with the
// variable of each concept from variableOf: the negated id first (unless
// 0), the negated left side (each conjunct but top for a conjunction), the
// right side last.
template <typename VariableOf>
void buildInclusionClause(std::vector<long>& clause, unsigned long id, Concept* left, Concept* right,
                          VariableOf variableOf)
{
    clause.clear();
    if (id != 0)
        clause.push_back(-static_cast<long>(id));
    if (left->kind == CONJUNCTION) {
        if (left->operands != nullptr)
            for (Concept* c : *left->operands)
                if (c->kind != TRIVIAL_CONCEPT)
                    clause.push_back(-static_cast<long>(variableOf(c)));
    } else {
        clause.push_back(-static_cast<long>(variableOf(left)));
    }
    clause.push_back(static_cast<long>(variableOf(right)));
}

// The variables of the normalised concepts by id while the clauses of the
// told axioms and derived subsumptions are written: most clauses name
// concepts only by id, so their variables are looked up here, and written
// back to the concepts once at the end.
class VariablesById {
public:
    VariablesById(const std::vector<Concept*>& byId, unsigned long* counter) : byId(byId), counter(counter)
    {
        variables.resize(byId.size());
        conjunction.resize(byId.size());
        for (std::size_t i = 0; i < byId.size(); ++i) {
            if (byId[i] == nullptr)
                continue;
            variables[i] = byId[i]->encodingId;
            conjunction[i] = byId[i]->kind == CONJUNCTION;
        }
    }

    ~VariablesById()
    {
        for (std::size_t i = 0; i < byId.size(); ++i)
            if (byId[i] != nullptr && byId[i]->encodingId != variables[i])
                byId[i]->encodingId = variables[i];
    }

    bool isConjunction(uint32_t id) const { return conjunction[id] != 0; }
    Concept* concept(uint32_t id) const { return byId[id]; }

    // The variable of the concept with this id, given on first use.
    unsigned long of(uint32_t id)
    {
        unsigned long& v = variables[id];
        if (v == 0)
            v = ++*counter;
        return v;
    }

    // The same for any concept; one that is not listed keeps its own.
    unsigned long of(Concept* c)
    {
        if (c->id < byId.size() && byId[c->id] == c)
            return of(static_cast<uint32_t>(c->id));
        return conceptVariable(c, counter);
    }

private:
    const std::vector<Concept*>& byId;
    unsigned long* counter;
    std::vector<unsigned long> variables;
    std::vector<char> conjunction;
};

}

void ClassifierTBox::encodeAxiom(unsigned long id, Concept* left, Concept* right, unsigned long* counter)
{
    if (makesNoClause(left, right))
        return;
    buildInclusionClause(scratchClause, id, left, right, [counter](Concept* c) { return conceptVariable(c, counter); });
    handClause(scratchClause);
}

void ClassifierTBox::encodeDeductionsIntoSat(bool pinpointing)
{
    unsigned long* counter = pinpointing ? &global_cnf_id_counter : &only_deductions_cnf_id_counter;
    encodeTrivialConcepts(counter);
    {
        VariablesById variables(conceptsByNormalId, counter);
        auto variableOf = [&variables](Concept* c) { return variables.of(c); };
        auto encodeTold = [&](const EncodingMap::Entry& entry) {
            Concept* left = entry.second.first;
            Concept* right = entry.second.second;
            if (left == right || right == top || left == bottom)
                return;
            buildInclusionClause(scratchClause, pinpointing ? entry.first.first : 0, left, right, variableOf);
            handClause(scratchClause);
        };
        const uint32_t topId = static_cast<uint32_t>(top->id);
        const uint32_t bottomId = static_cast<uint32_t>(bottom->id);
        // The told axioms and the derived subsumptions, merged by their keys.
        auto told = encodingMap->begin();
        const auto toldEnd = encodingMap->end();
        for (std::size_t i = 0; i < deducedPairs.size(); ++i) {
            const EncodingMap::Key key(firstDeducedVariable + i, 0);
            for (; told != toldEnd && told->first < key; ++told)
                encodeTold(*told);
            // A derived subsumption is written from the ids alone unless its
            // left side is a conjunction.
            const uint32_t left = deducedPairs[i].first;
            const uint32_t right = deducedPairs[i].second;
            if (left == right || right == topId || left == bottomId)
                continue;
            const unsigned long id = pinpointing ? key.first : 0;
            if (variables.isConjunction(left)) {
                buildInclusionClause(scratchClause, id, variables.concept(left), variables.concept(right),
                                     variableOf);
            } else {
                scratchClause.clear();
                if (id != 0)
                    scratchClause.push_back(-static_cast<long>(id));
                scratchClause.push_back(-static_cast<long>(variables.of(left)));
                scratchClause.push_back(static_cast<long>(variables.of(right)));
            }
            handClause(scratchClause);
        }
        for (; told != toldEnd; ++told)
            encodeTold(*told);
    }
    delete encodingMap;
    encodingMap = new EncodingMap();
    deducedPairs.clear();
    deducedPairs.shrink_to_fit();
    // Variables given later (a query concept without one) come after every
    // variable of this encoding.
    Concept::encoding_id_counter = std::max<uint64_t>(Concept::encoding_id_counter, *counter);
}

void ClassifierTBox::finishDeductionAndEncode()
{
    const bool encode = saturation.encode;
    const bool pinpointing = saturation.pinpointing;
    deduction_performed = true;
    for (RoleAxiom* a : roleAxioms)
        deductionsTables.roleAxiom(a);
    if (encode)
        encodeDeductionsIntoSat(pinpointing);
    const unsigned long variables = pinpointing ? global_cnf_id_counter : only_deductions_cnf_id_counter;
    CNF_SAT_Encoder->endEncoding(false, variables, clauses_counter, axioms_clauses_counter, deduced_clauses_counter);
    if (pinpointing && pinpointing_f != nullptr)
        saveAssumptions(pinpointing_f);
    encoded = true;
}
