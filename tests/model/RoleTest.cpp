#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ModelOrder.h"
#include "support/TestSupport.h"
#include "model/Composition.h"
#include "model/PrimitiveRole.h"
#include "model/TrivialRole.h"

using namespace korvane_test;

namespace {

class RoleTest : public FreshModelTest {
protected:
    static PrimitiveRole* named(const std::string& name) { return new PrimitiveRole(name); }
};

TEST_F(RoleTest, EveryConstructorTakesTheNextSerial)
{
    char* buffer = static_cast<char*>(std::malloc(8));
    std::strcpy(buffer, "partOf");
    PrimitiveRole* r = new PrimitiveRole(buffer);
    PrimitiveRole* fresh = new PrimitiveRole();
    TrivialRole* full = new TrivialRole(true);
    Composition* chain = new Composition(r, fresh);
    EXPECT_EQ(r->serial, 1u);
    EXPECT_EQ(r->id, 1u);
    EXPECT_EQ(fresh->serial, 2u);
    EXPECT_EQ(full->serial, 3u);
    EXPECT_EQ(chain->serial, 4u);
    EXPECT_EQ(chain->id, 4u);
    EXPECT_EQ(Role::id_counter, 4u);

    EXPECT_EQ(r->name, "partOf");
    EXPECT_EQ(r->kind, PRIMITIVE_ROLE);
    EXPECT_EQ(fresh->kind, FRESH_ROLE);
    EXPECT_EQ(fresh->name, "");
    EXPECT_EQ(full->kind, TRIVIAL_ROLE);
    EXPECT_TRUE(full->full);
    EXPECT_EQ(chain->kind, COMPOSITION);
    for (Role* role : std::vector<Role*>{r, fresh, full, chain}) {
        EXPECT_EQ(role->flags, 0);
        EXPECT_EQ(role->lastDeductionIt, 0);
        EXPECT_EQ(role->parents, nullptr);
    }
    EXPECT_EQ(r->components, nullptr);
}

TEST_F(RoleTest, ChainsKeepTheirComponentsInOrder)
{
    Role* r = named("r");
    Role* s = named("s");
    EXPECT_EQ(componentsOf(new Composition(r, s)), (std::vector<Role*>{r, s}));
    Composition* chain = new Composition(new RoleList{s, r, s});
    EXPECT_EQ(componentsOf(chain), (std::vector<Role*>{s, r, s}));
    chain->addChild(r);
    EXPECT_EQ(componentsOf(chain), (std::vector<Role*>{r, s, r, s}));

    r->addParent(chain, 0);
    r->addParent(chain, 2);
    ASSERT_NE(r->parents, nullptr);
    EXPECT_EQ(*r->parents, (RoleParentList{{chain, 0}, {chain, 2}}));
}

TEST_F(RoleTest, KindThenComponentCountDecide)
{
    Role* empty = new TrivialRole(false);
    Role* full = new TrivialRole(true);
    Role* z = named("z");
    Role* fresh = new PrimitiveRole();
    Role* chain = new Composition(named("a"), named("b"));
    std::vector<Role*> ascending{empty, full, z, fresh, chain};
    for (std::size_t i = 0; i < ascending.size(); ++i)
        for (std::size_t j = 0; j < ascending.size(); ++j)
            EXPECT_EQ(less(ascending[i], ascending[j]), i < j) << i << " vs " << j;

    Role* lo = named("r"); // made first, so the smaller serial
    Role* hi = named("s");
    EXPECT_TRUE(less(new Composition(new RoleList{hi, hi}), new Composition(new RoleList{lo, lo, lo})));
}

TEST_F(RoleTest, AtomicRolesCompareByNameOrCreation)
{
    EXPECT_TRUE(less(named("r"), named("s")));
    EXPECT_TRUE(same(named("r"), named("r")));
    EXPECT_TRUE(less(named("S"), named("r")));

    Role* older = new PrimitiveRole();
    Role* newer = new PrimitiveRole();
    older->id = 90;
    newer->id = 2;
    expectBefore(older, newer);
    EXPECT_TRUE(same(new TrivialRole(true), new TrivialRole(true)));
}

TEST_F(RoleTest, ChainsCompareComponentObjectsInOrder)
{
    Role* r = named("r");
    Role* s = named("s");
    EXPECT_TRUE(same(new Composition(r, s), new Composition(r, s)));
    EXPECT_FALSE(same(new Composition(r, s), new Composition(s, r)));
    EXPECT_FALSE(same(new Composition(r, s), new Composition(named("r"), s)));

    Role* lo = r; // made first, so the smaller serial
    Role* hi = s;
    EXPECT_TRUE(less(new Composition(lo, hi), new Composition(hi, lo)));
    EXPECT_TRUE(less(new Composition(r, lo), new Composition(r, hi)));
}

// Components are ordered by when they were made, not by where they lie: the
// second role made here lies at the lower address.
TEST_F(RoleTest, ChainsOrderComponentsByCreationWhateverTheirAddresses)
{
    alignas(PrimitiveRole) static unsigned char block[2][sizeof(PrimitiveRole)];
    Role* first = new (block[1]) PrimitiveRole();
    Role* second = new (block[0]) PrimitiveRole();
    expectBefore(new Composition(first, second), new Composition(second, first));
    expectBefore(new Composition(first, first), new Composition(first, second));
}

TEST_F(RoleTest, TextForms)
{
    Role* r = named("r");
    Role* s = named("s");
    Role* fresh = new PrimitiveRole();
    fresh->id = 7;
    expectTextForms({{new TrivialRole(true), "*full*", "*full*"},
                     {new TrivialRole(false), "*empty*", "*empty*"},
                     {r, "r", "r"},
                     {fresh, "#7", "_7"},
                     {new Composition(r, s), "(compose r s)", "(r \xB0 s)"},
                     {new Composition(new RoleList{r, fresh, s}), "(compose r #7 s)", "(r \xB0 _7 \xB0 s)"},
                     {new Composition(new RoleList{}), "(compose)", "()"}});
}

TEST_F(RoleTest, CopiesGetAFreshSerialAndNewLists)
{
    Role* r = named("r");
    Role* s = named("s");
    Composition* chain = new Composition(r, s);
    chain->id = 40;
    chain->flags = 0x1D;
    chain->lastDeductionIt = 2;
    chain->addParent(r, 1);

    Role* copy = chain->createCopy();
    ASSERT_NE(dynamic_cast<Composition*>(copy), nullptr);
    EXPECT_EQ(copy->serial, Role::id_counter);
    EXPECT_NE(copy->serial, chain->serial);
    EXPECT_EQ(copy->id, 40u);
    EXPECT_EQ(copy->kind, COMPOSITION);
    EXPECT_EQ(copy->lastDeductionIt, 2);
    EXPECT_EQ(copy->flags, 0);
    ASSERT_NE(copy->components, chain->components);
    EXPECT_EQ(componentsOf(copy), (std::vector<Role*>{r, s}));
    ASSERT_NE(copy->parents, chain->parents);
    EXPECT_EQ(*copy->parents, *chain->parents);

    auto* rc = dynamic_cast<PrimitiveRole*>(r->createCopy());
    ASSERT_NE(rc, nullptr);
    EXPECT_EQ(rc->name, "r");
    EXPECT_EQ(rc->id, r->id);
    auto* fc = dynamic_cast<TrivialRole*>((new TrivialRole(true))->createCopy());
    ASSERT_NE(fc, nullptr);
    EXPECT_TRUE(fc->full);
}

TEST_F(RoleTest, SameChildrenRolesRecognisesRepeatedChains)
{
    Role* r = named("r");
    Role* s = named("s");
    EXPECT_EQ(r->sameChildrenRoles(), nullptr);
    EXPECT_EQ((new Composition(new RoleList{}))->sameChildrenRoles(), nullptr);
    EXPECT_EQ((new Composition(new RoleList{r}))->sameChildrenRoles(), r);
    EXPECT_EQ((new Composition(r, r))->sameChildrenRoles(), r);
    EXPECT_EQ((new Composition(new RoleList{r, r, r}))->sameChildrenRoles(), r);
    EXPECT_EQ((new Composition(r, s))->sameChildrenRoles(), nullptr);
    EXPECT_EQ((new Composition(new RoleList{r, r, s}))->sameChildrenRoles(), nullptr);
    // Equal names are not enough: the components must be one object.
    EXPECT_EQ((new Composition(r, named("r")))->sameChildrenRoles(), nullptr);
}

TEST_F(RoleTest, DestroyAndDestroyNotShared)
{
    bool rDeleted, sDeleted, chainDeleted;
    Role* r = new Tracked<PrimitiveRole>(&rDeleted, std::string("r"));
    Role* s = new Tracked<PrimitiveRole>(&sDeleted, std::string("s"));
    r->flags |= Role::IN_DAG;
    Role* chain = new Tracked<Composition>(&chainDeleted, r, s);
    chain->destroyNotShared();
    EXPECT_TRUE(chainDeleted);
    EXPECT_TRUE(sDeleted);
    EXPECT_FALSE(rDeleted);
    EXPECT_EQ(static_cast<PrimitiveRole*>(r)->name, "r");

    chain = new Tracked<Composition>(&chainDeleted, new RoleList{r});
    chain->destroy();
    EXPECT_TRUE(chainDeleted);
    EXPECT_TRUE(rDeleted);
}

TEST_F(RoleTest, SideFlags)
{
    Role* r = named("r");
    Role* s = named("s");
    Role* chain = new Composition(r, s);
    chain->setBWRoleFlag();
    EXPECT_EQ(chain->flags, Role::ON_RHS);
    EXPECT_EQ(r->flags, 0);
    chain->setFWRoleFlag();
    EXPECT_EQ(chain->flags, Role::ON_RHS | Role::ON_LHS);
    EXPECT_EQ(r->flags, Role::ON_LHS);
    EXPECT_EQ(s->flags, Role::ON_LHS);

    Role* t = named("t");
    t->setFWRoleFlag();
    t->setBWRoleFlag();
    EXPECT_EQ(t->flags, 0x18);
}

} // namespace
