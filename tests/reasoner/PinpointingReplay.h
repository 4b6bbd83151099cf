#ifndef KORVANE_TESTS_REASONER_PINPOINTINGREPLAY_H
#define KORVANE_TESTS_REASONER_PINPOINTINGREPLAY_H

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/Concept.h"
#include "model/TrivialConcept.h"
#include "reasoner/TBox.h"

namespace korvane_test {

// Replays the pinpointing information written by a classification of tbox:
// every derivation record must cite an axiom index given out and premise
// pairs that hold before it (a trivial pair x ⊑ x, a pair the preparation
// seeds without a GCI, a GCI's "A" record or an earlier derivation), and the
// pairs so obtained must cover every pair of every subsumed list. Returns
// the faults found (at most a few of each kind) and counts the records.
class PinpointingReplay {
public:
    PinpointingReplay(TBox* tbox, const std::string& text) : tbox(tbox)
    {
        for (Concept* c : tbox->normalizedConcepts)
            byId[c->id] = c;
        for (RoleAxiom* a : tbox->roleAxioms)
            indexes.insert(a->index);
        replay(text);
        checkCoverage();
    }

    std::vector<std::string> faults;
    std::size_t axiomRecords = 0;
    std::size_t derivations = 0;
    // Derivation records by their number of premise pairs.
    std::map<std::size_t, std::size_t> byPremiseCount;

private:
    using Pair = std::pair<unsigned long, unsigned long>;

    void fault(const std::string& text)
    {
        if (faults.size() < 10)
            faults.push_back(text);
    }

    static std::string show(const Pair& p) { return std::to_string(p.first) + " " + std::to_string(p.second); }

    // Pairs that hold without a record: x ⊑ x, ⊥ ⊑ y, x ⊑ ⊤, and a
    // conjunction under each of its operands.
    bool seeded(const Pair& p) const
    {
        if (p.first == p.second)
            return true;
        Concept* sub = concept(p.first);
        Concept* super = concept(p.second);
        if (sub == nullptr || super == nullptr)
            return false;
        if (sub == TrivialConcept::BOTTOM || super == TrivialConcept::TOP)
            return true;
        if (TBox::initializeNonPrimitive && sub->kind == CONJUNCTION)
            for (Concept* operand : *sub->operands)
                if (operand == super)
                    return true;
        return false;
    }

    Concept* concept(unsigned long id) const
    {
        auto found = byId.find(id);
        return found == byId.end() ? nullptr : found->second;
    }

    bool holds(const Pair& p) const { return seeded(p) || known.count(p) != 0; }

    void replay(const std::string& text)
    {
        std::istringstream in(text);
        std::vector<long> numbers;
        std::string token;
        while (in >> token) {
            if (token != "A" && token != "B" && token != "S") {
                numbers.push_back(std::stol(token));
                continue;
            }
            if (token == "A") {
                if (numbers.size() != 4) {
                    fault("axiom record with " + std::to_string(numbers.size()) + " numbers");
                } else {
                    ++axiomRecords;
                    known.insert({numbers[0], numbers[1]});
                    indexes.insert(static_cast<int>(numbers[2]));
                }
            } else {
                derivation(numbers);
            }
            numbers.clear();
        }
        if (!numbers.empty())
            fault("numbers after the last record");
    }

    void derivation(const std::vector<long>& numbers)
    {
        if (numbers.size() < 5 || numbers.size() % 2 == 0) {
            fault("derivation record with " + std::to_string(numbers.size()) + " numbers");
            return;
        }
        ++derivations;
        ++byPremiseCount[(numbers.size() - 3) / 2];
        Pair derived(numbers[0], numbers[1]);
        if (indexes.count(static_cast<int>(numbers[2])) == 0)
            fault("record " + show(derived) + " cites the unknown axiom index " + std::to_string(numbers[2]));
        if (numbers[3] != numbers[0])
            fault("record " + show(derived) + " does not start its premises with its subsumee");
        for (std::size_t k = 3; k + 1 < numbers.size(); k += 2) {
            Pair premise(numbers[k], numbers[k + 1]);
            if (!holds(premise))
                fault("record " + show(derived) + " cites the premise " + show(premise) + " before it holds");
        }
        known.insert(derived);
    }

    void checkCoverage()
    {
        for (Concept* c : tbox->normalizedConcepts) {
            if (c->deduction.subsumed == nullptr)
                continue;
            for (Concept* x : *c->deduction.subsumed)
                if (!holds({x->id, c->id}))
                    fault("the subsumed pair " + show({x->id, c->id}) + " has no record");
        }
    }

    TBox* tbox;
    std::map<unsigned long, Concept*> byId;
    std::set<int> indexes;
    std::set<Pair> known;
};

} // namespace korvane_test

#endif
