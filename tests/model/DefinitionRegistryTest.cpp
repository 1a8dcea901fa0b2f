// The registry mechanism of the six definition classes (map ids, repeated
// names, codes and ids, the life of the registries, how the knowledge base
// files definitions), names resolved across classes, and what a lookup
// while a registry is absent does to the names of a class.

#include "tests/support/TestSupport.h"

#include <map>
#include <string>
#include <vector>

namespace {

using namespace quelttest;

// How to build a record of one definition class from name, code and id, the
// bit its lookups set while its registries are absent, and how the
// knowledge base files it.
#define DEFINITION_CLASS(Traits, Record, bit, construct, adder, getter)                            \
    struct Traits {                                                                                \
        using Rec = Record;                                                                        \
        static constexpr long absentBit = bit;                                                     \
        static Rec make(const std::string& name, const std::string& code, long id)                 \
        {                                                                                          \
            return construct;                                                                      \
        }                                                                                          \
        static void add(QueltKb& kb, const Rec& rec) { kb.adder(rec); }                            \
        static const std::map<long, Rec>& filed(const QueltKb& kb) { return kb.getter(); }         \
    }

DEFINITION_CLASS(
    NamespaceDefs, QueltName, T::NO_NAMESPACE, Rec(name, id, code), addNamespace, getNames);
DEFINITION_CLASS(KindDefs, QueltKind, T::NO_KIND, Rec(name, id, code, "", true), addKind, getKinds);
DEFINITION_CLASS(RoleDefs, QueltRoleDef, T::NO_ROLEDEF, Rec(name, code, id, "", "", "", "", ""),
    addRoleDef, getRoleDefs);
DEFINITION_CLASS(PropertyDefs, QueltPropertyDef, T::NO_PROPDEF,
    Rec(name, code, id, "string", false, false, ""), addPropertyDef, getPropertyDefs);
DEFINITION_CLASS(AssociationDefs, QueltAssociationDef, T::NO_PROPDEF,
    Rec(name, code, id, "", true, ""), addAssociationDef, getAssociationDefs);
DEFINITION_CLASS(QualifierDefs, QueltQualifierDef, T::NO_PROPDEF, Rec(name, code, id, "", "CA", {}),
    addQualifierDef, getQualifierDefs);

template <class Defs> class DefinitionRegistryTest : public KbTest {
};
using AllDefinitionClasses = ::testing::Types<NamespaceDefs, KindDefs, RoleDefs, PropertyDefs,
    AssociationDefs, QualifierDefs>;
TYPED_TEST_SUITE(DefinitionRegistryTest, AllDefinitionClasses);

// A record registers its name under the number of live records of its
// class; a repeated name, code or id sets its own bit and registers all
// the same, and the first record of a name answers for it.
TYPED_TEST(DefinitionRegistryTest, MapIdsAndRepeatedNamesCodesAndIds)
{
    using D = TypeParam;
    auto first = D::make("First", "C1", 1);
    auto second = D::make("Second", "C2", 2);
    EXPECT_EQ(first.getMapID(), 0);
    EXPECT_EQ(D::Rec::lookupId("Second"), 1);
    EXPECT_EQ(D::Rec::lookupName(1), "Second");
    EXPECT_EQ(D::Rec::lookupId("Third"), -1);
    EXPECT_EQ(&D::Rec::lookupName(2), &T::emptyString);
    EXPECT_EQ(&D::Rec::lookupName(-1), &T::emptyString);
    // Unknown names are no fault while registries exist.
    EXPECT_FALSE(D::Rec::isError(D::absentBit));
    EXPECT_EQ(repeatBits<typename D::Rec>(), 0);

    struct Repeat {
        const char* name;
        const char* code;
        long id;
        long bit;
    };
    const Repeat repeats[] = { { "First", "C3", 3, T::NAME_EXISTS },
        { "Other", "C1", 4, T::CODE_EXISTS }, { "Another", "C5", 2, T::ID_EXISTS } };
    std::vector<typename D::Rec> kept;
    kept.reserve(3);
    for (const Repeat& r : repeats) {
        D::Rec::clearError();
        kept.push_back(D::make(r.name, r.code, r.id));
        EXPECT_EQ(repeatBits<typename D::Rec>(), r.bit) << r.name;
    }
    EXPECT_EQ(kept[0].getMapID(), 0);
    EXPECT_EQ(D::Rec::lookupName(2), "First");
    EXPECT_EQ(kept[1].getMapID(), 3);
    EXPECT_EQ(kept[2].getMapID(), 4);
}

TYPED_TEST(DefinitionRegistryTest, RegistriesLiveWithTheLastRecordAndStartAfreshAfterIt)
{
    using D = TypeParam;
    // While absent every lookup answers "not found" and sets the absent bit.
    EXPECT_EQ(D::Rec::lookupId("x"), -1);
    EXPECT_EQ(D::Rec::errors().value(), D::absentBit);
    D::Rec::clearError();
    EXPECT_EQ(&D::Rec::lookupName(0), &T::emptyString);
    EXPECT_EQ(D::Rec::errors().value(), D::absentBit);
    D::Rec::clearError();
    EXPECT_FALSE(D::Rec::inMap("x"));
    EXPECT_EQ(D::Rec::errors().value(), D::absentBit);
    D::Rec::clearError();
    {
        std::vector<typename D::Rec> kept;
        {
            auto original = D::make("Old", "OLD", 42);
            kept.push_back(original);
        }
        // A copy alone keeps the registries.
        EXPECT_TRUE(D::Rec::inMap("Old"));
        EXPECT_TRUE(D::Rec::codeInSet("OLD"));
        EXPECT_TRUE(D::Rec::idInSet(42));
        EXPECT_FALSE(D::Rec::isError(D::absentBit));
    }
    EXPECT_EQ(D::Rec::lookupId("Old"), -1);
    EXPECT_TRUE(D::Rec::isError(D::absentBit));
    D::Rec::clearError();
    // Nothing of the old registries is left.
    auto reused = D::make("Old", "OLD", 42);
    EXPECT_EQ(reused.getMapID(), 0);
    EXPECT_EQ(repeatBits<typename D::Rec>(), 0);
}

// The knowledge base files definitions under their map id and keeps the
// first of a repeated name; the definition after a refused one is built
// with the refused record's map id and must still resolve to its own name.
TYPED_TEST(DefinitionRegistryTest, KbKeepsFirstOfRepeatedNameAndTheNextDefinitionKeepsItsName)
{
    using D = TypeParam;
    auto kb = quietKb();
    long id = 0;
    for (const char* name : { "A", "A", "B", "C" }) {
        ++id;
        D::add(*kb, D::make(name, "C" + std::to_string(id), id));
    }
    const auto& filed = D::filed(*kb);
    ASSERT_EQ(filed.size(), 3u);
    EXPECT_EQ(filed.at(0).getID(), 1);
    for (long mapId = 0; mapId < 3; ++mapId) {
        const std::string name(1, static_cast<char>('A' + mapId));
        EXPECT_EQ(filed.at(mapId).getName(), name);
        EXPECT_EQ(D::Rec::lookupId(name), mapId);
        EXPECT_EQ(D::Rec::lookupName(mapId), name);
    }
    kb.reset();
    EXPECT_EQ(D::Rec::registry().count(), 0);
}

// Builds a record of class Owner whose name of another class cannot be
// resolved yet (that class has no registries), then the definition it
// names, then the same record again: the second one resolves, but Owner's
// word now holds the absent bit, which hides such names in every record of
// Owner until it is cleared.
template <class Owner, class MakeRecord, class MakeDefinition, class NameOf>
void checkNameHiddenByEarlyLookup(long bit, MakeRecord makeRecord, MakeDefinition makeDefinition,
    NameOf nameOf, const std::string& name)
{
    clearAllErrorWords();
    {
        auto early = makeRecord();
    }
    EXPECT_TRUE(Owner::isError(bit));
    auto definition = makeDefinition();
    auto late = makeRecord();
    EXPECT_EQ(nameOf(late), "");
    Owner::clearError(bit);
    EXPECT_EQ(nameOf(late), name);
}

TEST_F(KbTest, LookupsWhileARegistryIsAbsentHideItsNamesClassWide)
{
    checkNameHiddenByEarlyLookup<QueltKind>(
        T::NO_NAMESPACE, [] { return QueltKind("Kind", 1, "K1", "ns", true); },
        [] { return QueltName("ns", 1, "N1"); },
        [](const QueltKind& k) { return k.getNamespace(); }, "ns");
    checkNameHiddenByEarlyLookup<QueltRoleDef>(
        T::NO_KIND, [] { return QueltRoleDef("r", "R1", 1, "", "", "Drug_Kind", "", ""); },
        [] { return QueltKind("Drug_Kind", 1, "K1", "", true); },
        [](const QueltRoleDef& r) { return r.getRange(); }, "Drug_Kind");
    checkNameHiddenByEarlyLookup<QueltRole>(
        T::NO_ROLEDEF, [] { return QueltRole("Has_Part", "Wheel", "some"); },
        [] { return QueltRoleDef("Has_Part", "R1", 1, "", "", "", "", ""); },
        [](const QueltRole& r) { return r.getName(); }, "Has_Part");
    checkNameHiddenByEarlyLookup<QueltProperty>(
        T::NO_PROPDEF, [] { return QueltProperty("Synonym", "x", ""); },
        [] { return QueltPropertyDef("Synonym", "P1", 1, "string", false, false, ""); },
        [](const QueltProperty& p) { return p.getName(); }, "Synonym");

    clearAllErrorWords();
    {
        // The bit stays with the class that was looked up: another class
        // takes it at its next lookup, however present the registries are.
        {
            QueltKind early("Early", 1, "K1", "ns", true);
        }
        QueltName ns("ns", 1, "N1");
        QueltPropertyDef prop("prop", "P1", 1, "string", false, false, "ns");
        EXPECT_EQ(prop.getNamespace(), "");
        // A qualifier only takes the bit when its own lookup found no registries.
        {
            QueltQualifier early("Source", "QJV");
        }
        QueltQualifierDef def("Source", "Q1", 1, "", "CA", {});
        QueltQualifier::clearError();
        EXPECT_EQ(QueltQualifier("Source", "QJV").getName(), "Source");
    }
    clearAllErrorWords();
    {
        // A concept takes over the bits of the attributes it is given.
        QueltConcept con("C", "", 0, "", "", false);
        con.addRole(QueltRole("r", "v", "some"));
        EXPECT_TRUE(QueltConcept::isError(T::NO_ROLEDEF));
        EXPECT_FALSE(QueltConcept::isError(T::NO_PROPDEF));
        con.addProperty(QueltProperty("p", "v", ""));
        EXPECT_TRUE(QueltConcept::isError(T::NO_PROPDEF));
        QueltConcept::clearError();
        con.addAssociation(QueltAssociation("a", "v"));
        EXPECT_EQ(QueltConcept::errors().value(), long { T::NO_PROPDEF });
    }
}

TEST_F(KbTest, QualifierDefKeepsOnlyTheThreeKnownTypesAndABadOneBlanksNoName)
{
    const std::pair<const char*, const char*> cases[] = { { "CA", "CA" }, { "CR", "CR" },
        { "CP", "CP" }, { "ca", "" }, { "", "" }, { "CAX", "" }, { " CP", "" } };
    std::vector<QueltQualifierDef> defs;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("type '") + c.first + "'");
        QueltQualifierDef::clearError();
        defs.emplace_back(
            std::string("q") + c.first, "", defs.size(), "", c.first, std::vector<std::string> {});
        EXPECT_EQ(defs.back().getQualifierType(), c.second);
        EXPECT_EQ(QueltQualifierDef::isError(T::NO_PROPDEF), *c.second == '\0');
    }
    // The bit a bad type leaves on the definitions is no absent registry.
    QueltQualifier good("qCA", "x");
    QueltQualifier bad("qca", "y");
    EXPECT_FALSE(QueltQualifier::isError());
    EXPECT_EQ(good.getName(), "qCA");
    EXPECT_EQ(bad.getName(), "qca");
    EXPECT_EQ(bad.getNameID(), 3);
}

} // namespace
