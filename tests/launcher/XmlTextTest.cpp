// The one escaper every XML writer of the report uses, the cut of long cell text and the
// decoding of text saved in the Windows code page.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "launcher/XmlText.h"
#include "platform/Error.h"
#include "platform/TextCodec.h"

namespace bp::launcher {
namespace {

// The escaped text read back as an attribute value and as a text node.
std::pair<std::string, std::string> readBack(const std::string& escaped) {
    std::string xml = "<a v=\"" + escaped + "\">" + escaped + "</a>";
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
    return {doc.child("a").attribute("v").as_string(), doc.child("a").text().as_string()};
}

TEST(XmlTextTest, AwkwardTextSurvivesInAttributesAndTextNodes) {
    struct Case {
        const char* name;
        std::string text;
        std::string readAs;
    };
    const Case cases[] = {
        {"markup", "a&b<c>d\"e'f", "a&b<c>d\"e'f"},
        {"entity look-alike", "&amp; &#65;", "&amp; &#65;"},
        {"tab and line ends", "a\tb\r\nc", "a\tb\r\nc"},
        {"leading and trailing spaces", "  x  ", "  x  "},
        {"controls XML cannot hold",
         std::string("a\x01"
                     "b\x1F"
                     "c\0d",
                     7),
         "a b c d"},
        {"delete, which XML allows", "a\x7F", "a\x7F"},
        {"non-characters",
         "a\xEF\xBF\xBE"
         "b\xEF\xBF\xBF",
         "a b "},
        {"beyond the BMP", "\xF0\x9F\x98\x80 \xF0\x90\x8D\x88",
         "\xF0\x9F\x98\x80 \xF0\x90\x8D\x88"},
        {"BMP letters", "Größe €", "Größe €"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto [attribute, text] = readBack(xmlEscaped(c.text));
        EXPECT_EQ(attribute, c.readAs);
        EXPECT_EQ(text, c.readAs);
    }
}

TEST(XmlTextTest, TextThatIsNotUtf8IsRefusedWithAReadableMessage) {
    const std::string bad[] = {
        "Gr\xF6\xDF"
        "e",
        "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "cut \xE2\x82"};
    for (const auto& text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(platform::TextCodec::isUtf8(text));
        try {
            std::string out;
            appendXmlEscaped(out, text);
            ADD_FAILURE() << "accepted";
        } catch (const Error& error) {
            EXPECT_TRUE(platform::TextCodec::isUtf8(error.description())) << error.description();
            EXPECT_NE(error.description().find("not built"), std::string::npos);
        }
    }
}

TEST(XmlTextTest, TextForTheXmlLibraryLosesOnlyWhatXmlCannotHold) {
    EXPECT_EQ(xmlCharacters(std::string("a\x01"
                                        "b\0c\x7F"
                                        "d",
                                        7)),
              "a b c\x7F"
              "d");
    EXPECT_EQ(xmlCharacters("x\xEF\xBF\xBEy"), "x y");
    EXPECT_EQ(xmlCharacters("a&<b>\t\r\n\xF0\x9F\x98\x80"), "a&<b>\t\r\n\xF0\x9F\x98\x80");
    EXPECT_THROW(xmlCharacters("Gr\xF6\xDF"
                               "e"),
                 Error);
}

TEST(XmlTextTest, LongTextIsCutInUtf16UnitsWithoutSplittingACharacter) {
    EXPECT_EQ(cutToUnits("abcdef", 4), "abcd");
    EXPECT_EQ(cutToUnits("abc", 4), "abc");
    EXPECT_EQ(cutToUnits("äöü", 2), "äö");  // two bytes, one unit each
    EXPECT_EQ(cutToUnits("a\xF0\x9F\x98\x80"
                         "b",
                         2),
              "a");  // a pair does not fit
    EXPECT_EQ(cutToUnits("a\xF0\x9F\x98\x80"
                         "b",
                         3),
              "a\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace bp::launcher
