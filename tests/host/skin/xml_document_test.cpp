// Loading, path queries and reads of CXmlDocument.
#include <gtest/gtest.h>

#include <string>

#include "XmlDocument.h"
#include "xml_test_support.h"

using skinxml_test::TempFolder;

namespace {

// B elements under two A parents with a C between them: document order
// must interleave nothing from C and keep the second A's B last.
constexpr const char* kOrdered =
    "<R>"
    "<A><B N='1'/><B N='2'/></A>"
    "<C><B N='c'/></C>"
    "<A><B N='3'/><X><B N='deep'/></X></A>"
    "</R>";

std::string AttributeOf(const CXmlDocument& doc, const char* path, int index, const char* name) {
    std::string value = "unchanged";
    if (!doc.ReadAttribute(path, 0, index, name, value)) return "<no element>";
    return value;
}

}  // namespace

TEST(XmlDocumentPaths, MatchFromTheRootInDocumentOrder) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText(kOrdered));
    EXPECT_EQ(doc.CountElements("R/A/B"), 3);
    EXPECT_EQ(AttributeOf(doc, "R/A/B", 0, "N"), "1");
    EXPECT_EQ(AttributeOf(doc, "R/A/B", 1, "N"), "2");
    EXPECT_EQ(AttributeOf(doc, "R/A/B", 2, "N"), "3");
    EXPECT_EQ(AttributeOf(doc, "R/A/B", 3, "N"), "<no element>");
    EXPECT_EQ(doc.CountElements("R/C/B"), 1);
    EXPECT_EQ(doc.CountElements("R/A"), 2);
    EXPECT_EQ(doc.CountElements("R"), 1);
    // Only the exact path from the root counts: no descendants, no other root.
    EXPECT_EQ(doc.CountElements("R/B"), 0);
    EXPECT_EQ(doc.CountElements("A/B"), 0);
    EXPECT_EQ(doc.CountElements("R/A/X/B"), 1);
    // Names are case-sensitive.
    EXPECT_EQ(doc.CountElements("r/A/B"), 0);
    EXPECT_EQ(doc.CountElements("R/a/B"), 0);
}

TEST(XmlDocumentPaths, MalformedPathsMatchNothing) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText(kOrdered));
    for (const char* path : {"", "/", "/R/A", "R/A/", "R//A", "R/*", "*", "R/A[1]", "R/A|R/C",
                             "//B", "R/A/B/@N", "R/A/B/..", "R/A/B/text()", "R/ A"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(doc.CountElements(path), 0);
        std::string value;
        EXPECT_FALSE(doc.ReadAttribute(path, 0, 0, "N", value));
        EXPECT_EQ(doc.FindElementByAttribute(path, "N", "1"), -1);
    }
}

TEST(XmlDocumentPaths, QualifiedNamesMatchWithTheirPrefix) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<R xmlns:p='urn:p'><p:E V='1'/><E V='2'/></R>"));
    EXPECT_EQ(AttributeOf(doc, "R/p:E", 0, "V"), "1");
    EXPECT_EQ(AttributeOf(doc, "R/E", 0, "V"), "2");
    EXPECT_EQ(doc.CountElements("R/E"), 1);
}

TEST(XmlDocumentWhitespace, IndentationIsNoChildButCommentsAndTextAre) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<R>\n  <G>\n    <B ID='one'/>\n    <!-- note -->\n"
                             "    <B ID='two'/>\n  </G>\n  <T>  </T>\n  <M>x <i>y</i> z</M>\n</R>"));
    EXPECT_EQ(doc.CountFirstChildren("R"), 3);
    EXPECT_EQ(doc.CountGroupChildren("R/G/B", 0), 3);
    std::string name;
    ASSERT_TRUE(doc.GetChildName("R/G", 1, name));
    EXPECT_EQ(name, "#comment");
    ASSERT_TRUE(doc.GetChildName("R/G", 2, name));
    EXPECT_EQ(name, "B");
    EXPECT_FALSE(doc.GetChildName("R/G", 3, name));
    // A whitespace-only value is dropped too; text with content keeps its blanks.
    EXPECT_EQ(doc.CountFirstChildren("R/T"), 0);
    std::string text;
    ASSERT_TRUE(doc.GetElementText("R/M", 0, text));
    EXPECT_EQ(text, "x y z");
}

TEST(XmlDocumentWhitespace, PreserveScopesKeepTheirBlanks) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<R><P xml:space='preserve'> <Q> </Q></P><D> </D></R>"));
    EXPECT_EQ(doc.CountFirstChildren("R/P"), 2);
    EXPECT_EQ(doc.CountFirstChildren("R/P/Q"), 1);
    EXPECT_EQ(doc.CountFirstChildren("R/D"), 0);
}

TEST(XmlDocumentAttributes, ResultsForMissingElementsAndAttributes) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<R><E A='x' EMPTY=''/></R>"));
    std::string value = "keep";
    EXPECT_FALSE(doc.ReadAttribute("R/E", 0, 1, "A", value));
    EXPECT_EQ(value, "keep");
    EXPECT_FALSE(doc.ReadAttribute("R/E", 0, -1, "A", value));
    EXPECT_TRUE(doc.ReadAttribute("R/E", 0, 0, "MISSING", value));
    EXPECT_EQ(value, "keep");
    EXPECT_TRUE(doc.ReadAttribute("R/E", 0, 0, "a", value));  // case-sensitive name
    EXPECT_EQ(value, "keep");
    EXPECT_TRUE(doc.ReadAttribute("R/E", 0, 0, "EMPTY", value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(doc.ReadAttribute("R/E", 0, 0, "A", value));
    EXPECT_EQ(value, "x");
}

TEST(XmlDocumentAttributes, GroupReadsAddressChildNodesOfTheGroup) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<R>"
                             "<G><B ID='g0a'/><!--c--><B ID='g0b'/></G>"
                             "<G><B ID='g1a'/><B ID='g1b'/></G>"
                             "</R>"));
    std::string value;
    // group != 0: child node number index of that group.
    ASSERT_TRUE(doc.ReadAttribute("R/G/B", 1, 1, "ID", value));
    EXPECT_EQ(value, "g1b");
    EXPECT_FALSE(doc.ReadAttribute("R/G/B", 1, 2, "ID", value));
    EXPECT_FALSE(doc.ReadAttribute("R/G/B", 2, 0, "ID", value));
    // group == 0 counts over the whole document, so the comment is skipped.
    ASSERT_TRUE(doc.ReadAttribute("R/G/B", 0, 1, "ID", value));
    EXPECT_EQ(value, "g0b");
    ASSERT_TRUE(doc.ReadAttribute("R/G/B", 0, 2, "ID", value));
    EXPECT_EQ(value, "g1a");
    // The group-child read reaches group 0's own children, the comment included.
    ASSERT_TRUE(doc.ReadGroupChildAttribute("R/G/B", 0, 0, "ID", value));
    EXPECT_EQ(value, "g0a");
    value = "keep";
    EXPECT_FALSE(doc.ReadGroupChildAttribute("R/G/B", 0, 1, "ID", value));
    EXPECT_EQ(value, "keep");
    ASSERT_TRUE(doc.ReadGroupChildAttribute("R/G/B", 0, 2, "ID", value));
    EXPECT_EQ(value, "g0b");
    EXPECT_EQ(doc.CountGroupChildren("R/G/B", 0), 3);
    EXPECT_EQ(doc.CountGroupChildren("R/G/B", 1), 2);
    EXPECT_EQ(doc.CountGroupChildren("R/G/B", 2), 0);
    EXPECT_EQ(doc.CountGroupChildren("R", 0), 0);  // no parent path left
}

TEST(XmlDocumentAttributes, LongValuesAreCutAtTheLimitAndSaySo) {
    const std::string ascii(300, 'a');
    std::string wide;
    for (int i = 0; i < 300; ++i) wide += "\xC3\xA9";  // é
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<R><E A='" + ascii + "' W='" + wide + "' S='" +
                             std::string(255, 's') + "'/></R>"));
    std::string value;
    bool cut = false;
    ASSERT_TRUE(doc.ReadAttribute("R/E", 0, 0, "A", value, kAttributeMaxChars, &cut));
    EXPECT_EQ(value, std::string(255, 'a'));
    EXPECT_TRUE(cut);
    ASSERT_TRUE(doc.ReadAttribute("R/E", 0, 0, "W", value, kAttributeMaxChars, &cut));
    EXPECT_EQ(value.size(), 510u);  // 255 two-byte characters, none split
    EXPECT_EQ(value, wide.substr(0, 510));
    EXPECT_TRUE(cut);
    ASSERT_TRUE(doc.ReadAttribute("R/E", 0, 0, "S", value, kAttributeMaxChars, &cut));
    EXPECT_EQ(value.size(), 255u);
    EXPECT_FALSE(cut);
    // The flag is written on every read, so a stale true never survives.
    cut = true;
    EXPECT_FALSE(doc.ReadAttribute("R/E", 0, 5, "A", value, kAttributeMaxChars, &cut));
    EXPECT_FALSE(cut);
}

TEST(XmlDocumentReads, ElementTextChildNamesAndLookups) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<VARN_PLUGIN><FAN>"
                             "<ITEM NAME='ZEFAN_FAN_0'><DUTY>40</DUTY></ITEM>"
                             "<ITEM NAME='ZEFAN_FAN_1'><DUTY>55</DUTY><NOTE>a&amp;b</NOTE></ITEM>"
                             "<ITEM NAME='ZEFAN_FAN_1'><DUTY>99</DUTY></ITEM>"
                             "</FAN></VARN_PLUGIN>"));
    EXPECT_EQ(doc.FindElementByAttribute("VARN_PLUGIN/FAN/ITEM", "NAME", "ZEFAN_FAN_1"), 1);
    EXPECT_EQ(doc.FindElementByAttribute("VARN_PLUGIN/FAN/ITEM", "NAME", "zefan_fan_1"), -1);
    EXPECT_EQ(doc.FindElementByAttribute("VARN_PLUGIN/FAN/ITEM", "NAME", ""), -1);
    std::string text = "keep";
    ASSERT_TRUE(doc.GetElementText("VARN_PLUGIN/FAN/ITEM/DUTY", 1, text));
    EXPECT_EQ(text, "55");
    ASSERT_TRUE(doc.GetElementText("VARN_PLUGIN/FAN/ITEM/NOTE", 0, text));
    EXPECT_EQ(text, "a&b");
    text = "keep";
    EXPECT_FALSE(doc.GetElementText("VARN_PLUGIN/FAN/ITEM/DUTY", 3, text));
    EXPECT_EQ(text, "keep");
    std::string name;
    ASSERT_TRUE(doc.GetChildName("VARN_PLUGIN", 0, name));
    EXPECT_EQ(name, "FAN");
    EXPECT_FALSE(doc.GetChildName("VARN_PLUGIN/NONE", 0, name));
    EXPECT_EQ(doc.CountFirstChildren("VARN_PLUGIN/FAN"), 3);
}

TEST(XmlDocumentLoading, FailedLoadsLeaveAnEmptyDocument) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<R><E A='1'/></R>"));
    ASSERT_TRUE(doc.IsLoaded());
    EXPECT_FALSE(doc.LoadText("<R><E A='1'></R>"));
    EXPECT_FALSE(doc.IsLoaded());
    std::string value = "keep";
    EXPECT_EQ(doc.CountElements("R/E"), 0);
    EXPECT_FALSE(doc.ReadAttribute("R/E", 0, 0, "A", value));
    EXPECT_FALSE(doc.GetXml(value));
    EXPECT_EQ(value, "keep");
    EXPECT_EQ(doc.FindElementByAttribute("R/E", "A", "1"), -1);

    EXPECT_FALSE(doc.LoadText(""));
    EXPECT_FALSE(doc.LoadFile("/nonexistent/skin.xml"));
    EXPECT_FALSE(doc.LoadFile(VELMAR_TEST_DATA_DIR));  // a folder
    EXPECT_FALSE(doc.LoadFile(skinxml_test::DataPath("garbled.xml")));
    EXPECT_FALSE(doc.IsLoaded());
}

TEST(XmlDocumentLoading, EachLoadReplacesTheContentAndItsCachedMatches) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<R><E A='first'/><E/></R>"));
    EXPECT_EQ(doc.CountElements("R/E"), 2);
    ASSERT_TRUE(doc.LoadText("<R><E A='second'/></R>"));
    EXPECT_EQ(doc.CountElements("R/E"), 1);
    EXPECT_EQ(AttributeOf(doc, "R/E", 0, "A"), "second");
}

TEST(XmlDocumentLoading, TextIsUtf8WhateverItsDeclarationSays) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<?xml version='1.0' encoding='ISO-8859-1'?><R N='caf\xC3\xA9'/>"));
    EXPECT_EQ(AttributeOf(doc, "R", 0, "N"), "caf\xC3\xA9");
}

TEST(XmlDocumentLoading, FilesAreDecodedByTheirDeclaration) {
    TempFolder folder;
    const std::string latin1 = folder.Write(
        "latin1.xml", "<?xml version='1.0' encoding='ISO-8859-1'?><R N='caf\xE9'/>");
    const std::string plain = folder.Write("plain.xml", "<R N='caf\xC3\xA9'/>");
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(latin1));
    EXPECT_EQ(AttributeOf(doc, "R", 0, "N"), "caf\xC3\xA9");
    ASSERT_TRUE(doc.LoadFile(plain));
    EXPECT_EQ(AttributeOf(doc, "R", 0, "N"), "caf\xC3\xA9");
}

TEST(XmlDocumentSafety, ExternalEntitiesAreNeverRead) {
    TempFolder folder;
    const std::string secret = folder.Write("secret.txt", "TOP-SECRET");
    folder.Write("secret.dtd", "<!ENTITY leak 'TOP-SECRET'>");
    const std::string general = "<!DOCTYPE R [<!ENTITY x SYSTEM 'file://" + secret +
                                "'>]><R><V>[&x;]</V><W A='1'/></R>";
    const std::string parameter = "<!DOCTYPE R [<!ENTITY % p SYSTEM 'file://" + folder.Path() +
                                  "/secret.dtd'> %p;]><R><V>[&leak;]</V></R>";
    const std::string external = "<!DOCTYPE R SYSTEM 'secret.dtd'><R><V>[&leak;]</V></R>";

    // The entities' text never arrives, whether the document names them in
    // its body or in an external DTD.
    CXmlDocument doc;
    for (const std::string& text : {general, external}) {
        SCOPED_TRACE(text);
        std::string value;
        ASSERT_TRUE(doc.LoadText(text));
        ASSERT_TRUE(doc.GetElementText("R/V", 0, value));
        EXPECT_EQ(value, "[]");
        ASSERT_TRUE(doc.LoadFile(folder.Write("doc.xml", text)));
        ASSERT_TRUE(doc.GetElementText("R/V", 0, value));
        EXPECT_EQ(value, "[]");
        ASSERT_TRUE(doc.GetXml(value));
        EXPECT_EQ(value.find("TOP-SECRET"), std::string::npos);
    }
    // Read, the parameter entity would declare "leak"; unread, the reference
    // to it is an undefined entity and the document does not load.
    EXPECT_FALSE(doc.LoadText(parameter));
    EXPECT_FALSE(doc.LoadFile(folder.Write("doc.xml", parameter)));
}

TEST(XmlDocumentSafety, EntityExpansionBombsDoNotLoad) {
    // Ten levels of ten references each: 10^10 characters if expanded on a read.
    std::string text = "<!DOCTYPE R [<!ENTITY a 'aaaaaaaaaa'>";
    for (char level = 'b', previous = 'a'; level <= 'k'; previous = level++) {
        text += std::string("<!ENTITY ") + level + " '";
        for (int i = 0; i < 10; ++i) text += std::string("&") + previous + ";";
        text += "'>";
    }
    text += "]><R><V>&k;</V></R>";
    CXmlDocument doc;
    EXPECT_FALSE(doc.LoadText(text));
    std::string value;
    EXPECT_FALSE(doc.GetElementText("R/V", 0, value));
}

TEST(XmlDocumentSafety, ParseErrorsStayOffStderr) {
    testing::internal::CaptureStderr();
    CXmlDocument doc;
    doc.LoadText("<R><unclosed></R>");
    doc.LoadText("<!DOCTYPE R [<!ENTITY x SYSTEM 'file:///nonexistent'>]><R>&x;&undefined;</R>");
    doc.LoadFile(skinxml_test::DataPath("garbled.xml"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(XmlDocumentSerialisation, GetXmlGivesTheDocumentWithoutDeclaration) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.LoadText("<?xml version='1.0'?><R A='1'>\n  <E>t&lt;u</E>\n</R>"));
    std::string xml;
    ASSERT_TRUE(doc.GetXml(xml));
    EXPECT_EQ(xml.find("<?xml"), std::string::npos);
    EXPECT_NE(xml.find("<R A=\"1\"><E>t&lt;u</E></R>"), std::string::npos);
    // What GetXml writes loads back to the same content.
    CXmlDocument again;
    ASSERT_TRUE(again.LoadText(xml));
    std::string text;
    ASSERT_TRUE(again.GetElementText("R/E", 0, text));
    EXPECT_EQ(text, "t<u");
    bool cut = false;
    ASSERT_TRUE(doc.GetXml(xml, 5, &cut));
    EXPECT_EQ(xml, "<R A=");
    EXPECT_TRUE(cut);
}
