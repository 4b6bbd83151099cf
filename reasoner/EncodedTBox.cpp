// The records of the pinpointing information and the reload side.
#include "reasoner/EncodedTBox.h"

EncodedTBox* EncodedTBox::Instance = nullptr;
bool EncodedTBox::use_original_axiom_index = false;

EncodedTBox* EncodedTBox::getInstance()
{
    if (Instance == nullptr)
        Instance = new EncodedTBox();
    return Instance;
}

EncodedTBox::EncodedTBox()
{
    deductions.push_back(nullptr);
    axiomNumbers.push_back(ClauseRecord{});
    savedNumbers.push_back(ClauseRecord{});
}

EncodedTBox::~EncodedTBox()
{
    freeRecords();
    releaseImplicationTable();
    freeClauseLists(axiomClauses);
    freeClauseLists(multiPremiseClauses);
    if (Instance == this)
        Instance = nullptr;
}

void EncodedTBox::freeRecords()
{
    for (Deduction* d : deductions)
        delete d;
    deductions.clear();
    deductionMap.clear();
}

void EncodedTBox::freeClauseLists(HornClauses& clauses)
{
    for (auto& clause : clauses)
        delete clause.first;
    clauses.clear();
}

void EncodedTBox::startPinpointingInfoUpload()
{
    freeRecords();
    deductions.push_back(nullptr);
    axiomNumbers.assign(1, ClauseRecord{});
    savedNumbers.assign(1, ClauseRecord{});
    clearAssumptions();
    assumptionBound = 0;
    missingPremiseControls.clear();
    savedRecords = boolRecords = allRecords = axiomRecords = 0;
    largestIndex = largestOriginal = 0;
    offset = lastControl = lastAssumption = 0;
    pinpointingLoaded = false;
    axiomsInformationLoaded = false;
}

void EncodedTBox::dropPinpointingRecords()
{
    freeRecords();
    axiomNumbers.clear();
    savedNumbers.clear();
    recordSlots.clear();
}

bool EncodedTBox::insertRecord(unsigned long sub, unsigned long super, Deduction* record)
{
    unsigned long number = allRecords + 1;
    if (!deductionMap.insert(sub, super, number))
        return false;
    allRecords = number;
    // After the records were dropped the vectors are refilled at the same positions.
    if (deductions.size() < number)
        deductions.resize(number, nullptr);
    deductions.push_back(record);
    return true;
}

// An index below 1 selects no axiom and never raises the largest index.
void EncodedTBox::noteIndex(int index)
{
    if (index > 0 && static_cast<unsigned long>(index) > largestIndex)
        largestIndex = static_cast<unsigned long>(index);
}

bool EncodedTBox::insertPinpointingAxiom(unsigned long sub, unsigned long super, int index, int original)
{
    Deduction* d = Deduction::axiom(index, original);
    if (!insertRecord(sub, super, d)) {
        delete d;
        return false;
    }
    axiomRecords += 1;
    if (axiomNumbers.size() < axiomRecords)
        axiomNumbers.resize(axiomRecords, ClauseRecord{});
    axiomNumbers.push_back(ClauseRecord{allRecords, sub, super});
    noteIndex(index);
    if (original > 0 && static_cast<unsigned long>(original) > largestOriginal)
        largestOriginal = static_cast<unsigned long>(original);
    return true;
}

bool EncodedTBox::insertPinpointingBoolClause(unsigned long sub, unsigned long super, int index,
                                              Dependencies* dependencies)
{
    Deduction* d = Deduction::derivation(index, dependencies, false);
    if (!insertRecord(sub, super, d)) {
        d->dependencies = nullptr;
        delete d;
        return false;
    }
    boolRecords += 1;
    noteIndex(index);
    return true;
}

bool EncodedTBox::insertPinpointingSavedClause(unsigned long sub, unsigned long super, int index,
                                               Dependencies* dependencies)
{
    Deduction* d = Deduction::derivation(index, dependencies, true);
    if (!insertRecord(sub, super, d)) {
        d->dependencies = nullptr;
        delete d;
        return false;
    }
    savedRecords += 1;
    if (savedNumbers.size() < savedRecords)
        savedNumbers.resize(savedRecords, ClauseRecord{});
    savedNumbers.push_back(ClauseRecord{allRecords, sub, super});
    noteIndex(index);
    return true;
}

unsigned long EncodedTBox::findDeductionId(unsigned long sub, unsigned long super) const
{
    return deductionMap.find(sub, super);
}

EncodedTBox::Deduction* EncodedTBox::record(unsigned long n) const
{
    return n > 0 && n < deductions.size() ? deductions[n] : nullptr;
}

const EncodedTBox::Deduction* EncodedTBox::getDeduction(unsigned long n) const
{
    return record(n);
}

unsigned long EncodedTBox::axiomRecordNumber(unsigned long k) const
{
    return k > 0 && k < axiomNumbers.size() ? axiomNumbers[k].number : 0;
}

unsigned long EncodedTBox::savedRecordNumber(unsigned long k) const
{
    return k > 0 && k < savedNumbers.size() ? savedNumbers[k].number : 0;
}

std::pair<unsigned long, unsigned long> EncodedTBox::axiomRecordPair(unsigned long k) const
{
    return k > 0 && k < axiomNumbers.size() ? std::make_pair(axiomNumbers[k].sub, axiomNumbers[k].super)
                                            : std::make_pair(0UL, 0UL);
}

std::pair<unsigned long, unsigned long> EncodedTBox::savedRecordPair(unsigned long k) const
{
    return k > 0 && k < savedNumbers.size() ? std::make_pair(savedNumbers[k].sub, savedNumbers[k].super)
                                            : std::make_pair(0UL, 0UL);
}

void EncodedTBox::releaseImplicationTable()
{
    if (implicationTable != nullptr) {
        // Lists that the rebuild has already consumed are null here.
        for (auto& entry : *implicationTable)
            delete entry.second.second;
        delete implicationTable;
        implicationTable = nullptr;
    }
    reloadTableFreed = true;
}

void EncodedTBox::replaceImplicationTable(unsigned long variables)
{
    releaseImplicationTable();
    implicationTable = new ImplicationTable();
    declaredVariableCount = variables;
    reloadTableFreed = false;
}

EncodedTBox::ImplicationTable::mapped_type& EncodedTBox::implicationEntry(unsigned long index)
{
    return (*implicationTable)[index];
}

bool EncodedTBox::holdsTrivially(unsigned long sub, unsigned long super)
{
    const unsigned long bottomId = 0;
    const unsigned long topId = 1;
    return sub == super || super == topId || sub == bottomId;
}
