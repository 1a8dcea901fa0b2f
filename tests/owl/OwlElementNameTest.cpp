// Property, association and qualifier names become element names in the
// OWL file. A name that cannot be one (a blank or a colon in it, a digit
// first, no definition and so no name at all) would make the file
// unreadable: the writer refuses the concept, fails, and leaves an existing
// file as it was. Names in the wider letters of XML pass and read back.

#include "tests/owl/OwlTestSupport.h"

#include "model/QueltAssociation.h"
#include "model/QueltProperty.h"
#include "model/QueltQualifier.h"
#include "owl/XmlText.h"

using namespace owltest;

namespace {

// Definitions of the names used below, one concept "Root" with code R1.
void buildDefinitions(QueltKb& kb, const std::string& property, const std::string& qualifier,
                      const std::string& association)
{
    kb.addNamespace(QueltName("NS", 1, "N1"));
    kb.addKind(QueltKind("K", 2, "K1", "NS", false));
    kb.addPropertyDef(QueltPropertyDef("RXK", "P1", 3, "string", false, false, "NS"));
    kb.addPropertyDef(QueltPropertyDef(property, "P2", 4, "string", false, false, "NS"));
    kb.addQualifierDef(QueltQualifierDef(qualifier, "Q1", 5, "NS", "CP", {}));
    kb.addAssociationDef(QueltAssociationDef(association, "A1", 6, "", true, "NS"));
}

} // namespace

TEST(OwlElementName, XmlNamesWithoutColon)
{
    for (const char* name : {"a", "_", "Preferred_Name", "x-1.2", "caf\xC3\xA9", "\xC3\x89t\xC3\xA9",
                             "\xE4\xB8\x80\xE2\xB0\x80", "a\xC2\xB7\xE2\x80\xBF", "\xF0\x90\x80\x80"}) {
        EXPECT_TRUE(xmltext::isElementName(name)) << name;
    }
    for (const char* name : {"", "x y", "a:b", ":a", "1a", "-a", ".a", "a&b", "a<b", "a\"b", "\xC3\x97",
                             "a\xC3", "a\xC3(", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                             "a\xEF\xBF\xBE", "\xFF"}) {
        EXPECT_FALSE(xmltext::isElementName(name)) << name;
    }
}

class OwlElementNames : public OwlWriterTest {};

TEST_F(OwlElementNames, NamesThatCannotBeElementsAreRefused)
{
    struct Case {
        const char* what;
        std::string property, qualifier, association;
        // Name of the property used on the concept; the empty text uses the
        // defined one.
        std::string used;
        std::string message;
    };
    const std::string prefix = "ERROR: cannot write concept 'Root': ";
    const Case cases[] = {
        {"blank in a property name", "Short name", "Source", "Maps_To", "",
         prefix + "property name 'Short name' cannot be an XML element name\n"},
        {"colon in a qualifier name", "Note", "src:a", "Maps_To", "",
         prefix + "qualifier name 'src:a' cannot be an XML element name\n"},
        {"digit first in an association name", "Note", "Source", "1Maps", "",
         prefix + "association name '1Maps' cannot be an XML element name\n"},
        {"property without a definition", "Note", "Source", "Maps_To", "Undefined",
         prefix + "a property without a defined name\n"},
    };
    const std::string file = path("out.owl");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clearErrorWords();
        writeFile(file, "old");
        QueltKb kb;
        buildDefinitions(kb, c.property, c.qualifier, c.association);
        QueltConcept root("Root", "cRoot", 0, "NS", "K", false);
        root.addProperty(QueltProperty("RXK", "R1", ""));
        QueltProperty note(c.used.empty() ? c.property : c.used, "text", "");
        note.addQualifier(QueltQualifier(c.qualifier, "S"));
        root.addProperty(note);
        root.addAssociation(QueltAssociation(c.association, "Root", {}));
        kb.addConcept(root);

        std::string name = file;
        std::vector<std::string> header = headerLines();
        std::string ns = kNamespace;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(kb.writeMedvex2OWLFile(name, header, ns));
        std::string messages = testing::internal::GetCapturedStderr();
        // The declarations' identifier check speaks first; the refusal is
        // the last line.
        ASSERT_GE(messages.size(), c.message.size()) << messages;
        EXPECT_EQ(messages.substr(messages.size() - c.message.size()), c.message);
        EXPECT_EQ(readFile(file), "old");
        EXPECT_EQ(listDirectory(dir_), std::vector<std::string>{"out.owl"});
    }
}

TEST_F(OwlElementNames, NonAsciiNamesAreWrittenAndReadBack)
{
    QueltKb kb;
    const std::string property = "Gr\xC3\xB6\xC3\x9F" "e";
    const std::string qualifier = "Quelle_\xE2\x80\xBF";
    buildDefinitions(kb, property, qualifier, "Verwandt_mit");
    QueltConcept root("Root", "cRoot", 0, "NS", "K", false);
    root.addProperty(QueltProperty("RXK", "R1", ""));
    QueltProperty size(property, "gro\xC3\x9F", "");
    size.addQualifier(QueltQualifier(qualifier, "S"));
    root.addProperty(size);
    root.addAssociation(QueltAssociation("Verwandt_mit", "Root", {}));
    kb.addConcept(root);

    write(kb); // also has xmllint check that the file is well-formed
    const std::string file = path("out.owl");
    if (!haveXmllint())
        GTEST_SKIP() << "xmllint is not installed";
    EXPECT_EQ(readBack(file, "string(//*[local-name()='" + property + "'])"), "gro\xC3\x9F");
    EXPECT_EQ(readBack(file, "string(//*[local-name()='" + qualifier + "'])"), "S");
    EXPECT_EQ(readBack(file, "count(//*[local-name()='Verwandt_mit'])"), "1");
}
