// Subsumption queries, decided by the installed encoder, and the hand-over of
// single clauses to it.
#include "reasoner/TBox.h"

unsigned long TBoxCore::encodingVariable(Concept* c)
{
    if (c->encodingId == 0)
        c->encodingId = ++Concept::encoding_id_counter;
    return c->encodingId;
}

void TBoxCore::addClauseToEncoder(LiteralList* clause)
{
    if (CNF_SAT_Encoder->addClause(clause, nullptr, 0))
        clauses_counter += 1;
    delete clause;
}

void TBoxCore::addUnitClauseToEncoder(long literal)
{
    LiteralList clause{literal};
    if (CNF_SAT_Encoder->addClause(&clause, nullptr, 0))
        clauses_counter += 1;
}

bool TBoxCore::decideSubsumption(Concept* sub, Concept* super)
{
    long subVariable = static_cast<long>(encodingVariable(sub));
    long superVariable = static_cast<long>(encodingVariable(super));
    return CNF_SAT_Encoder->checkSatisfiability(subVariable, superVariable, Concept::encoding_id_counter,
                                                clauses_counter);
}

LiteralList* TBoxCore::decideSubsumptionAndPinpoint(Concept* sub, Concept* super, LiteralList* assumptions,
                                                bool refresh, unsigned long variables, unsigned long clauseCount)
{
    long subVariable = static_cast<long>(encodingVariable(sub));
    long superVariable = static_cast<long>(encodingVariable(super));
    return CNF_SAT_Encoder->checkSatisfiabilityAndPinpoint(
        subVariable, superVariable, assumptions, refresh, variables != 0 ? variables : Concept::encoding_id_counter,
        clauseCount != 0 ? clauseCount : clauses_counter);
}

bool TBoxCore::decideSubsumptions(const std::list<Concept*>& subs, const std::list<Concept*>& supers)
{
    LiteralList positives;
    LiteralList negatives;
    for (Concept* c : subs)
        positives.push_back(static_cast<long>(encodingVariable(c)));
    for (Concept* c : supers)
        negatives.push_back(static_cast<long>(encodingVariable(c)));
    return CNF_SAT_Encoder->checkSatisfiability(&positives, &negatives, Concept::encoding_id_counter,
                                                clauses_counter);
}
