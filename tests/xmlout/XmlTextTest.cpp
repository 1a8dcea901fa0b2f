// The writers' text routines: escaping as content and as attribute value
// (that what they write reads back as the text is checked through real
// parsers by the command-line tests), which texts XML can carry and why
// not, and which names can be element names.

#include "xmlout/XmlText.h"
#include "model/Message.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(XmlText, ContentAndAttributeEscapes)
{
    const std::pair<std::string, std::string> contents[] = {
        { "", "" },
        { "a > b", "a > b" },
        { "a & b", "<![CDATA[a & b]]>" },
        { "a < b", "<![CDATA[a < b]]>" },
        { "x ]]> y", "x ]]&gt; y" },
        { "]]]>", "]]]&gt;" },
        { "x]]", "x]]" },
        { "<b>]]>", "<![CDATA[<b>]]]]><![CDATA[>]]>" },
        // One complete CDATA section is kept as it is; anything else that
        // looks like one is a text like any other.
        { "<![CDATA[x & y]]>", "<![CDATA[x & y]]>" },
        { "<![CDATA[x", "<![CDATA[<![CDATA[x]]>" },
        { "<![CDATA[x]]> & y", "<![CDATA[<![CDATA[x]]]]><![CDATA[> & y]]>" },
        { "line\rend", "line&#xD;end" },
        { "a&\rb", "<![CDATA[a&]]>&#xD;<![CDATA[b]]>" },
        { "<![CDATA[a\rb]]>", "<![CDATA[<![CDATA[a]]>&#xD;<![CDATA[b]]]]><![CDATA[>]]>" },
        { "tab\tand\nnewline \xC3\xA9", "tab\tand\nnewline \xC3\xA9" },
    };
    for (const auto& c : contents)
        EXPECT_EQ(xmltext::content(c.first), c.second) << c.first;
    EXPECT_EQ(xmltext::attribute("id \"1\" <&>\t\n\r ]]> '"),
        "id &quot;1&quot; &lt;&amp;>&#9;&#xA;&#xD; ]]> '");
}

// The check runs in blocks; a bad byte must be found wherever it falls
// relative to the block edges, and tab, LF, CR, the space (one past the C0
// range) and DEL are never bad, in a block or after the last one.
TEST(XmlText, CarryableFindsEveryC0ControlAtEveryPosition)
{
    const std::string clean = " \x7F" + std::string(150, 'a') + "\t\n\r\x7F\xC3\xA9 ";
    EXPECT_TRUE(xmltext::carryable(clean));
    for (int byte = 0; byte < 0x20; ++byte) {
        if (byte == '\t' || byte == '\n' || byte == '\r')
            continue;
        for (size_t at = 0; at < clean.size(); ++at) {
            std::string text = clean;
            text[at] = static_cast<char>(byte);
            EXPECT_FALSE(xmltext::carryable(text)) << "byte " << byte << " at " << at;
            EXPECT_TRUE(xmltext::carryable(text.data(), at)) << "byte " << byte << " at " << at;
        }
    }
}

TEST(XmlText, UncarriedReasons)
{
    const std::string control = "a control character";
    const std::string notUtf8 = "bytes that are not UTF-8";
    const std::pair<std::string, std::string> cases[] = {
        { "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBD", "" },
        // U+0080, U+009F (C1), U+07FF, U+D7FF and U+E000 (around the
        // surrogates), U+10000, U+10FFFF.
        { "\xC2\x80\xC2\x9F\xDF\xBF\xED\x9F\xBF\xEE\x80\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", "" },
        { std::string("N\0l", 3), control },
        { "a\x1Fz", control },
        { "caf\xE9", notUtf8 },
        { "\xED\xA0\x80", notUtf8 }, // a UTF-16 surrogate: the first
        { "\xED\xBF\xBF", notUtf8 }, // and the last
        { "\xC1\xBF", notUtf8 }, // overlong, of a lead byte below C2
        { "\xE0\x80\xAF", notUtf8 }, // overlong
        { "\xF4\x90\x80\x80", notUtf8 }, // beyond U+10FFFF
        { "\xE2\x82", notUtf8 }, // cut short
        { "\xEF\xBF\xBE", "a character that XML excludes (U+FFFE or U+FFFF)" },
        { "\xEF\xBF\xBF", "a character that XML excludes (U+FFFE or U+FFFF)" },
    };
    for (const auto& c : cases) {
        const char* reason = xmltext::uncarriedReason(c.first);
        EXPECT_EQ(reason ? reason : "", c.second) << shownText(c.first);
    }
}

TEST(XmlText, ElementNamesAreXmlNamesWithoutColon)
{
    for (const char* name : { "a", "_", "Preferred_Name", "x-1.2", "caf\xC3\xA9",
             "\xC3\x89t\xC3\xA9", "\xE4\xB8\x80\xE2\xB0\x80", "a\xC2\xB7\xE2\x80\xBF",
             "\xF0\x90\x80\x80", "\xC3\x80", "\xED\x9F\xBF" }) {
        EXPECT_TRUE(xmltext::isElementName(name)) << name;
    }
    for (const char* name :
        { "", "x y", "a:b", ":a", "1a", "-a", ".a", "a&b", "a<b", "a\"b", "\xC3\x97", "a\xC3",
            "a\xC3(", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xEF\xBF\xBE", "\xFF",
            "a\x7F", "a\xC2\x80", "a\xC2\xBF", "\xED\xBF\xBF", "\xEE\x80\x80" }) {
        EXPECT_FALSE(xmltext::isElementName(name)) << name;
    }
}

} // namespace
