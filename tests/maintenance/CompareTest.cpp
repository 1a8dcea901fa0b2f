// Comparison of two versions by concept code: shared, removed and added
// concepts, identical versions, and definitions copied into a target that
// already holds some.

#include "MaintenanceTestSupport.h"

#include <string>
#include <vector>

namespace {

using namespace mainttest;

void addDefinitions(QueltKb& kb)
{
    kb.addNamespace(QueltName("Ns", 1, "N1"));
    kb.addKind(QueltKind("Kind", 2, "K2", "Ns", true));
    kb.addPropertyDef(QueltPropertyDef("Preferred_Name", "P1", 3, "string", false, true, "Ns"));
    kb.addRoleDef(QueltRoleDef("Part_Of", "R1", 4, "Ns", "Kind", "Kind", "", ""));
    kb.addAssociationDef(QueltAssociationDef("See_Also", "A1", 5, "", false, "Ns"));
    kb.addQualifierDef(QueltQualifierDef("Source", "Q1", 6, "Ns", "CA", {}));
}

void addConcept(QueltKb& kb, const std::string& name, const std::string& code)
{
    QueltConcept concept(name, code, -1, "Ns", "Kind", false);
    concept.addParent("Root");
    concept.addProperty(QueltProperty("Preferred_Name", name, ""));
    kb.addConcept(concept);
}

// Two versions: C1 and C2 in both (C2 renamed), C3 only in the old one,
// C4 only in the new one, in a different order.
void buildVersions(QueltKb& oldKb, QueltKb& newKb)
{
    addDefinitions(oldKb);
    addConcept(oldKb, "Alpha", "C1");
    addConcept(oldKb, "Beta", "C2");
    addConcept(oldKb, "Gamma", "C3");
    addDefinitions(newKb);
    addConcept(newKb, "Delta", "C4");
    addConcept(newKb, "Beta renamed", "C2");
    addConcept(newKb, "Alpha", "C1");
}

std::vector<std::string> definitionNames(const QueltKb& kb)
{
    std::vector<std::string> names;
    for (const auto& e : kb.getNames())
        names.push_back("N:" + e.second.getName());
    for (const auto& e : kb.getKinds())
        names.push_back("K:" + e.second.getName());
    for (const auto& e : kb.getPropertyDefs())
        names.push_back("P:" + e.second.getName());
    for (const auto& e : kb.getRoleDefs())
        names.push_back("R:" + e.second.getName());
    for (const auto& e : kb.getAssociationDefs())
        names.push_back("A:" + e.second.getName());
    for (const auto& e : kb.getQualifierDefs())
        names.push_back("Q:" + e.second.getName());
    return names;
}

const std::vector<std::string> kAllDefinitions{"N:Ns",             "K:Kind",    "P:Preferred_Name",
                                               "R:Part_Of",        "A:See_Also", "Q:Source"};

TEST_F(KbTest, SharedRemovedAndAddedConcepts)
{
    auto oldKb = quietKb();
    auto newKb = quietKb();
    buildVersions(*oldKb, *newKb);

    auto shared = quietKb();
    ::testing::internal::CaptureStdout();
    QueltKb& result = oldKb->diff_Concepts(*newKb, *shared);
    // "Alpha" kept its name: its second copy is reported as a duplicate.
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "ERROR::addConcept:DupConceptName\tAlpha\n");
    EXPECT_EQ(&result, shared.get());
    // Pairs in the old version's order, old then new.
    EXPECT_EQ(conceptNames(*shared),
              (std::vector<std::string>{"Alpha", "Alpha", "Beta", "Beta renamed"}));
    EXPECT_EQ(conceptCodes(*shared), (std::vector<std::string>{"C1", "C1", "C2", "C2"}));
    EXPECT_EQ(definitionNames(*shared), kAllDefinitions);
    // The concepts are copied whole.
    const QueltConcept& beta = shared->getConcept(shared->getIDFromName("Beta"));
    EXPECT_EQ(beta.getParents(), std::set<std::string>{"Root"});
    EXPECT_EQ(beta.getPropertyValue("Preferred_Name"), "Beta");
    EXPECT_EQ(beta.getKind(), "Kind");

    auto unique = quietKb();
    oldKb->unique_Concepts(*newKb, *unique);
    EXPECT_EQ(conceptNames(*unique),
              (std::vector<std::string>{"deleted_concepts", "Gamma", "new_concepts", "Delta"}));
    EXPECT_EQ(conceptCodes(*unique), (std::vector<std::string>{"C0", "C3", "C00", "C4"}));
    EXPECT_EQ(definitionNames(*unique), kAllDefinitions);
    const QueltConcept& deleted = unique->getConcept(unique->getIDFromName("deleted_concepts"));
    const QueltConcept& added = unique->getConcept(unique->getIDFromName("new_concepts"));
    EXPECT_EQ(deleted.getID(), 0);
    EXPECT_EQ(added.getID(), 1);
    EXPECT_TRUE(deleted.getState());
    EXPECT_TRUE(added.getState());
    EXPECT_EQ(deleted.getNumParents(), 0);
    EXPECT_EQ(added.getNumParents(), 0);
}

TEST_F(KbTest, IdenticalVersionsHaveOnlyTheMarkersApart)
{
    auto oldKb = quietKb();
    auto newKb = quietKb();
    for (QueltKb* kb : {oldKb.get(), newKb.get()}) {
        addDefinitions(*kb);
        addConcept(*kb, "Alpha", "C1");
        addConcept(*kb, "Beta", "C2");
    }
    auto unique = quietKb();
    oldKb->unique_Concepts(*newKb, *unique);
    EXPECT_EQ(conceptNames(*unique), (std::vector<std::string>{"deleted_concepts", "new_concepts"}));
    EXPECT_EQ(definitionNames(*unique), kAllDefinitions);

    auto shared = quietKb();
    ::testing::internal::CaptureStdout();
    oldKb->diff_Concepts(*newKb, *shared);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(conceptCodes(*shared), (std::vector<std::string>{"C1", "C1", "C2", "C2"}));
}

TEST_F(KbTest, CopiedDefinitionsKeepWhatTheTargetHolds)
{
    auto target = quietKb();
    auto source = quietKb();
    target->addNamespace(QueltName("Shared", 5, "T5"));
    source->addNamespace(QueltName("Shared", 7, "S7"));
    source->addNamespace(QueltName("Only_Source", 8, "S8"));
    source->addKind(QueltKind("Kind", 9, "K9", "Shared", false));

    QueltKb& result = source->copyDefsTo(*target);
    EXPECT_EQ(&result, target.get());
    ASSERT_EQ(target->getNumNames(), 2);
    EXPECT_EQ(target->getNames().begin()->second.getCode(), "T5");
    EXPECT_EQ(std::next(target->getNames().begin())->second.getName(), "Only_Source");
    ASSERT_EQ(target->getNumKinds(), 1);
    EXPECT_EQ(target->getKinds().begin()->second.getNamespace(), "Shared");
    // The source is unchanged.
    EXPECT_EQ(source->getNames().begin()->second.getCode(), "S7");
}

TEST_F(KbTest, ComparingAVersionWithItselfIntoItselfEnds)
{
    // A target that is one of the versions grows while it is walked; only
    // the concepts present at the start are compared.
    auto kb = quietKb();
    addDefinitions(*kb);
    addConcept(*kb, "Alpha", "C1");
    ::testing::internal::CaptureStdout();
    kb->diff_Concepts(*kb, *kb);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(conceptCodes(*kb), (std::vector<std::string>{"C1", "C1", "C1"}));
}

} // namespace
