// The records of the pinpointing information and the reload side.
#include "reasoner/EncodedTBox.h"

#include <algorithm>

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
    deductions.emplace_back();
    axiomNumbers.push_back(ClauseRecord{});
    savedNumbers.push_back(ClauseRecord{});
}

EncodedTBox::~EncodedTBox()
{
    freeRecords();
    releaseImplicationTable();
    if (Instance == this)
        Instance = nullptr;
}

void EncodedTBox::freeRecords()
{
    deductions.clear();
    deductions.shrink_to_fit();
    premisePool.clear();
    premisePool.shrink_to_fit();
    deductionMap.clear();
}

void EncodedTBox::startPinpointingInfoUpload()
{
    freeRecords();
    deductions.emplace_back();
    axiomNumbers.assign(1, ClauseRecord{});
    savedNumbers.assign(1, ClauseRecord{});
    clearAssumptions();
    assumptionBound = 0;
    missingPremiseControls.clear();
    incomplete.clear();
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
    incomplete.clear();
}

// A record line has at least ten bytes and most have more than twenty-four;
// room reserved beyond what the records fill is never touched. The map is
// sized for a number of pairs that the file surely holds.
void EncodedTBox::expectPinpointingBytes(unsigned long bytes)
{
    const unsigned long most = 1UL << 24;
    const unsigned long records = std::min(bytes / 24, most);
    if (records > deductions.size())
        deductions.reserve(records);
    deductionMap.expect(std::min(bytes / 48, most));
}

bool EncodedTBox::insertRecord(unsigned long sub, unsigned long super, const Deduction& record,
                               const Dependencies* dependencies)
{
    unsigned long number = allRecords + 1;
    if (!deductionMap.insert(sub, super, number))
        return false;
    allRecords = number;
    // After the records were dropped the vectors are refilled at the same positions.
    if (deductions.size() < number)
        deductions.resize(number);
    deductions.push_back(record);
    if (dependencies != nullptr) {
        Deduction& d = deductions.back();
        d.premiseCount = static_cast<unsigned>(dependencies->size());
        if (d.premisesInline()) {
            std::copy(dependencies->begin(), dependencies->end(), d.premises);
        } else {
            d.premises[0] = premisePool.size();
            premisePool.insert(premisePool.end(), dependencies->begin(), dependencies->end());
        }
    }
    return true;
}

EncodedTBox::PremiseRange EncodedTBox::premisesOf(const Deduction& d) const
{
    const unsigned long* first = d.premisesInline() ? d.premises : premisePool.data() + d.premises[0];
    return PremiseRange{first, first + d.premiseCount};
}

EncodedTBox::PremiseRange EncodedTBox::premisesOf(unsigned long n) const
{
    const Deduction* d = record(n);
    return d == nullptr ? PremiseRange{} : premisesOf(*d);
}

// An index below 1 selects no axiom and never raises the largest index.
void EncodedTBox::noteIndex(int index)
{
    if (index > 0 && static_cast<unsigned long>(index) > largestIndex)
        largestIndex = static_cast<unsigned long>(index);
}

bool EncodedTBox::insertPinpointingAxiom(unsigned long sub, unsigned long super, int index, int original)
{
    if (!insertRecord(sub, super, Deduction::axiom(index, original)))
        return false;
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
                                              const Dependencies* dependencies)
{
    if (!insertRecord(sub, super, Deduction::derivation(index, false), dependencies))
        return false;
    boolRecords += 1;
    noteIndex(index);
    return true;
}

bool EncodedTBox::insertPinpointingSavedClause(unsigned long sub, unsigned long super, int index,
                                               const Dependencies* dependencies)
{
    if (!insertRecord(sub, super, Deduction::derivation(index, true), dependencies))
        return false;
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
    delete implicationTable;
    implicationTable = nullptr;
    Implications().swap(implications);
}

void EncodedTBox::replaceImplicationTable(unsigned long variables)
{
    releaseImplicationTable();
    implicationTable = new ImplicationTable();
    declaredVariableCount = variables;
}

bool EncodedTBox::holdsTrivially(unsigned long sub, unsigned long super)
{
    const unsigned long bottomId = 0;
    const unsigned long topId = 1;
    return sub == super || super == topId || sub == bottomId;
}
