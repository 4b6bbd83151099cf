#ifndef KORVANE_REASONER_ENCODEDTBOX_H
#define KORVANE_REASONER_ENCODEDTBOX_H

#include <cstddef>
#include <cstdio>
#include <list>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "model/pool_allocator.h"
#include "reasoner/EncodedDeduction.h"
#include "reasoner/Encoder.h"
#include "reasoner/HornClauseList.h"
#include "reasoner/SubsumptionPairIndex.h"
#include "reasoner/VariableTable.h"

class Concept;

// The process-wide store of what is read back from files.
//
// Pinpointing side: the records of the pinpointing information (numbered from
// 1 in insertion order, record 0 being a placeholder), the map from derived
// (sub, super) pairs to records, the assumption variable of every axiom, and
// the control variables and control clauses that tie each derived clause of a
// copied encoding to the axioms it rests on.
//
// Reload side: the clauses of a stored encoding, sorted for the rebuild of a
// classified terminology.
class EncodedTBox {
public:
    using Deduction = EncodedDeduction;
    using Dependencies = EncodedDeduction::Dependencies;
    using DeductionVector = std::vector<Deduction>;
    // The premise record numbers of one record, in premise order.
    struct PremiseRange {
        const unsigned long* first = nullptr;
        const unsigned long* last = nullptr;
        const unsigned long* begin() const { return first; }
        const unsigned long* end() const { return last; }
        std::size_t size() const { return static_cast<std::size_t>(last - first); }
        bool empty() const { return first == last; }
    };
    // Zero-based variable indexes (variable - 1), without sign.
    using VariableList = std::vector<unsigned long>;
    // Per variable that the normalisation map names, by its index: its
    // concept.
    using ImplicationTable = VariableTable;
    // (premise, implied variable) per deduced clause of two literals.
    using Implications = std::vector<std::pair<unsigned long, unsigned long>>;
    // (body variables, head variable) per Horn clause.
    using HornClauses = HornClauseList;

    static EncodedTBox* Instance;
    static EncodedTBox* getInstance();

    // Number the assumption variables by the axioms' original numbers.
    static bool use_original_axiom_index;

    // Whether the subsumption between the concepts of these ids holds without
    // any axiom: a concept under itself, under TOP or over BOTTOM (the normal
    // form gives BOTTOM and TOP the first two ids).
    static bool holdsTrivially(unsigned long sub, unsigned long super);

    EncodedTBox();
    EncodedTBox(const EncodedTBox&) = delete;
    EncodedTBox& operator=(const EncodedTBox&) = delete;
    ~EncodedTBox();

    // --- Records of the pinpointing information.

    // Forgets everything of the pinpointing side and starts the numbering anew.
    void startPinpointingInfoUpload();
    // The pinpointing information about to be read has this many bytes (0:
    // not known): the records and their map are sized for it at once rather
    // than grown while the records come in.
    void expectPinpointingBytes(unsigned long bytes);
    // Each stores a record under (sub, super) and returns true; a pair that is
    // already known is ignored (false). The premise record numbers are copied
    // (null or empty: none).
    bool insertPinpointingAxiom(unsigned long sub, unsigned long super, int index, int original);
    bool insertPinpointingBoolClause(unsigned long sub, unsigned long super, int index,
                                     const Dependencies* dependencies);
    bool insertPinpointingSavedClause(unsigned long sub, unsigned long super, int index,
                                      const Dependencies* dependencies);
    // The record number of the pair, 0 when it has none.
    unsigned long findDeductionId(unsigned long sub, unsigned long super) const;
    // The pair will soon be looked up or inserted: its place in the map is
    // fetched into the cache meanwhile.
    void prefetchDeduction(unsigned long sub, unsigned long super) const { deductionMap.prefetch(sub, super); }
    // The record numbered n (the last stored) is a derivation that lost a
    // premise (one that named no earlier record).
    void noteIncompleteRecord(unsigned long n) { incomplete.push_back(n); }
    // The record numbers of those derivations, in input order.
    const std::vector<unsigned long>& incompleteRecords() const { return incomplete; }
    // Frees the records once the encoding has been copied; the assumption
    // variables and the counters stay.
    void dropPinpointingRecords();

    // --- Control variables and clauses of the pinpointing encoding.

    // The copied encoding declares `offset` variables: the assumption
    // variables of the axioms are numbered above them.
    void startEncodingPinpointing(unsigned long offset);
    // The control variable of the k-th non-unit clause of the copied encoding
    // (k from 1): the k-th axiom record's, then the saved records' in order;
    // 0 for a clause beyond them.
    unsigned long getControlCnfId(unsigned long k);
    // For a clause of a saved record: the new clause (¬x1 ∨ ... ∨ ¬xn ∨ c)
    // that makes its control variable c follow from the assumptions and
    // control variables it rests on; null when there is none.
    LiteralList* getControlCnfClause(unsigned long k);

    // --- Axiom assumptions.

    // A new list of the distinct assumption variables, ascending.
    LiteralList* getAxiomsAssumptions() const;
    // Rewrites pinpointed assumption variables in place into GCI axiom numbers
    // and returns a new list of the role-axiom numbers taken out of it.
    LiteralList* convertAssumptionsInAxiomsIds(LiteralList* pinpointed) const;
    // The axioms information: a header line, one line per axiom with its
    // assumption variable, and one line "0 v 0" per control variable v
    // assumed for a derivation that lost a premise.
    void saveAxiomsAssumptions(FILE* f) const;
    // The header of an axioms information file.
    void loadAxiomsAssumptions(unsigned long largestIndex, unsigned long largestOriginal,
                               unsigned long axiomRecords, unsigned long offset);
    // Axiom k (1 .. the largest index loaded) is selected by v; false, and
    // nothing stored, for a k outside that range.
    bool addAxiomAssumption(unsigned long k, unsigned long v);

    // The control variable of a derivation that lost a premise: it is assumed
    // with the axioms (it has no control clause), so an answer that rests on
    // the derivation has it among its pinpointed variables.
    void assumeMissingPremise(unsigned long controlVariable);
    // Whether pinpointed variables include such a control variable: the
    // axioms of the answer are then not known.
    bool restsOnMissingPremise(const LiteralList& pinpointed) const;

    // --- Reload side.

    // Frees the implication table and the implications, and puts a new,
    // empty table in its place for an encoding that declares `variables`
    // variables. The table holds the variables that the map names
    // (implicationEntry): a declared count, or a variable number, that the
    // text does not otherwise fill costs nothing.
    void replaceImplicationTable(unsigned long variables);
    // The concept of the variable with this index (0-based, below the
    // declared count), null first when the table has none.
    Concept*& implicationEntry(unsigned long index) { return (*implicationTable)[index]; }
    // The variable count that the last encoding read declared.
    unsigned long declaredVariables() const { return declaredVariableCount; }

    // --- Read access.

    // Record n (1-based), null when there is none. Valid until the next
    // record is stored.
    const Deduction* getDeduction(unsigned long n) const;
    // The premises of record n (none for an axiom, an unknown number, or a
    // derivation whose control clause exists). Valid until the next record
    // is stored.
    PremiseRange premisesOf(unsigned long n) const;
    // The record number of the k-th axiom record / k-th saved record, 0 when none.
    unsigned long axiomRecordNumber(unsigned long k) const;
    unsigned long savedRecordNumber(unsigned long k) const;
    // The (sub id, super id) pair of the k-th axiom record / k-th saved
    // record, (0, 0) when none.
    std::pair<unsigned long, unsigned long> axiomRecordPair(unsigned long k) const;
    std::pair<unsigned long, unsigned long> savedRecordPair(unsigned long k) const;
    // The assumption variable of axiom k, 0 when none.
    unsigned long assumptionOf(long k) const;
    const std::set<unsigned long>& getAssumptionSet() const { return assumptionSet; }
    // Axiom number -> assumption variable of every axiom that has one.
    const std::map<unsigned long, unsigned long>& axiomAssumptions() const { return assumptions; }

    unsigned long savedCount() const { return savedRecords; }
    unsigned long boolCount() const { return boolRecords; }
    unsigned long recordCount() const { return allRecords; }
    unsigned long axiomCount() const { return axiomRecords; }
    unsigned long largestAxiomIndex() const { return largestIndex; }
    unsigned long largestOriginalNumber() const { return largestOriginal; }
    unsigned long variableOffset() const { return offset; }
    unsigned long lastControlVariable() const { return lastControl; }
    unsigned long lastAssumptionVariable() const { return lastAssumption; }

    // Set by the encoding reader.
    bool encodingLoaded = false;
    ImplicationTable* implicationTable = nullptr;
    // In input order; the rebuild takes them in the order of their premises.
    Implications implications;
    HornClauses axiomClauses;
    HornClauses multiPremiseClauses;
    // Set by the normalisation-map reader: the inclusions of the normal form
    // that make no clause (bottom on the left, top on the right, one concept
    // on both sides), which the encoding therefore does not hold.
    std::list<std::pair<Concept*, Concept*>> unencodedInclusions;
    // Set once pinpointing information (or an axioms information) was read.
    bool pinpointingLoaded = false;
    // Set once the assumption data are ready for queries.
    bool axiomsInformationLoaded = false;

private:
    // Stores the record with a copy of the premises.
    bool insertRecord(unsigned long sub, unsigned long super, const Deduction& record,
                      const Dependencies* dependencies = nullptr);
    PremiseRange premisesOf(const Deduction& d) const;
    void noteIndex(int index);
    // Record n, null when there is none (inline: one per step of a control clause).
    Deduction* record(unsigned long n)
    {
        return n > 0 && n < deductions.size() && deductions[n].present ? &deductions[n] : nullptr;
    }
    const Deduction* record(unsigned long n) const
    {
        return n > 0 && n < deductions.size() && deductions[n].present ? &deductions[n] : nullptr;
    }
    Deduction* clauseRecord(unsigned long k);
    unsigned long controlVariableOf(Deduction* d);
    unsigned long clauseRecordNumber(unsigned long k) const;
    void generateControlClause(unsigned long root, LiteralList* clause, unsigned long mark);
    // Puts the negated assumption of record n's axiom at the front of the
    // clause `mark`, unless the clause has it already.
    void addAssumptionLiteral(unsigned long n, int index, unsigned long mark, LiteralList* clause);
    // Axiom k is selected by v (0: by none).
    void setAssumption(unsigned long k, unsigned long v);
    void clearAssumptions();
    // Counts the axioms of each assumption variable, once one is replaced.
    void countAssumptionUses();
    // Stores the (axiom, variable) pairs (one variable per axiom) as the only
    // assumptions, and gives every record the mark slot of its axiom's
    // variable.
    void numberAssumptions(std::vector<std::pair<unsigned long, unsigned long>>& named);
    void freeRecords();
    void releaseImplicationTable();

    unsigned long declaredVariableCount = 0;
    SubsumptionPairIndex deductionMap;
    DeductionVector deductions;
    // The premise lists longer than a record holds, one after the other.
    std::vector<unsigned long> premisePool;

    unsigned long savedRecords = 0;
    unsigned long boolRecords = 0;
    unsigned long allRecords = 0;
    unsigned long axiomRecords = 0;
    unsigned long largestIndex = 0;
    unsigned long largestOriginal = 0;
    unsigned long offset = 0;
    unsigned long lastControl = 0;
    unsigned long lastAssumption = 0;

    // The k-th axiom record and the k-th saved record: its number and pair.
    struct ClauseRecord {
        unsigned long number = 0;
        unsigned long sub = 0;
        unsigned long super = 0;
    };
    std::vector<ClauseRecord> axiomNumbers;
    std::vector<ClauseRecord> savedNumbers;
    // Axiom number -> assumption variable, only for the axioms that have one:
    // the positions of the axiom records and the indexes that records name
    // (or the lines of a loaded axioms information). An index may lie far
    // above the number of records; nothing is sized by it.
    std::map<unsigned long, unsigned long> assumptions;
    // The largest axiom number that may have an assumption.
    unsigned long assumptionBound = 0;
    // How many axioms each assumption variable selects: counted only once an
    // axiom's variable is replaced, until the assumptions are cleared.
    std::map<unsigned long, unsigned long> assumptionUses;
    bool usesCounted = false;
    std::set<unsigned long> assumptionSet;
    // While control clauses are made: the assumption variables when the
    // numbering began, ascending, with one visit mark each, and per record
    // number 1 + the slot of its axiom's variable (0: none). Empty once the
    // assumptions change.
    std::vector<unsigned long> markedVariables;
    std::vector<unsigned long> visitMarks;
    std::vector<unsigned> recordSlots;
    std::set<unsigned long> missingPremiseControls;
    std::vector<unsigned long> incomplete;
};

#endif
