// The clauses of the classification: one Horn clause per rule application
// (negated selector, negated premises, the conclusion last), and after the
// saturation the clauses of the told axioms and derived subsumptions.
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

void pushNegated(std::vector<long>& clause, unsigned long variable)
{
    if (variable != 0)
        clause.push_back(-static_cast<long>(variable));
}

}

void TBox::handClause(const LiteralList& clause)
{
    CNF_SAT_Encoder->addClause(&clause, nullptr, 0);
    clauses_counter += 1;
}

void TBox::handClause(const std::vector<long>& clause)
{
    CNF_SAT_Encoder->addClause(clause.data(), clause.size());
    clauses_counter += 1;
}

void TBox::savePinpointingInfoImplication(unsigned long conclusion, unsigned long premise, long selector)
{
    if (conclusion == 0 || static_cast<long>(conclusion) == selector)
        return;
    std::vector<long>& clause = scratchClause;
    clause.clear();
    pushNegated(clause, static_cast<unsigned long>(selector));
    pushNegated(clause, premise);
    clause.push_back(static_cast<long>(conclusion));
    handClause(clause);
}

void TBox::savePinpointingInfoConjunction(unsigned long conclusion, const std::vector<unsigned long>& premises,
                                          long selector)
{
    if (conclusion == 0 || static_cast<long>(conclusion) == selector)
        return;
    if (std::find(premises.begin(), premises.end(), conclusion) != premises.end())
        return;
    std::vector<long>& clause = scratchClause;
    clause.clear();
    pushNegated(clause, static_cast<unsigned long>(selector));
    for (unsigned long p : premises)
        pushNegated(clause, p);
    clause.push_back(static_cast<long>(conclusion));
    handClause(clause);
}

void TBox::savePinpointingInfoBinaryExistential(unsigned long conclusion, unsigned long first, unsigned long second,
                                                long selector)
{
    if (conclusion == 0 || static_cast<long>(conclusion) == selector)
        return;
    std::vector<long>& clause = scratchClause;
    clause.clear();
    pushNegated(clause, static_cast<unsigned long>(selector));
    pushNegated(clause, first);
    pushNegated(clause, second);
    clause.push_back(static_cast<long>(conclusion));
    handClause(clause);
}

void TBox::savePinpointingInfoRoleInclusion(unsigned long conclusion, unsigned long premise, long selector)
{
    savePinpointingInfoImplication(conclusion, premise, selector);
}

void TBox::encodeTrivialConcepts(unsigned long* counter)
{
    LiteralList bottomUnit{-static_cast<long>(conceptVariable(bottom, counter))};
    handClause(bottomUnit);
    LiteralList topUnit{static_cast<long>(conceptVariable(top, counter))};
    handClause(topUnit);
    axioms_clauses_counter += 2;
}

void TBox::encodeAxiom(unsigned long id, Concept* left, Concept* right, unsigned long* counter)
{
    if (left == right || right == top || left == bottom)
        return;
    std::vector<long>& clause = scratchClause;
    clause.clear();
    if (id != 0)
        clause.push_back(-static_cast<long>(id));
    if (left->kind == CONJUNCTION) {
        if (left->operands != nullptr)
            for (Concept* c : *left->operands)
                if (c->kind != TRIVIAL_CONCEPT)
                    clause.push_back(-static_cast<long>(conceptVariable(c, counter)));
    } else {
        clause.push_back(-static_cast<long>(conceptVariable(left, counter)));
    }
    clause.push_back(static_cast<long>(conceptVariable(right, counter)));
    handClause(clause);
}

void TBox::encodeDeductionsIntoSat(bool pinpointing)
{
    unsigned long* counter = pinpointing ? &global_cnf_id_counter : &only_deductions_cnf_id_counter;
    encodeTrivialConcepts(counter);
    // The told axioms and the derived subsumptions, merged by their keys.
    const std::vector<Concept*> byNormalId = normalizedConceptsById();
    auto told = encodingMap->begin();
    const auto toldEnd = encodingMap->end();
    for (std::size_t i = 0; i < deducedPairs.size(); ++i) {
        const EncodingMap::Key key(firstDeducedVariable + i, 0);
        for (; told != toldEnd && told->first < key; ++told)
            encodeAxiom(pinpointing ? told->first.first : 0, told->second.first, told->second.second, counter);
        encodeAxiom(pinpointing ? key.first : 0, byNormalId[deducedPairs[i].first], byNormalId[deducedPairs[i].second],
                    counter);
    }
    for (; told != toldEnd; ++told)
        encodeAxiom(pinpointing ? told->first.first : 0, told->second.first, told->second.second, counter);
    delete encodingMap;
    encodingMap = new EncodingMap();
    deducedPairs.clear();
    deducedPairs.shrink_to_fit();
    // Variables given later (a query concept without one) come after every
    // variable of this encoding.
    Concept::encoding_id_counter = std::max<uint64_t>(Concept::encoding_id_counter, *counter);
}

void TBox::finishDeductionAndEncode(bool encode, bool pinpointing)
{
    deduction_performed = true;
    if (save_deductions_table_file != nullptr) {
        FILE* lines = use_original_axioms_ids && save_deductions_table_file_ri != nullptr
                          ? save_deductions_table_file_ri
                          : save_deductions_table_file;
        printRIAxiomsInDeductionTable(lines);
    }
    if (encode)
        encodeDeductionsIntoSat(pinpointing);
    const unsigned long variables = pinpointing ? global_cnf_id_counter : only_deductions_cnf_id_counter;
    CNF_SAT_Encoder->endEncoding(false, variables, clauses_counter, axioms_clauses_counter, deduced_clauses_counter);
    if (pinpointing && pinpointing_f != nullptr)
        saveAssumptions(pinpointing_f);
    encoded = true;
}
