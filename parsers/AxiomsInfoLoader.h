#ifndef KORVANE_PARSERS_AXIOMSINFOLOADER_H
#define KORVANE_PARSERS_AXIOMSINFOLOADER_H

// The actions of the axioms information: the header's numbers and the axiom
// assumptions go into the EncodedTBox, which then holds a finished
// pinpointing encoding's assumptions without any records.
class AxiomsInfoLoader {
public:
    AxiomsInfoLoader() = delete;

    // The header: largest axiom index, largest original number, number of
    // axiom records, variable offset and numbering mode ("O": original).
    static void header(unsigned long largestIndex, unsigned long largestOriginal, unsigned long axiomRecords,
                       unsigned long offset, bool original);
    // The line "k v 0". An index above the header's largest one, or a
    // variable not above the offset (the variable of a concept), is warned
    // about and selects no axiom.
    static void axiom(unsigned long k, unsigned long v);
    // The line "0 v 0": the control variable v of a derivation that lost a
    // premise is assumed with the axioms; an answer that rests on it has
    // unknown axioms. A variable not above the offset is warned about and
    // not assumed.
    static void lostPremise(unsigned long v);
    // After the last line: the assumptions are ready for queries.
    static void endOfInput();

private:
    // False, with a warning, for a variable not above the offset.
    static bool aboveTheConcepts(unsigned long v, unsigned int line);
    // From the header: the largest axiom index and the variable offset.
    static unsigned long a_ids;
    static unsigned long min_cnf;
};

#endif
