// What the OWL writer refuses to write: a text holding a character XML
// cannot carry, in any section of the file, and a property, qualifier or
// association name that cannot be an element name. The message names the
// first refused unit, the call fails and an existing file stays as it was.

#include "tests/owl/OwlTestSupport.h"

#include <functional>

using namespace owltest;

namespace {

// A concept "Root" with a qualified property and a qualified association,
// and a definition of each of their names.
void buildSmall(QueltKb& kb)
{
    addBasics(kb);
    kb.addRoleDef(QueltRoleDef("Has_X", "RX", 4, "NS", "K", "K", "", ""));
    kb.addQualifierDef(QueltQualifierDef("Source", "Q1", 5, "NS", "CP", {}));
    kb.addAssociationDef(QueltAssociationDef("Maps_To", "A1", 6, "", true, "NS"));
    QueltConcept con("Root", "cRoot", 0, "NS", "K", false);
    QueltProperty rxk("RXK", "C_R", "");
    rxk.addQualifier(QueltQualifier("Source", "S"));
    con.addProperty(rxk);
    con.addAssociation(QueltAssociation("Maps_To", "Root", { QueltQualifier("Source", "S") }));
    kb.addConcept(con);
}

// buildSmall and a child of Root: defined by definitions, changed by fill.
std::function<void(QueltKb&)> withChild(const std::string& name,
    std::function<void(QueltConcept&)> fill, std::function<void(QueltKb&)> definitions = nullptr,
    const std::string& code = "cChild")
{
    return [=](QueltKb& kb) {
        if (definitions)
            definitions(kb);
        buildSmall(kb);
        QueltConcept child(name, code, 0, "NS", "K", false);
        child.addParent("Root");
        fill(child);
        kb.addConcept(child);
    };
}

class OwlRefusal : public OwlWriterTest { };

TEST_F(OwlRefusal, EveryRefusedUnitIsNamedAndNothingIsWritten)
{
    struct Case {
        const char* what;
        std::function<void(QueltKb&)> build;
        std::string messages;
        std::string ns = kNamespace;
        std::vector<std::string> header = headerLines();
    };
    const std::string carry = "': text holds a character XML cannot carry\n";
    const std::string con = "ERROR: cannot write concept '";
    const std::string invalid = "ERROR:  invalid OWL name; internal char at 2, \"";
    const Case cases[] = {
        { "concept name, shown escaped", withChild("Bad\x1F", [](QueltConcept&) {}),
            con + "Bad\\x1F" + carry },
        { "header line", buildSmall,
            "ERROR: cannot write the document header: text holds a character XML cannot carry\n",
            kNamespace, { "<!-- \x06 -->" } },
        { "pick-list value",
            [](QueltKb& kb) {
                buildSmall(kb);
                QueltPropertyDef def("P_List", "PL", 9, "string", false, false, "NS");
                def.setPickList({ "ok", "\x02" });
                kb.addPropertyDef(def);
            },
            "ERROR: cannot write property definition 'P_List" + carry },
        { "role code",
            [](QueltKb& kb) {
                addBasics(kb);
                kb.addRoleDef(QueltRoleDef("Has_Y", "R\x03", 4, "NS", "K", "K", "", ""));
            },
            "Number of Kinds is not the same as the number of root Concepts.\n" + invalid
                + "R\x03\"\nERROR: cannot write role definition 'Has_Y" + carry },
        { "qualifier definition name",
            [](QueltKb& kb) {
                kb.addQualifierDef(QueltQualifierDef("Q\x04", "Q9", 3, "", "CP", {}));
            },
            invalid + "Q\x04\"\nERROR: cannot write qualifier definition 'Q\\x04" + carry },
        { "association definition name",
            [](QueltKb& kb) {
                kb.addAssociationDef(QueltAssociationDef("A\x05", "A9", 3, "", true, ""));
            },
            invalid + "A\x05\"\nERROR: cannot write association definition 'A\\x05" + carry },
        { "root identifier",
            [](QueltKb& kb) {
                addBasics(kb);
                kb.addConcept(makeConcept("Top", "R\x08"));
            },
            invalid + "R\x08\"\n" + invalid + "R\x08\"\n" + con + "Top" + carry },
        // Element names; the declarations' identifier check speaks first.
        { "blank in a property name",
            withChild(
                "Named",
                [](QueltConcept& c) { c.addProperty(QueltProperty("Short name", "v", "")); },
                [](QueltKb& kb) {
                    kb.addPropertyDef(
                        QueltPropertyDef("Short name", "P2", 7, "", false, false, ""));
                }),
            "ERROR:  invalid OWL name; internal char at 6, \"Short name\"\n" + con
                + "Named': property name 'Short name' cannot be an XML element name\n" },
        { "colon in a qualifier name",
            withChild(
                "Qualified",
                [](QueltConcept& c) {
                    QueltProperty p("RXK", "C_Q", "");
                    p.addQualifier(QueltQualifier("src:a", "S"));
                    c.addProperty(p);
                },
                [](QueltKb& kb) {
                    kb.addQualifierDef(QueltQualifierDef("src:a", "Q2", 7, "", "CP", {}));
                }),
            "ERROR:  invalid OWL name; internal char at 4, \"src:a\"\n" + con
                + "Qualified': qualifier name 'src:a' cannot be an XML element name\n" },
        { "digit first in an association name",
            withChild(
                "Mapped",
                [](QueltConcept& c) { c.addAssociation(QueltAssociation("1Maps", "Root")); },
                [](QueltKb& kb) {
                    kb.addAssociationDef(QueltAssociationDef("1Maps", "A2", 7, "", true, ""));
                }),
            "ERROR:  invalid OWL name; first char \"1Maps\"\n" + con
                + "Mapped': association name '1Maps' cannot be an XML element name\n" },
        { "property without a definition",
            withChild("Child",
                [](QueltConcept& c) { c.addProperty(QueltProperty("Undefined", "v", "")); }),
            con + "Child': a property without a defined name\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clearAllErrorWords();
        QueltKb kb;
        c.build(kb);
        EXPECT_FALSE(write(kb, owl::WriteOptions(), c.header, c.ns));
        EXPECT_EQ(messages, c.messages);
        expectOldOutputKept();
    }
}

} // namespace
