#ifndef KORVANE_TESTS_PARSERS_TABLEENCODER_H
#define KORVANE_TESTS_PARSERS_TABLEENCODER_H

#include <map>
#include <utility>
#include <vector>

#include "reasoner/Encoder.h"

namespace korvane_test {

// A sink that claims to solve in process (kind 2) and answers each query
// (sub, super) from a fixed table: a listed pair holds (unsatisfiable) and
// pinpoints its listed variables; any other pair does not hold. It keeps what
// it was handed for pinpointing.
class TableEncoder : public Encoder {
public:
    TableEncoder() : Encoder(nullptr, nullptr, SOLVER) {}

    void holds(long sub, long super, std::vector<long> pinpointed = {}) { table[{sub, super}] = pinpointed; }

    bool addClause(const LiteralList* literals, const KindList*, unsigned) override
    {
        return literals != nullptr && !literals->empty();
    }
    bool endEncoding(bool, unsigned long, unsigned long, unsigned long, unsigned long) override { return true; }
    bool checkSatisfiability(const LiteralList*, const LiteralList*, unsigned long, unsigned long) override
    {
        return true;
    }
    bool checkSatisfiability(long sub, long super, unsigned long, unsigned long) override
    {
        return table.count({sub, super}) == 0;
    }
    LiteralList* checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList*, bool, unsigned long,
                                                unsigned long) override
    {
        auto it = table.find({sub, super});
        if (it == table.end())
            return nullptr;
        return new LiteralList(it->second.begin(), it->second.end());
    }
    void preparePinpointing(const LiteralList* assumptions) override
    {
        prepared.push_back(std::vector<long>(assumptions->begin(), assumptions->end()));
    }

    std::map<std::pair<long, long>, std::vector<long>> table;
    std::vector<std::vector<long>> prepared;
};

} // namespace korvane_test

#endif
