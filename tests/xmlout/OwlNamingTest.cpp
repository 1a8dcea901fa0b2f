// What the OWL naming answers where the golden conversions and the check's
// cases would not notice a slip: a name's identifier when a later concept
// of the name has none, a role definition without a code, and a root name
// that several concepts have.

#include "xmlout/OwlNaming.h"

#include "tests/support/TestSupport.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quelttest;

class OwlNamingTest : public KbTest {
protected:
    // Namespace, kinds K1 and K2, the "RXK" property definition and the
    // role definition Has_Site, without a code.
    std::unique_ptr<QueltKb> makeKb()
    {
        auto kb = std::make_unique<QueltKb>(console);
        kb->addNamespace(QueltName("NS", 1, "N1"));
        kb->addKind(QueltKind("K1", 2, "K1", "NS", false));
        kb->addKind(QueltKind("K2", 3, "K2", "NS", false));
        kb->addPropertyDef(QueltPropertyDef("RXK", "P1", 4, "string", false, false, "NS"));
        kb->addRoleDef(QueltRoleDef("Has_Site", "", 5, "NS", "K1", "K2", "", ""));
        return kb;
    }

    // A concept of the kind with those "RXK" values, below the parent
    // unless it is empty.
    static QueltConcept con(const std::string& name, const std::string& kind,
        const std::vector<std::string>& rxks, const std::string& parent = "")
    {
        QueltConcept made(name, "c" + name, 0, "NS", kind, false);
        for (const std::string& rxk : rxks)
            made.addProperty(QueltProperty("RXK", rxk, ""));
        if (!parent.empty())
            made.addParent(parent);
        return made;
    }

    BufferConsole console;
};

// The last "RXK" value of the first concept, which a later concept of the
// name without one does not take away.
TEST_F(OwlNamingTest, ANameKeepsItsIdentifierWhenALaterConceptHasNone)
{
    std::unique_ptr<QueltKb> kb = makeKb();
    kb->addConcept(con("A", "K1", { "a1", "a2" }));
    kb->addConcept(con("A", "K1", {}));
    EXPECT_EQ(OwlNaming(*kb, 0).conceptCode("A"), "a2");
}

TEST_F(OwlNamingTest, ARoleDefinitionWithoutACodeIsADefinition)
{
    std::unique_ptr<QueltKb> kb = makeKb();
    QueltConcept root = con("A", "K1", { "a" });
    root.addRole(QueltRole("Has_Site", "A", "some"));
    root.addRole(QueltRole("Sees", "A", "some"));
    kb->addConcept(root);
    const OwlNaming naming(*kb, 0);
    std::vector<std::string> seen;
    for (const auto& entry : kb->getConcepts().at(0).second.getRoles()) {
        const ElementName& name = naming.roleNames().of(entry.second);
        seen.push_back(
            *name.text + (name.defined ? " defined " : " undefined ") + std::string(name.code));
    }
    EXPECT_EQ(seen, (std::vector<std::string> { " undefined ", "Has_Site defined " }));
    EXPECT_TRUE(naming.definesRole("Has_Site"));
    EXPECT_FALSE(naming.definesRole("Sees"));
}

// Roots once per name, in byte order, of the kind of the first concept of
// their name.
TEST_F(OwlNamingTest, RootsOncePerName)
{
    std::unique_ptr<QueltKb> kb = makeKb();
    kb->addConcept(con("B", "K1", { "b" }));
    kb->addConcept(con("A", "K1", { "a" }));
    kb->addConcept(con("A", "K2", { "a" }));
    kb->addConcept(con("C", "K2", { "c" }));
    kb->addConcept(con("D", "K2", { "d" }, "C"));
    const OwlNaming naming(*kb, 0);
    std::vector<std::string> roots;
    for (const OwlNaming::Root& root : naming.roots())
        roots.push_back(*root.name + " " + root.kind);
    EXPECT_EQ(roots, (std::vector<std::string> { "A K1", "B K1", "C K2" }));
}

} // namespace
