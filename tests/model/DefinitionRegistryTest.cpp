// The registry mechanism shared by the six definition classes: map ids,
// duplicate names, codes and ids, the life of the registries, refused
// setters, error words, and how the knowledge base files definitions.

#include "ModelTestSupport.h"

#include <map>
#include <string>
#include <vector>

namespace {

using modeltest::ModelTest;
using modeltest::quietKb;
using T = QueltTerminology;

// One entry per definition class: how to build a record from name, code and
// id, and the class's own names for its registry operations.
struct NamespaceDefs {
    using Rec = QueltName;
    static constexpr const char* className = "QueltName";
    static constexpr long absentBit = T::NO_NAMESPACE;
    static Rec make(const std::string& name, const std::string& code, long id)
    {
        return Rec(name, id, code);
    }
    static long mapId(const std::string& name) { return Rec::getNamespaceMapID(name); }
    static const std::string& mapName(long id) { return Rec::getNamespaceMapName(id); }
    static bool inMap(const std::string& name) { return Rec::namespaceInMap(name); }
    static void add(QueltKb& kb, const Rec& rec) { kb.addNamespace(rec); }
    static const std::map<long, Rec>& filed(const QueltKb& kb) { return kb.getNames(); }
    static long filedCount(const QueltKb& kb) { return kb.getNumNames(); }
};

struct KindDefs {
    using Rec = QueltKind;
    static constexpr const char* className = "QueltKind";
    static constexpr long absentBit = T::NO_KIND;
    static Rec make(const std::string& name, const std::string& code, long id)
    {
        return Rec(name, id, code, "", true);
    }
    static long mapId(const std::string& name) { return Rec::getKindMapID(name); }
    static const std::string& mapName(long id) { return Rec::getKindMapName(id); }
    static bool inMap(const std::string& name) { return Rec::kindInMap(name); }
    static void add(QueltKb& kb, const Rec& rec) { kb.addKind(rec); }
    static const std::map<long, Rec>& filed(const QueltKb& kb) { return kb.getKinds(); }
    static long filedCount(const QueltKb& kb) { return kb.getNumKinds(); }
};

struct RoleDefs {
    using Rec = QueltRoleDef;
    static constexpr const char* className = "QueltRoleDef";
    static constexpr long absentBit = T::NO_ROLEDEF;
    static Rec make(const std::string& name, const std::string& code, long id)
    {
        return Rec(name, code, id, "", "", "", "", "");
    }
    static long mapId(const std::string& name) { return Rec::getRoleDefMapID(name); }
    static const std::string& mapName(long id) { return Rec::getRoleDefMapName(id); }
    static bool inMap(const std::string& name) { return Rec::roleDefInMap(name); }
    static void add(QueltKb& kb, const Rec& rec) { kb.addRoleDef(rec); }
    static const std::map<long, Rec>& filed(const QueltKb& kb) { return kb.getRoleDefs(); }
    static long filedCount(const QueltKb& kb) { return kb.getNumRoles(); }
};

struct PropertyDefs {
    using Rec = QueltPropertyDef;
    static constexpr const char* className = "QueltPropertyDef";
    static constexpr long absentBit = T::NO_PROPDEF;
    static Rec make(const std::string& name, const std::string& code, long id)
    {
        return Rec(name, code, id, "string", false, false, "");
    }
    static long mapId(const std::string& name) { return Rec::getPropDefMapID(name); }
    static const std::string& mapName(long id) { return Rec::getPropDefMapName(id); }
    static bool inMap(const std::string& name) { return Rec::propDefInMap(name); }
    static void add(QueltKb& kb, const Rec& rec) { kb.addPropertyDef(rec); }
    static const std::map<long, Rec>& filed(const QueltKb& kb) { return kb.getPropertyDefs(); }
    static long filedCount(const QueltKb& kb) { return kb.getNumProps(); }
};

struct AssociationDefs {
    using Rec = QueltAssociationDef;
    static constexpr const char* className = "QueltAssociationDef";
    static constexpr long absentBit = T::NO_PROPDEF;
    static Rec make(const std::string& name, const std::string& code, long id)
    {
        return Rec(name, code, id, "", true, "");
    }
    static long mapId(const std::string& name) { return Rec::getAssocDefMapID(name); }
    static const std::string& mapName(long id) { return Rec::getAssocDefMapName(id); }
    static bool inMap(const std::string& name) { return Rec::assocDefInMap(name); }
    static void add(QueltKb& kb, const Rec& rec) { kb.addAssociationDef(rec); }
    static const std::map<long, Rec>& filed(const QueltKb& kb) { return kb.getAssociationDefs(); }
    static long filedCount(const QueltKb& kb) { return kb.getNumAssocs(); }
};

struct QualifierDefs {
    using Rec = QueltQualifierDef;
    static constexpr const char* className = "QueltQualifierDef";
    static constexpr long absentBit = T::NO_PROPDEF;
    static Rec make(const std::string& name, const std::string& code, long id)
    {
        return Rec(name, code, id, "", "CA", {});
    }
    static long mapId(const std::string& name) { return Rec::getQualifierDefMapID(name); }
    static const std::string& mapName(long id) { return Rec::getQualifierDefMapName(id); }
    static bool inMap(const std::string& name) { return Rec::qualifierDefInMap(name); }
    static void add(QueltKb& kb, const Rec& rec) { kb.addQualifierDef(rec); }
    static const std::map<long, Rec>& filed(const QueltKb& kb) { return kb.getQualifierDefs(); }
    static long filedCount(const QueltKb& kb) { return kb.getNumQuals(); }
};

template <class Defs>
class DefinitionRegistryTest : public ModelTest {};

using AllDefinitionClasses = ::testing::Types<NamespaceDefs, KindDefs, RoleDefs, PropertyDefs,
                                              AssociationDefs, QualifierDefs>;
TYPED_TEST_SUITE(DefinitionRegistryTest, AllDefinitionClasses);

TYPED_TEST(DefinitionRegistryTest, MapIdsCountFromZeroInConstructionOrder)
{
    using D = TypeParam;
    auto first = D::make("First", "C1", 1);
    auto second = D::make("Second", "C2", 2);
    auto third = D::make("Third", "C3", 3);

    EXPECT_EQ(first.getMapID(), 0);
    EXPECT_EQ(second.getMapID(), 1);
    EXPECT_EQ(third.getMapID(), 2);
    EXPECT_EQ(D::mapId("Second"), 1);
    EXPECT_EQ(D::mapName(2), "Third");
    EXPECT_TRUE(D::inMap("First"));

    EXPECT_EQ(D::mapId("Fourth"), -1);
    EXPECT_FALSE(D::inMap("Fourth"));
    EXPECT_EQ(&D::mapName(3), &T::emptyString);
    EXPECT_EQ(&D::mapName(-1), &T::emptyString);
    // Unknown names with live registries are not an absent-registry fault.
    EXPECT_FALSE(D::Rec::isError(D::absentBit));
}

TYPED_TEST(DefinitionRegistryTest, RepeatedNameCodeAndIdSetTheirBitsAndStillRegister)
{
    using D = TypeParam;
    const long duplicateBits = T::CODE_EXISTS | T::ID_EXISTS | T::NAME_EXISTS;

    auto first = D::make("Shared", "C1", 1);
    EXPECT_FALSE(D::Rec::isError(duplicateBits));

    auto sameName = D::make("Shared", "C2", 2);
    EXPECT_TRUE(D::Rec::isError(T::NAME_EXISTS));
    EXPECT_FALSE(D::Rec::isError(T::CODE_EXISTS | T::ID_EXISTS));
    EXPECT_EQ(first.getMapID(), 0);
    EXPECT_EQ(sameName.getMapID(), 0);
    // The second record holds map id 1 all the same, under its own name.
    EXPECT_EQ(D::mapName(1), "Shared");

    D::Rec::clearError();
    auto sameCode = D::make("Other", "C1", 3);
    EXPECT_TRUE(D::Rec::isError(T::CODE_EXISTS));
    EXPECT_FALSE(D::Rec::isError(T::ID_EXISTS | T::NAME_EXISTS));
    EXPECT_EQ(sameCode.getMapID(), 2);

    D::Rec::clearError();
    auto sameId = D::make("Another", "C4", 2);
    EXPECT_TRUE(D::Rec::isError(T::ID_EXISTS));
    EXPECT_FALSE(D::Rec::isError(T::CODE_EXISTS | T::NAME_EXISTS));
    EXPECT_EQ(sameId.getMapID(), 3);
    EXPECT_EQ(sameId.getCode(), "C4");
    EXPECT_EQ(sameId.getID(), 2);
}

TYPED_TEST(DefinitionRegistryTest, RegistriesLiveWithTheLastRecordAndAreForgottenAfterIt)
{
    using D = TypeParam;
    std::vector<typename D::Rec> kept;
    {
        auto original = D::make("Old", "OLD-CODE", 42);
        kept.push_back(original);
    }
    // The copy alone keeps the registries, and counts as a live record.
    EXPECT_TRUE(D::inMap("Old"));
    EXPECT_TRUE(D::Rec::codeInSet("OLD-CODE"));
    EXPECT_TRUE(D::Rec::idInSet(42));
    {
        auto next = D::make("Next", "NEXT-CODE", 43);
        EXPECT_EQ(next.getMapID(), 1);
    }
    kept.clear();

    EXPECT_FALSE(D::Rec::isError(D::absentBit));
    EXPECT_EQ(D::mapId("Old"), -1);
    EXPECT_TRUE(D::Rec::isError(D::absentBit));

    D::Rec::clearError();
    auto fresh = D::make("Fresh", "FRESH-CODE", 7);
    EXPECT_EQ(fresh.getMapID(), 0);
    EXPECT_FALSE(D::inMap("Old"));
    EXPECT_FALSE(D::inMap("Next"));
    EXPECT_FALSE(D::Rec::codeInSet("OLD-CODE"));
    EXPECT_FALSE(D::Rec::idInSet(42));

    auto reused = D::make("Old", "OLD-CODE", 42);
    EXPECT_FALSE(D::Rec::isError(T::CODE_EXISTS | T::ID_EXISTS | T::NAME_EXISTS));
    EXPECT_EQ(reused.getMapID(), 1);
}

TYPED_TEST(DefinitionRegistryTest, LookupsWhileAbsentReportNotFoundAndSetTheAbsentBit)
{
    using D = TypeParam;
    EXPECT_EQ(D::mapId("x"), -1);
    EXPECT_TRUE(D::Rec::isError(D::absentBit));

    D::Rec::clearError();
    EXPECT_EQ(&D::mapName(0), &T::emptyString);
    EXPECT_TRUE(D::Rec::isError(D::absentBit));

    D::Rec::clearError();
    EXPECT_FALSE(D::inMap("x"));
    EXPECT_TRUE(D::Rec::isError(D::absentBit));
    // Only the absent bit.
    D::Rec::clearError(D::absentBit);
    EXPECT_FALSE(D::Rec::isError());
}

TYPED_TEST(DefinitionRegistryTest, SetCodeAndSetIdRefuseValuesGivenToConstructors)
{
    using D = TypeParam;
    auto first = D::make("First", "C1", 1);
    auto second = D::make("Second", "C2", 2);
    D::Rec::clearError();

    second.setCode("C1");
    EXPECT_EQ(second.getCode(), "C2");
    EXPECT_TRUE(D::Rec::isError(T::CODE_EXISTS));
    second.setID(1);
    EXPECT_EQ(second.getID(), 2);
    EXPECT_TRUE(D::Rec::isError(T::ID_EXISTS));

    D::Rec::clearError();
    second.setCode("C9");
    second.setID(9);
    EXPECT_EQ(second.getCode(), "C9");
    EXPECT_EQ(second.getID(), 9);
    EXPECT_FALSE(D::Rec::isError());
    // Accepted values do not enter the sets: another record may take them.
    EXPECT_FALSE(D::Rec::codeInSet("C9"));
    EXPECT_FALSE(D::Rec::idInSet(9));
    first.setCode("C9");
    EXPECT_EQ(first.getCode(), "C9");

    second.clearCode();
    second.clearID();
    EXPECT_EQ(second.getCode(), "");
    EXPECT_EQ(second.getID(), -1);
}

TYPED_TEST(DefinitionRegistryTest, PrintErrorWritesOneLinePerSetBitInTableOrder)
{
    using D = TypeParam;
    const std::string prefix = std::string("Error class ") + D::className + " ";

    ::testing::internal::CaptureStderr();
    D::Rec::printError();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    D::Rec::setError(T::NO_CONCEPTDEF | T::NAME_EXISTS);
    D::Rec::setError(T::CODE_EXISTS);
    ::testing::internal::CaptureStderr();
    D::Rec::printError();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              prefix + "CODE_EXISTS\n" + prefix + "NAME_EXISTS\n" + prefix + "NO_CONCEPTDEF\n");

    D::Rec::clearError(T::NAME_EXISTS);
    EXPECT_TRUE(D::Rec::isError(T::CODE_EXISTS | T::NAME_EXISTS));
    EXPECT_FALSE(D::Rec::isError(T::NAME_EXISTS));
    D::Rec::clearError();
    EXPECT_FALSE(D::Rec::isError());
}

// The knowledge base files definitions under their map id and keeps the
// first of a repeated name; the definition that follows a refused one is
// built with the refused record's map id and must resolve to its own name.
TYPED_TEST(DefinitionRegistryTest, KbKeepsFirstOfRepeatedNameAndTheNextDefinitionKeepsItsName)
{
    using D = TypeParam;
    auto kb = quietKb();
    D::add(*kb, D::make("A", "C1", 1));
    D::add(*kb, D::make("A", "C2", 2));
    ASSERT_EQ(D::filedCount(*kb), 1);
    EXPECT_EQ(D::filed(*kb).at(0).getCode(), "C1");

    D::add(*kb, D::make("B", "C3", 3));
    D::add(*kb, D::make("C", "C4", 4));
    ASSERT_EQ(D::filedCount(*kb), 3);
    EXPECT_EQ(D::filed(*kb).at(1).getName(), "B");
    EXPECT_EQ(D::filed(*kb).at(2).getName(), "C");
    EXPECT_EQ(D::mapId("A"), 0);
    EXPECT_EQ(D::mapId("B"), 1);
    EXPECT_EQ(D::mapId("C"), 2);
    EXPECT_EQ(D::mapName(0), "A");
    EXPECT_EQ(D::mapName(1), "B");
    EXPECT_EQ(D::mapName(2), "C");

    kb.reset();
    EXPECT_EQ(D::Rec::registry().count(), 0);
}

TEST_F(ModelTest, EachDefinitionClassNumbersItsRecordsSeparately)
{
    QueltName ns0("ns0", 1, "N1");
    QueltName ns1("ns1", 2, "N2");
    QueltKind kind("Kind", 1, "K1", "ns1", true);
    QueltRoleDef role0("role0", "R1", 1, "ns0", "Kind", "Kind", "", "");
    QueltRoleDef role1("role1", "R2", 2, "ns0", "Kind", "Kind", "", "");
    QueltRoleDef role2("role2", "R3", 3, "ns0", "Kind", "Kind", "", "");
    QueltPropertyDef prop("prop", "P1", 1, "string", false, false, "ns0");
    QueltAssociationDef assoc("assoc", "A1", 1, "inverse", true, "ns0");
    QueltQualifierDef qual("qual", "Q1", 1, "ns0", "CR", {});

    EXPECT_EQ(ns1.getMapID(), 1);
    EXPECT_EQ(kind.getMapID(), 0);
    EXPECT_EQ(role2.getMapID(), 2);
    EXPECT_EQ(prop.getMapID(), 0);
    EXPECT_EQ(assoc.getMapID(), 0);
    EXPECT_EQ(qual.getMapID(), 0);
    // Same id and code in different classes are no duplicates.
    EXPECT_FALSE(QueltRoleDef::isError(T::CODE_EXISTS | T::ID_EXISTS | T::NAME_EXISTS));

    EXPECT_EQ(kind.getNamespaceID(), 1);
    EXPECT_EQ(kind.getNamespace(), "ns1");
    EXPECT_EQ(role1.getNamespace(), "ns0");
    EXPECT_EQ(prop.getNamespace(), "ns0");
    EXPECT_EQ(assoc.getNamespace(), "ns0");
    EXPECT_EQ(qual.getNamespace(), "ns0");
    EXPECT_EQ(ns0.getNamespace(), "ns0");
}

TEST_F(ModelTest, RoleDefResolvesDomainAndRangeKindsAndLeavesUnknownOnesEmpty)
{
    QueltKind drug("Drug_Kind", 1, "K1", "", true);
    QueltKind disease("Disease_Kind", 2, "K2", "", false);
    QueltRoleDef treats("treats", "R1", 1, "", "Drug_Kind", "Disease_Kind", "right", "parent");
    QueltRoleDef odd("odd", "R2", 2, "", "No_Such_Kind", "Drug_Kind", "", "");

    EXPECT_EQ(treats.getDomainID(), 0);
    EXPECT_EQ(treats.getDomain(), "Drug_Kind");
    EXPECT_EQ(treats.getRangeID(), 1);
    EXPECT_EQ(treats.getRange(), "Disease_Kind");
    EXPECT_EQ(treats.getRight(), "right");
    EXPECT_TRUE(treats.hasParent());
    EXPECT_FALSE(odd.hasParent());

    EXPECT_EQ(odd.getDomainID(), -1);
    EXPECT_EQ(odd.getDomain(), "");
    EXPECT_EQ(odd.getRange(), "Drug_Kind");
    EXPECT_FALSE(QueltRoleDef::isError(T::NO_KIND));
    EXPECT_FALSE(QueltKind::isError(T::NO_KIND));
}

TEST_F(ModelTest, RoleDefBuiltBeforeAnyKindBlanksDomainAndRangeOfEveryRoleDef)
{
    QueltRoleDef early("early", "R1", 1, "", "Drug_Kind", "Drug_Kind", "", "");
    EXPECT_TRUE(QueltKind::isError(T::NO_KIND));
    EXPECT_TRUE(QueltRoleDef::isError(T::NO_KIND));
    EXPECT_EQ(early.getDomainID(), -1);

    QueltKind drug("Drug_Kind", 1, "K1", "", true);
    QueltRoleDef late("late", "R2", 2, "", "Drug_Kind", "Drug_Kind", "", "");
    // The kind is resolved, but the class's word hides it from now on.
    EXPECT_EQ(late.getDomainID(), 0);
    EXPECT_EQ(late.getDomain(), "");
    EXPECT_EQ(late.getRange(), "");

    QueltRoleDef::clearError(T::NO_KIND);
    EXPECT_EQ(late.getDomain(), "Drug_Kind");
    // The kind class keeps its own bit, and a new role definition copies it again.
    QueltRoleDef again("again", "R3", 3, "", "Drug_Kind", "Drug_Kind", "", "");
    EXPECT_EQ(again.getRange(), "");
}

TEST_F(ModelTest, DefinitionBuiltBeforeAnyNamespaceBlanksNamespacesOfItsClass)
{
    QueltKind early("Early_Kind", 1, "K1", "ns", true);
    EXPECT_TRUE(QueltName::isError(T::NO_NAMESPACE));
    EXPECT_TRUE(QueltKind::isError(T::NO_NAMESPACE));
    EXPECT_FALSE(QueltPropertyDef::isError(T::NO_NAMESPACE));

    QueltName ns("ns", 1, "N1");
    QueltKind late("Late_Kind", 2, "K2", "ns", true);
    EXPECT_EQ(late.getNamespaceID(), 0);
    EXPECT_EQ(late.getNamespace(), "");

    // Another class is affected once it looks a namespace up itself: the
    // namespace class's word is sticky.
    QueltPropertyDef prop("prop", "P1", 1, "string", false, false, "ns");
    EXPECT_EQ(prop.getNamespaceID(), 0);
    EXPECT_TRUE(QueltPropertyDef::isError(T::NO_NAMESPACE));
    EXPECT_EQ(prop.getNamespace(), "");
}

TEST_F(ModelTest, QualifierDefKeepsOnlyTheThreeKnownTypes)
{
    struct Case {
        const char* given;
        const char* kept;
        bool flagged;
    };
    const Case cases[] = {{"CA", "CA", false}, {"CR", "CR", false}, {"CP", "CP", false},
                          {"ca", "", true},    {"", "", true},      {"CAX", "", true},
                          {" CP", "", true}};
    long id = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("type '") + c.given + "'");
        QueltQualifierDef::clearError();
        QueltQualifierDef def("q" + std::to_string(id), "Q" + std::to_string(id), id, "", c.given,
                              {});
        ++id;
        EXPECT_EQ(def.getQualifierType(), c.kept);
        EXPECT_EQ(QueltQualifierDef::isError(T::NO_PROPDEF), c.flagged);
    }
}

TEST_F(ModelTest, BadQualifierTypeDoesNotBlankQualifierNames)
{
    QueltQualifierDef good("Source", "Q1", 1, "", "CA", {});
    QueltQualifierDef bad("Date", "Q2", 2, "", "ca", {});
    ASSERT_TRUE(QueltQualifierDef::isError(T::NO_PROPDEF));

    QueltQualifier source("Source", "NCI");
    QueltQualifier date("Date", "2006");
    EXPECT_FALSE(QueltQualifier::isError(T::NO_PROPDEF));
    EXPECT_EQ(source.getName(), "Source");
    EXPECT_EQ(date.getName(), "Date");
    EXPECT_EQ(date.getNameID(), 1);
}

TEST_F(ModelTest, QualifierDefsAreFoundByNameAfterTheConstructedRecordIsGone)
{
    auto kb = quietKb();
    kb->addQualifierDef(QueltQualifierDef("Source", "Q1", 1, "", "CA", {"NCI", "FDA"}));
    kb->addQualifierDef(QueltQualifierDef("Source", "Q2", 2, "", "CA", {"other"}));
    kb->addQualifierDef(QueltQualifierDef("Date", "Q3", 3, "", "CR", {}));

    const QueltQualifierDef* source = QueltQualifierDef::getQualifierDef("Source");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->getCode(), "Q1");
    EXPECT_TRUE(QueltQualifierDef::hasPickList("Source"));
    EXPECT_TRUE(QueltQualifierDef::stringInPickList("Source", "FDA"));
    EXPECT_FALSE(QueltQualifierDef::stringInPickList("Source", "fda"));
    EXPECT_FALSE(QueltQualifierDef::stringInPickList("Source", "other"));

    // "Date" was built with the refused duplicate's map id.
    const QueltQualifierDef* date = QueltQualifierDef::getQualifierDef("Date");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->getName(), "Date");
    EXPECT_FALSE(QueltQualifierDef::hasPickList("Date"));

    EXPECT_EQ(QueltQualifierDef::getQualifierDef("Unknown"), nullptr);
    EXPECT_FALSE(QueltQualifierDef::hasPickList("Unknown"));
    EXPECT_FALSE(QueltQualifierDef::stringInPickList("Unknown", "NCI"));

    QueltQualifier valid("Source", "NCI");
    QueltQualifier outside("Source", "WHO");
    QueltQualifier noList("Date", "2006");
    EXPECT_TRUE(valid.isValidQualifier());
    EXPECT_FALSE(outside.isValidQualifier());
    EXPECT_FALSE(noList.isValidQualifier());

    kb.reset();
    EXPECT_EQ(QueltQualifierDef::getQualifierDef("Source"), nullptr);
}

TEST_F(ModelTest, IsSameComparesTheFieldsOfEachDefinitionClass)
{
    QueltPropertyDef prop("p", "P1", 1, "string", true, false, "");
    QueltPropertyDef propCopy(prop);
    propCopy.setPickList({"a", "b"});
    EXPECT_TRUE(propCopy.hasPickList());
    EXPECT_EQ(propCopy.getPickList(), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(prop.isSame(propCopy)); // the pick list is not compared
    QueltPropertyDef propOther("p", "P2", 2, "string", false, false, "");
    EXPECT_FALSE(prop.isSame(propOther));
    EXPECT_TRUE(prop == propOther); // operator== looks at the name only

    QueltQualifierDef qual("q", "Q1", 1, "", "CA", {"x"});
    QueltQualifierDef qualCopy(qual);
    EXPECT_TRUE(qual.isSame(qualCopy));
    QueltQualifierDef qualList("q", "Q1", 1, "", "CA", {"y"});
    EXPECT_FALSE(qual.isSame(qualList)); // the pick list is compared here

    QueltRoleDef role("r", "R1", 1, "", "", "", "right", "");
    QueltRoleDef roleCopy(role);
    EXPECT_TRUE(role.isSame(roleCopy));
    QueltRoleDef roleParent("r", "R1", 1, "", "", "", "right", "parent");
    EXPECT_FALSE(role.isSame(roleParent));
    EXPECT_TRUE(role < QueltRoleDef("s", "R9", 9, "", "", "", "", ""));

    QueltAssociationDef assoc("a", "A1", 1, "inv", true, "");
    QueltAssociationDef assocCopy(assoc);
    EXPECT_TRUE(assoc.isSame(assocCopy));
    assocCopy.setDisplayable(false);
    EXPECT_FALSE(assoc.isSame(assocCopy));
    assocCopy.setDisplayable(true);
    assocCopy.setInverse("");
    EXPECT_FALSE(assocCopy.hasInverse());
    EXPECT_FALSE(assoc.isSame(assocCopy));

    QueltKind kind("k", 1, "K1", "", true);
    QueltKind kindRef("k", 1, "K1", "", false);
    EXPECT_FALSE(kind.isSame(kindRef));
    EXPECT_FALSE(kindRef.getReference());
}

} // namespace
