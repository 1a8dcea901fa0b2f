// Which prologs are plain, so that the reader may give the document to the
// parser library's well-formedness scanner: anything it does not know,
// and every internal subset, leaves the document to the default scanner.

#include "ontylog/OntylogProlog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const std::string kDoctype = "<!DOCTYPE terminology SYSTEM \"ontylog.dtd\">\n";

// plain, names an external DTD, standalone
std::string facts(const std::string& head)
{
    ontylog::Prolog prolog = ontylog::readProlog(head + "<terminology>");
    return std::string(prolog.plain ? "plain" : "-") + (prolog.namesExternalDtd ? " dtd" : "")
        + (prolog.standalone ? " standalone" : "");
}

TEST(PrologTest, PlainPrologs)
{
    EXPECT_EQ(facts(""), "plain");
    EXPECT_EQ(facts(kDecl + kDoctype), "plain dtd");
    EXPECT_EQ(facts("\xEF\xBB\xBF" + kDecl + "<!-- a -->\n<?pi data?>" + kDoctype + "<!--b-->"),
        "plain dtd");
    EXPECT_EQ(facts("<?xml version='1.0' encoding='iso-8859-1' standalone='yes' ?>" + kDoctype),
        "plain dtd standalone");
    EXPECT_EQ(facts("<!DOCTYPE terminology PUBLIC \"-//Example Org//DTD T 1.0//EN\" "
                    "\"http://example.org/t.dtd\">"),
        "plain dtd");
    // A DOCTYPE without an external DTD: the document has a DTD all the same.
    EXPECT_EQ(facts("<!DOCTYPE terminology >"), "plain");
}

TEST(PrologTest, OtherPrologsAreNotPlain)
{
    const std::string notPlain[] = {
        // Internal subsets: an entity, a default attribute, an empty one.
        "<!DOCTYPE terminology [ <!ENTITY lab \"Lab\"> ]>",
        "<!DOCTYPE terminology SYSTEM \"t.dtd\" [<!ATTLIST kindDef reference CDATA \"false\">]>",
        "<!DOCTYPE terminology[]>",
        // What the recogniser does not read as the library does, or at all.
        kDoctype + kDoctype,
        "<!DOCTYPE terminology SYSTEM \"t.dtd#part\">",
        "<!DOCTYPE terminology PUBLIC \"{x}\" \"t.dtd\">",
        "<!DOCTYPE terminology SYSTEM t.dtd>",
        "<!doctype terminology>",
        "<?xml version=\"1.1\"?>",
        "<?xml encoding=\"UTF-8\" version=\"1.0\"?>",
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>",
        "<?xml version=\"1.0\" standalone=\"maybe\"?>",
        " " + kDecl,
        "<?XML data?>",
        "<!-- a -- b -->",
        "text",
        std::string("\xFF\xFE<\0", 4),
    };
    for (const std::string& head : notPlain)
        EXPECT_EQ(facts(head), "-") << head;
    // A prolog that does not end within the bytes looked at.
    EXPECT_FALSE(ontylog::readProlog(kDecl + "<!-- a long comment").plain);
}

} // namespace
