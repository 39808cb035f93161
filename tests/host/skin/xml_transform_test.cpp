// XSLT transforms of CXmlDocument, and what a stylesheet may not do.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "XmlDocument.h"
#include "xml_test_support.h"

using skinxml_test::TempFolder;

namespace {

const std::string kXslOpen =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>";
const std::string kXslClose = "</xsl:stylesheet>";

constexpr const char* kData =
    "<VARN_PLUGIN><FAN>"
    "<ITEM NAME='F0'><DUTY>40</DUTY></ITEM>"
    "<ITEM NAME='F1'><DUTY>55</DUTY></ITEM>"
    "</FAN></VARN_PLUGIN>";

// A skin folder with its stylesheets inside and a secret one level above.
class XmlTransformTest : public testing::Test {
protected:
    void SetUp() override {
        secret_ = folder_.Write("secret.xml", "<S>TOP-SECRET</S>");
        folder_.Write("skin/inside.xml", "<S>inside-value</S>");
        ASSERT_TRUE(data_.LoadText(kData));
    }

    // Loads stylesheet text written into the skin folder under name.
    void LoadStylesheet(const std::string& name, const std::string& text) {
        ASSERT_TRUE(style_.LoadFile(folder_.Write("skin/" + name, text)));
    }

    std::string Text() {
        std::string text;
        ok_ = data_.TransformToText(style_, text);
        return text;
    }

    TempFolder folder_;
    std::string secret_;
    CXmlDocument data_;
    CXmlDocument style_;
    bool ok_ = false;
};

}  // namespace

TEST_F(XmlTransformTest, TextOutputFollowsTheStylesheet) {
    LoadStylesheet("text.xsl", kXslOpen +
                                   "<xsl:output method='text'/>"
                                   "<xsl:template match='/'>"
                                   "<xsl:for-each select='VARN_PLUGIN/FAN/ITEM'>"
                                   "<xsl:value-of select='@NAME'/>=<xsl:value-of select='DUTY'/>"
                                   "<xsl:text>; </xsl:text>"
                                   "</xsl:for-each></xsl:template>" +
                                   kXslClose);
    EXPECT_EQ(Text(), "F0=40; F1=55; ");
    EXPECT_TRUE(ok_);
}

TEST_F(XmlTransformTest, HtmlOutputIsUtf8WhateverEncodingItNames) {
    LoadStylesheet("html.xsl", kXslOpen +
                                   "<xsl:output method='html' encoding='ISO-8859-1'/>"
                                   "<xsl:template match='/'><DIV ID='d'>caf\xC3\xA9 <BR/>"
                                   "<xsl:value-of select='count(//ITEM)'/></DIV>"
                                   "</xsl:template>" +
                                   kXslClose);
    const std::string html = Text();
    ASSERT_TRUE(ok_);
    EXPECT_NE(html.find("<DIV ID=\"d\">caf\xC3\xA9 <BR>2</DIV>"), std::string::npos) << html;

    LoadStylesheet("xml.xsl", kXslOpen +
                                  "<xsl:output method='xml' encoding='ISO-8859-1'/>"
                                  "<xsl:template match='/'><A>caf\xC3\xA9</A></xsl:template>" +
                                  kXslClose);
    EXPECT_EQ(Text(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<A>caf\xC3\xA9</A>\n");
}

TEST_F(XmlTransformTest, TransformToDocumentGivesAReadableDocument) {
    LoadStylesheet("doc.xsl", kXslOpen +
                                  "<xsl:template match='/'><TABLE>"
                                  "<xsl:for-each select='//ITEM'>"
                                  "<TR N='{@NAME}'><xsl:value-of select='DUTY'/></TR>"
                                  "</xsl:for-each></TABLE></xsl:template>" +
                                  kXslClose);
    CXmlDocument result;
    ASSERT_TRUE(data_.TransformToDocument(style_, result));
    EXPECT_EQ(result.CountElements("TABLE/TR"), 2);
    EXPECT_EQ(result.FindElementByAttribute("TABLE/TR", "N", "F1"), 1);
    std::string xml;
    ASSERT_TRUE(result.GetXml(xml));
    EXPECT_NE(xml.find("<TABLE><TR N=\"F0\">40</TR><TR N=\"F1\">55</TR></TABLE>"),
              std::string::npos)
        << xml;
    // The stylesheet is compiled once and serves every later transform.
    ASSERT_TRUE(data_.LoadText("<VARN_PLUGIN><FAN><ITEM NAME='Z'/></FAN></VARN_PLUGIN>"));
    ASSERT_TRUE(data_.TransformToDocument(style_, result));
    EXPECT_EQ(result.CountElements("TABLE/TR"), 1);
    // The result may be the input document itself.
    ASSERT_TRUE(data_.TransformToDocument(style_, data_));
    EXPECT_EQ(data_.FindElementByAttribute("TABLE/TR", "N", "Z"), 0);
}

TEST_F(XmlTransformTest, WhitespaceInXslTextSurvivesTheBlankRule) {
    LoadStylesheet("space.xsl", kXslOpen +
                                    "<xsl:output method='text'/>\n"
                                    "<xsl:template match='/'>\n"
                                    "  <xsl:text>[</xsl:text><xsl:text> </xsl:text>"
                                    "<xsl:text>]</xsl:text>\n"
                                    "</xsl:template>\n" +
                                    kXslClose);
    EXPECT_EQ(Text(), "[ ]");
}

TEST_F(XmlTransformTest, FaultsGiveFalseAndAnEmptyResult) {
    CXmlDocument result;
    ASSERT_TRUE(result.LoadText("<OLD/>"));
    std::string text = "old";
    // No stylesheet loaded.
    EXPECT_FALSE(data_.TransformToDocument(style_, result));
    EXPECT_FALSE(result.IsLoaded());
    EXPECT_FALSE(data_.TransformToText(style_, text));
    EXPECT_EQ(text, "");
    // A document that is not a stylesheet.
    ASSERT_TRUE(style_.LoadText("<NOT_XSL/>"));
    EXPECT_FALSE(data_.TransformToDocument(style_, result));
    // No input document.
    LoadStylesheet("ok.xsl", kXslOpen + "<xsl:template match='/'><A/></xsl:template>" + kXslClose);
    CXmlDocument empty;
    EXPECT_FALSE(empty.TransformToText(style_, text));
    EXPECT_FALSE(empty.TransformToDocument(style_, result));
    // A stylesheet that stops itself.
    LoadStylesheet("stop.xsl", kXslOpen +
                                   "<xsl:template match='/'><A/>"
                                   "<xsl:message terminate='yes'>stop</xsl:message>"
                                   "</xsl:template>" +
                                   kXslClose);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(data_.TransformToDocument(style_, result));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(XmlTransformTest, LongOutputIsCutAndSaysSo) {
    std::string longText;
    for (int i = 0; i < 60000; ++i) longText += "\xC3\xA9";
    LoadStylesheet("long.xsl", kXslOpen + "<xsl:output method='text'/><xsl:template match='/'>" +
                                   longText + "</xsl:template>" + kXslClose);
    std::string text;
    bool cut = false;
    ASSERT_TRUE(data_.TransformToText(style_, text, kTransformMaxChars, &cut));
    EXPECT_TRUE(cut);
    EXPECT_EQ(text.size(), 2 * kTransformMaxChars);  // characters, none split
    ASSERT_TRUE(data_.TransformToText(style_, text, kNoTextLimit, &cut));
    EXPECT_FALSE(cut);
    EXPECT_EQ(text.size(), 120000u);
}

TEST_F(XmlTransformTest, DocumentReadsStayInsideTheStylesheetFolder) {
    LoadStylesheet("inside.xsl", kXslOpen +
                                     "<xsl:output method='text'/><xsl:template match='/'>"
                                     "<xsl:value-of select=\"document('inside.xml')/S\"/>"
                                     "</xsl:template>" +
                                     kXslClose);
    EXPECT_EQ(Text(), "inside-value");
    EXPECT_TRUE(ok_);

    std::filesystem::create_symlink(secret_, folder_ / "skin/link.xml");
    const std::string attempts[] = {"../secret.xml", "file://" + secret_, secret_, "link.xml",
                                    "sub/../../secret.xml"};
    for (const std::string& uri : attempts) {
        SCOPED_TRACE(uri);
        LoadStylesheet("outside.xsl", kXslOpen +
                                          "<xsl:output method='text'/><xsl:template match='/'>"
                                          "[<xsl:value-of select=\"document('" + uri +
                                          "')/S\"/>]</xsl:template>" +
                                          kXslClose);
        const std::string text = Text();
        EXPECT_FALSE(ok_);
        EXPECT_EQ(text.find("TOP-SECRET"), std::string::npos);
        CXmlDocument result;
        EXPECT_FALSE(data_.TransformToDocument(style_, result));
        EXPECT_FALSE(result.IsLoaded());
    }
}

TEST_F(XmlTransformTest, FolderNamesWithSpacesAndPercentSignsStillResolve) {
    folder_.Write("my skin%20x/inside.xml", "<S>spaced</S>");
    ASSERT_TRUE(style_.LoadFile(folder_.Write("my skin%20x/s.xsl",
                                              kXslOpen +
                                                  "<xsl:output method='text'/>"
                                                  "<xsl:template match='/'>"
                                                  "<xsl:value-of select=\"document('inside.xml')/S\"/>"
                                                  "</xsl:template>" +
                                                  kXslClose)));
    EXPECT_EQ(Text(), "spaced");
    EXPECT_TRUE(ok_);
}

TEST_F(XmlTransformTest, ReadsOfAStylesheetWithoutFolderAreRefused) {
    ASSERT_TRUE(style_.LoadText(kXslOpen +
                                "<xsl:output method='text'/><xsl:template match='/'>"
                                "[<xsl:value-of select=\"document('" + secret_ + "')/S\"/>]"
                                "</xsl:template>" +
                                kXslClose));
    EXPECT_EQ(Text().find("TOP-SECRET"), std::string::npos);
    EXPECT_FALSE(ok_);
}

TEST_F(XmlTransformTest, ImportsStayInsideTheStylesheetFolder) {
    const std::string library = kXslOpen +
                                "<xsl:output method='text'/>"
                                "<xsl:template match='/'>imported</xsl:template>" +
                                kXslClose;
    folder_.Write("skin/lib.xsl", library);
    folder_.Write("lib_outside.xsl", library);
    LoadStylesheet("main.xsl", kXslOpen + "<xsl:import href='lib.xsl'/>" + kXslClose);
    EXPECT_EQ(Text(), "imported");
    LoadStylesheet("main.xsl", kXslOpen + "<xsl:import href='../lib_outside.xsl'/>" + kXslClose);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(ok_);
    LoadStylesheet("main.xsl", kXslOpen + "<xsl:include href='../lib_outside.xsl'/>" + kXslClose);
    std::string text;
    EXPECT_FALSE(data_.TransformToText(style_, text));
}

TEST_F(XmlTransformTest, StylesheetsCannotWriteFiles) {
    const std::string target = folder_ / "skin/written.txt";
    const std::string writers[] = {
        // XSLT 1.1's element, which libxslt knows.
        "<xsl:stylesheet version='1.1' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
        "<xsl:template match='/'><xsl:document href='" + target + "' method='text'>x"
        "</xsl:document><A/></xsl:template></xsl:stylesheet>",
        "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
        "xmlns:exsl='http://exslt.org/common' extension-element-prefixes='exsl'>"
        "<xsl:template match='/'><exsl:document href='" + target + "' method='text'>x"
        "</exsl:document><A/></xsl:template></xsl:stylesheet>",
        "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
        "xmlns:saxon='http://icl.com/saxon' extension-element-prefixes='saxon'>"
        "<xsl:template match='/'><saxon:output href='" + target + "' method='text'>x"
        "</saxon:output><A/></xsl:template></xsl:stylesheet>",
        // A folder to be created on the way.
        "<xsl:stylesheet version='1.1' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
        "<xsl:template match='/'><xsl:document href='" + folder_.Path() + "/new/w.txt' "
        "method='text'>x</xsl:document><A/></xsl:template></xsl:stylesheet>",
    };
    for (const std::string& writer : writers) {
        SCOPED_TRACE(writer);
        LoadStylesheet("writer.xsl", writer);
        CXmlDocument result;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(data_.TransformToDocument(style_, result));
        std::string text;
        EXPECT_FALSE(data_.TransformToText(style_, text));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(std::filesystem::exists(target));
        EXPECT_FALSE(std::filesystem::exists(folder_ / "new"));
    }
}
