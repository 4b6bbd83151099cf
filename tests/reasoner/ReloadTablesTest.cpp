// The two stores of a stored encoding read back: the concepts of the
// variables (an array for the densely numbered variables a run writes, a
// side table for numbers far beyond) and the Horn clauses with their bodies
// in one array; each against a plain model over random input.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "reasoner/HornClauseList.h"
#include "reasoner/VariableTable.h"

namespace {

// Stand-ins for concepts: the table only stores and returns them.
Concept* token(unsigned long n) { return reinterpret_cast<Concept*>(static_cast<std::uintptr_t>(n * 8 + 8)); }

// Dense runs (in order, backwards, shuffled) mixed with numbers far beyond
// every run: each entry is found again, absent ones are null, and a number
// near the largest representable one costs no array of that size.
TEST(VariableTable, FindsEveryEntryWhateverTheOrderAndSpreadOfTheNumbers)
{
    std::mt19937_64 random(30);
    for (int round = 0; round < 40; ++round) {
        VariableTable table;
        std::map<unsigned long, Concept*> model;
        std::vector<unsigned long> indexes;
        const unsigned long run = 1 + random() % 5000;
        for (unsigned long i = 0; i < run; ++i)
            indexes.push_back(i);
        if (round % 3 == 1)
            std::reverse(indexes.begin(), indexes.end());
        if (round % 3 == 2)
            std::shuffle(indexes.begin(), indexes.end(), random);
        // Far numbers, early and late, some of which the array reaches later.
        for (int k = 0; k < 20; ++k) {
            const unsigned long far = k % 2 == 0 ? run + random() % (4 * run + 4096) : random() >> (random() % 64);
            indexes.insert(indexes.begin() + static_cast<long>(random() % (indexes.size() + 1)), far);
        }
        indexes.push_back(~0UL);
        unsigned long n = 0;
        for (unsigned long index : indexes) {
            Concept* c = token(++n);
            table[index] = c;
            model[index] = c;
        }
        for (const auto& [index, c] : model)
            ASSERT_EQ(table.find(index), c) << "round " << round << ", index " << index;
        EXPECT_EQ(table.size(), model.size());
        for (int k = 0; k < 200; ++k) {
            const unsigned long probe = random() % (2 * run + 8192);
            EXPECT_EQ(table.find(probe), model.count(probe) != 0 ? model[probe] : nullptr);
        }
    }
}

// Bodies of one to eight variables, in input order, each with its head, by
// iteration and by position; release empties the list.
TEST(HornClauseList, GivesBackEveryClauseInOrder)
{
    std::mt19937_64 random(31);
    HornClauseList list;
    std::vector<std::pair<std::vector<unsigned long>, unsigned long>> model;
    for (int k = 0; k < 3000; ++k) {
        std::vector<unsigned long> body(1 + random() % 8);
        for (unsigned long& v : body)
            v = random() % 100000;
        const unsigned long head = random() % 100000;
        list.add(body, head);
        model.emplace_back(body, head);
    }
    ASSERT_EQ(list.size(), model.size());
    std::size_t k = 0;
    for (const auto& [body, head] : list) {
        ASSERT_LT(k, model.size());
        EXPECT_EQ(std::vector<unsigned long>(body.begin(), body.end()), model[k].first);
        EXPECT_EQ(body.front(), model[k].first.front());
        EXPECT_EQ(head, model[k].second);
        EXPECT_EQ(list[k].head, model[k].second);
        EXPECT_EQ(list[k].body.size(), model[k].first.size());
        ++k;
    }
    EXPECT_EQ(k, model.size());
    list.release();
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.begin() != list.end());
}

}
