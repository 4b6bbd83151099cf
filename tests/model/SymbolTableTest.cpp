#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "model/SymbolTable.h"

using namespace korvane_test;

namespace {

TEST(SymbolTableTest, FirstEntryOfANameStays)
{
    SymbolTable table;
    Concept* a = new PrimitiveConcept(std::string("A"));
    Role* asRole = new PrimitiveRole(std::string("A"));
    EXPECT_TRUE(table.addEntry("A", a, 3));
    EXPECT_EQ(table.getLastPosition(), table.end());
    EXPECT_FALSE(table.addEntry("A", asRole, 9));
    // The failed insertion leaves the position on the existing entry.
    ASSERT_NE(table.getLastPosition(), table.end());
    EXPECT_EQ(table.getLastPosition()->first, "A");
    EXPECT_EQ(table.getLastPosition()->second->line, 3u);

    EXPECT_EQ(table.getEntryType("A"), ST_CONCEPT);
    SymbolTableEntry* entry = table.getEntry("A");
    EXPECT_EQ(entry->type, ST_CONCEPT);
    EXPECT_EQ(entry->object, a);
    EXPECT_EQ(entry->line, 3u);
    EXPECT_EQ(entry->getConcept(), a);
    EXPECT_EQ(entry->getRole(), nullptr);
    EXPECT_EQ(table.size(), 1u);
    // The rejected object was neither stored nor freed.
    EXPECT_EQ(static_cast<PrimitiveRole*>(asRole)->name, "A");
}

TEST(SymbolTableTest, NamesAreCaseSensitiveAndExact)
{
    SymbolTable table;
    Concept* lower = new PrimitiveConcept(std::string("heart"));
    Concept* upper = new PrimitiveConcept(std::string("Heart"));
    Role* r = new PrimitiveRole(std::string("hasPart"));
    EXPECT_TRUE(table.addEntry("heart", lower, 1));
    EXPECT_TRUE(table.addEntry("Heart", upper, 2));
    EXPECT_TRUE(table.addEntry("hasPart", r, 4));
    EXPECT_EQ(table.size(), 3u);
    EXPECT_EQ(table.getEntry("heart")->getConcept(), lower);
    EXPECT_EQ(table.getEntry("Heart")->getConcept(), upper);
    EXPECT_EQ(table.getEntryType("hasPart"), ST_ROLE);
    EXPECT_EQ(table.getEntry("hasPart")->getRole(), r);
    EXPECT_EQ(table.getEntry("hasPart")->getConcept(), nullptr);
    EXPECT_EQ(table.getEntryType("HEART"), ST_NONE);
    EXPECT_EQ(table.getEntryType("heart "), ST_NONE);
    EXPECT_EQ(table.getEntryType("hear"), ST_NONE);
}

TEST(SymbolTableTest, AbsentNamesGiveTheOneEmptyEntry)
{
    SymbolTable table;
    table.addEntry("A", new PrimitiveConcept(std::string("A")), 1);
    SymbolTableEntry* empty = table.getEntry("missing");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->type, ST_NONE);
    EXPECT_EQ(empty->object, nullptr);
    EXPECT_EQ(empty->line, 0u);
    EXPECT_EQ(empty->getConcept(), nullptr);
    EXPECT_EQ(empty->getRole(), nullptr);
    EXPECT_EQ(table.getEntry("other missing"), empty);
    EXPECT_NE(table.getEntry("A"), empty);
    EXPECT_EQ(table.getEntryPtr("missing"), nullptr);
    EXPECT_EQ(table.getEntryType("missing"), ST_NONE);
}

TEST(SymbolTableTest, LookupsRecordTheLastPosition)
{
    SymbolTable table;
    Concept* a = new PrimitiveConcept(std::string("A"));
    Role* r = new PrimitiveRole(std::string("r"));
    table.addEntry("A", a, 1);
    table.addEntry("r", r, 2);

    table.getEntryType("r");
    ASSERT_NE(table.getLastPosition(), table.end());
    EXPECT_EQ(table.getLastPosition()->first, "r");
    EXPECT_EQ(table.getLastPosition()->second->getRole(), r);

    table.getEntryPtr("A");
    ASSERT_NE(table.getLastPosition(), table.end());
    EXPECT_EQ(table.getLastPosition()->second->line, 1u);

    table.getEntry("nothing");
    EXPECT_EQ(table.getLastPosition(), table.end());
    table.getEntry("r");
    EXPECT_EQ(table.getLastPosition()->first, "r");
    table.getEntryPtr("nothing");
    EXPECT_EQ(table.getLastPosition(), table.end());
    table.getEntryType("A");
    table.getEntryType("nothing");
    EXPECT_EQ(table.getLastPosition(), table.end());
    table.getEntryType("A");
    table.addEntry("B", new PrimitiveConcept(std::string("B")), 3);
    EXPECT_EQ(table.getLastPosition(), table.end());
}

TEST(SymbolTableTest, ClearForgetsTheNamesButNotTheObjects)
{
    SymbolTable table;
    Concept* a = new PrimitiveConcept(std::string("A"));
    Role* r = new PrimitiveRole(std::string("r"));
    table.addEntry("A", a, 1);
    table.addEntry("r", r, 2);
    table.getEntry("A");
    table.clear();
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(table.getLastPosition(), table.end());
    EXPECT_EQ(table.getEntryType("A"), ST_NONE);
    EXPECT_EQ(table.getEntryPtr("r"), nullptr);
    EXPECT_EQ(static_cast<PrimitiveConcept*>(a)->name, "A");
    EXPECT_EQ(static_cast<PrimitiveRole*>(r)->name, "r");
    // The names can be entered anew.
    EXPECT_TRUE(table.addEntry("A", r, 7));
    EXPECT_EQ(table.getEntryType("A"), ST_ROLE);
}

// Many names that differ only at their ends (as names copied with a suffix
// do): each finds its own object after the index has grown many times, and
// neither a prefix nor a longer name of a stored one is found.
TEST(SymbolTableTest, ManyNamesSharingLongPrefixesKeepTheirOwnEntries)
{
    SymbolTable table;
    const std::string stem = "AdultRespiratoryDistressSyndrome_copy";
    const unsigned count = 5000;
    std::vector<Concept*> objects;
    for (unsigned i = 0; i < count; ++i) {
        objects.push_back(new PrimitiveConcept(stem + std::to_string(i)));
        ASSERT_TRUE(table.addEntry(stem + std::to_string(i), objects.back(), i + 1));
    }
    EXPECT_EQ(table.size(), count);
    for (unsigned i = 0; i < count; ++i) {
        SymbolTableEntry* entry = table.getEntryPtr(stem + std::to_string(i));
        ASSERT_NE(entry, nullptr) << i;
        EXPECT_EQ(entry->getConcept(), objects[i]);
        EXPECT_EQ(entry->line, i + 1);
        EXPECT_EQ(table.getLastPosition()->first, stem + std::to_string(i));
    }
    EXPECT_EQ(table.getEntryPtr(stem), nullptr);
    EXPECT_EQ(table.getEntryPtr(stem + "1x"), nullptr);
    EXPECT_EQ(table.getEntryPtr(stem + std::to_string(count)), nullptr);
    EXPECT_FALSE(table.addEntry(stem + "17", objects[3], 99));
    EXPECT_EQ(table.getEntry(stem + "17")->getConcept(), objects[17]);
}

TEST(SymbolTableTest, EntryDestroyDeletesItsObject)
{
    bool deleted;
    Concept* a = new Tracked<PrimitiveConcept>(&deleted, std::string("A"));
    SymbolTableEntry* entry = new SymbolTableEntry(a, ST_CONCEPT, 4);
    SymbolTableEntry copy(*entry);
    EXPECT_EQ(copy.object, a);
    EXPECT_EQ(copy.line, 4u);
    entry->destroy();
    EXPECT_TRUE(deleted);

    bool roleDeleted;
    Role* r = new Tracked<PrimitiveRole>(&roleDeleted, std::string("r"));
    (new SymbolTableEntry(r, ST_ROLE, 1))->destroy();
    EXPECT_TRUE(roleDeleted);
    (new SymbolTableEntry())->destroy();
}

} // namespace
