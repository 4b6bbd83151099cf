#include "pinpoint-encoder/RecordedClauseTie.h"

#include <cstdlib>

#include "model/ParserManager.h"
#include "reasoner/EncodedTBox.h"

bool RecordedClauseTie::makesClause(unsigned long sub, unsigned long super)
{
    return !EncodedTBox::holdsTrivially(sub, super);
}

// Runs at the first clause, while every record still holds its premises.
void RecordedClauseTie::prepare()
{
    prepared = true;
    const EncodedTBox* encoded = EncodedTBox::getInstance();
    const unsigned long recordCount = encoded->recordCount() + 1;

    // A derivation lacks a premise when it lost one itself or rests on a
    // record that does; premises are always earlier records.
    std::vector<bool> missing(recordCount, false);
    const std::vector<unsigned long>& incomplete = encoded->incompleteRecords();
    for (unsigned long n : incomplete)
        if (n < missing.size())
            missing[n] = true;
    if (!incomplete.empty())
        for (unsigned long n = 1; n < missing.size(); ++n)
            for (unsigned long premise : encoded->premisesOf(n))
                if (premise < n && missing[premise])
                    missing[n] = true;

    const unsigned long axioms = encoded->axiomCount();
    const unsigned long clauseRecords = axioms + encoded->savedCount();
    records.reserve(clauseRecords);
    for (unsigned long position = 1; position <= clauseRecords; ++position) {
        bool axiom = position <= axioms;
        unsigned long n = axiom ? encoded->axiomRecordNumber(position) : encoded->savedRecordNumber(position - axioms);
        std::pair<unsigned long, unsigned long> pair =
            axiom ? encoded->axiomRecordPair(position) : encoded->savedRecordPair(position - axioms);
        if (n == 0 || n >= recordCount || !makesClause(pair.first, pair.second))
            continue;
        records.push_back({position, pair.first, pair.second, !axiom && missing[n]});
    }
}

void RecordedClauseTie::refuse(const char* what, unsigned long k)
{
    std::string message = std::string(what) +
                          " (the encoding and the pinpointing information are not of one classification), "
                          "Horn clause number: ";
    ParserManager::getInstance()->postError(message, Parser, static_cast<unsigned int>(k));
}

bool RecordedClauseTie::bind(unsigned long concept, unsigned long variable, bool head)
{
    auto known = variableOfConcept.insert(concept, variable);
    if (!known.second && known.first != variable)
        return false;
    if (!head)
        return true;
    auto named = conceptOfHead.insert(variable, concept);
    return named.second || named.first == concept;
}

HornClauseTie::Control RecordedClauseTie::control(unsigned long k, const LiteralList& hornClause)
{
    if (!prepared)
        prepare();
    if (k > records.size())
        refuse("Horn clause without a record in the pinpointing information", k);
    const Tied& record = records[k - 1];
    bool matches = bind(record.super, static_cast<unsigned long>(hornClause.back()), true);
    if (matches && hornClause.size() == 2)
        matches = bind(record.sub, static_cast<unsigned long>(-hornClause.front()), false);
    if (!matches)
        refuse("Horn clause that does not match its record in the pinpointing information", k);

    Control control = byPosition(record.position);
    if (record.missingPremise && control.variable != 0) {
        delete control.clause;
        control.clause = nullptr;
        EncodedTBox::getInstance()->assumeMissingPremise(control.variable);
    }
    return control;
}

void RecordedClauseTie::ending(unsigned long hornClauses)
{
    if (!prepared)
        prepare();
    if (hornClauses < records.size())
        refuse("Record of the pinpointing information without its clause in the encoding", hornClauses + 1);
}
