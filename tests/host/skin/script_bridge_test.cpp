// The script bridge over the in-memory page, and the quoting of text that
// enters the real page.
#include <gtest/gtest.h>

#include "FakeScriptPage.h"
#include "JsQuote.h"
#include "ScriptBridge.h"

namespace {

class ScriptBridgeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bridge.SetDocument(&page)); }
    CFakeScriptPage page;
    CScriptBridge bridge;
};

int IntOf(CScriptBridge& bridge, CFakeScriptPage& page, ScriptValue value) {
    page.SetVariable("v", std::move(value));
    int out = -12345;
    bridge.GetVariableInt("v", out);
    return out;
}

std::string TextOf(CScriptBridge& bridge, CFakeScriptPage& page, ScriptValue value) {
    page.SetVariable("v", std::move(value));
    std::string out = "stale";
    bridge.GetVariableText("v", out);
    return out;
}

}  // namespace

TEST_F(ScriptBridgeTest, PassesArgumentsFirstToLastAndReturnsTheResult) {
    page.Define("f", [](const std::vector<std::string>& a) {
        return ScriptOutcome{ScriptStatus::Ok, a.at(0) + "|" + a.at(1), {}};
    });
    ScriptValue result;
    EXPECT_TRUE(bridge.CallFunction("f", {"x", "y"}, &result));
    EXPECT_EQ(std::get<std::string>(result), "x|y");
    EXPECT_TRUE(bridge.CallFunction("f", "a", "b"));
    ASSERT_EQ(page.calls.size(), 2u);
    EXPECT_EQ(page.calls[1].args, (std::vector<std::string>{"a", "b"}));
    page.Define("g");
    EXPECT_TRUE(bridge.CallFunction("g"));
    EXPECT_TRUE(page.calls.back().args.empty());
}

TEST_F(ScriptBridgeTest, RunsANameWithADotAsCodeAndReportsFalse) {
    page.Define("skin.play");
    EXPECT_FALSE(bridge.CallFunction("skin.play()", "ignored"));
    EXPECT_EQ(page.executed, (std::vector<std::string>{"skin.play()"}));
    EXPECT_TRUE(page.calls.empty());
}

TEST_F(ScriptBridgeTest, RecordsEveryFailureInTheLastErrorText) {
    EXPECT_FALSE(bridge.CallFunction("Missing"));
    EXPECT_EQ(bridge.LastError(), "JSCall Error:\nUnknown name.");

    page.Define("Throws", [](const std::vector<std::string>&) {
        return ScriptOutcome{ScriptStatus::Exception, ScriptNull{}, "TypeError: x is undefined"};
    });
    EXPECT_FALSE(bridge.CallFunction("Throws"));
    EXPECT_EQ(bridge.LastError(), "JSCall Error:\nException occurred. TypeError: x is undefined");

    page.FailAllWith(ScriptStatus::NoAnswer);
    ScriptValue result = std::int32_t{5};
    EXPECT_FALSE(bridge.CallFunction("Throws", {}, &result));
    EXPECT_EQ(bridge.LastError(), "JSCall Error:\nThe page did not answer in time.");
    EXPECT_EQ(std::get<std::int32_t>(result), 5) << "a failed call leaves the result alone";

    page.FailAllWith(ScriptStatus::NoScript);
    EXPECT_TRUE(std::holds_alternative<ScriptNull>(bridge.GetVariable("v")));
    EXPECT_EQ(bridge.LastError(), "JSCall Error:\nCannot GetScript");
}

TEST(ScriptBridgeWithoutPage, RefusesANullPageAndFailsEveryCall) {
    CScriptBridge bridge;
    EXPECT_FALSE(bridge.SetDocument(nullptr));
    EXPECT_EQ(bridge.LastError(), "JSCall Error:\nNULL pointer");
    EXPECT_FALSE(bridge.HasDocument());
    EXPECT_FALSE(bridge.CallFunction("OnInitial", "", ""));
    EXPECT_EQ(bridge.LastError(), "JSCall Error:\nCannot GetScript");
    int value = 9;
    bridge.GetVariableInt("currentMode", value);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(bridge.CallFunction("a.b()")) << "code needs a page too, and is still false";
}

TEST_F(ScriptBridgeTest, ReadsVariablesAsIntegersWithTheirConversions) {
    EXPECT_EQ(IntOf(bridge, page, 2.9), 2);
    EXPECT_EQ(IntOf(bridge, page, -2.9), -2);
    EXPECT_EQ(IntOf(bridge, page, std::string("7")), 0);
    EXPECT_EQ(IntOf(bridge, page, std::int16_t{-300}), -300);
    EXPECT_EQ(IntOf(bridge, page, std::int32_t{70000}), 70000);
    EXPECT_EQ(IntOf(bridge, page, ScriptNull{}), 0);
    EXPECT_EQ(IntOf(bridge, page, ScriptOther{}), 0);
    EXPECT_EQ(IntOf(bridge, page, 1e300), 2147483647);
    int value = 4;
    bridge.GetVariableInt("undefinedName", value);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(bridge.LastError(), "JSCall Error:\nUnknown name.");
}

TEST_F(ScriptBridgeTest, ReadsOnlyTextVariablesAsText) {
    EXPECT_EQ(TextOf(bridge, page, std::string("true")), "true");
    EXPECT_EQ(TextOf(bridge, page, 3.5), "");
    EXPECT_EQ(TextOf(bridge, page, ScriptNull{}), "");
}

TEST(ScriptNumber, MakesWholeNumbersThatFitIntegers) {
    EXPECT_EQ(std::get<std::int32_t>(ScriptNumber(7.0)), 7);
    EXPECT_EQ(std::get<std::int32_t>(ScriptNumber(-2147483648.0)), INT32_MIN);
    EXPECT_TRUE(std::holds_alternative<double>(ScriptNumber(2147483648.0)));
    EXPECT_TRUE(std::holds_alternative<double>(ScriptNumber(0.5)));
}

TEST(ScriptBridgeErrorText, HasFixedTextsAndAFallback) {
    EXPECT_EQ(CScriptBridge::ErrorText(kScriptErrorUnknownName), "Unknown name.");
    EXPECT_EQ(CScriptBridge::ErrorText(12345), "FormatMessage Netive Error");
}

TEST(JsQuote, KeepsEveryTextALiteral) {
    EXPECT_EQ(JsQuote("plain"), "\"plain\"");
    EXPECT_EQ(JsQuote("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsQuote("x\");alert(1);//"), "\"x\\\");alert(1);//\"");
    EXPECT_EQ(JsQuote("l1\nl2\r\t\x01"), "\"l1\\nl2\\r\\t\\u0001\"");
    EXPECT_EQ(JsQuote("</script>"), "\"\\u003c/script>\"");
    EXPECT_EQ(JsQuote("\xE2\x80\xA8"), "\"\\u2028\"");
    EXPECT_EQ(JsQuote("\xE6\x96\xB0"), "\"\xE6\x96\xB0\"") << "valid UTF-8 passes as it is";
    EXPECT_EQ(JsQuote("a\xFF" "b"), "\"a\\ufffdb\"");
    EXPECT_EQ(JsQuote("\xE6\x96"), "\"\\ufffd\\ufffd\"") << "a cut sequence";
    EXPECT_EQ(JsQuote("\xC0\x80"), "\"\\ufffd\\ufffd\"") << "an overlong NUL";
}
