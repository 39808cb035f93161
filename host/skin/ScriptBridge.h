// CScriptBridge: calls page script functions by name with string arguments
// and reads global page variables. No failure is shown; each is recorded in
// the last-error text ("JSCall Error:\n" + reason) and reported by a false /
// null result.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ScriptPage.h"

// Reasons a call can fail, with their fixed texts (ErrorText).
enum ScriptErrorCode : int {
    kScriptErrorUnknownName = 1,
    kScriptErrorException = 2,
    kScriptErrorNoAnswer = 3,
};

inline constexpr const char* kScriptErrorPrefix = "JSCall Error:\n";

class CScriptBridge;

// Holds the bridge's queued steps for as long as it lives (BeginBatch/EndBatch).
class CScriptBatch {
public:
    explicit CScriptBatch(CScriptBridge& bridge);
    ~CScriptBatch();
    CScriptBatch(const CScriptBatch&) = delete;
    CScriptBatch& operator=(const CScriptBatch&) = delete;

private:
    CScriptBridge& bridge_;
};

class CScriptBridge {
public:
    // The bridge does not own the page; the page outlives the engine that
    // owns the bridge. A null page is refused with "NULL pointer".
    bool SetDocument(IScriptPage* page);
    bool HasDocument() const { return page_ != nullptr; }
    IScriptPage* Document() const { return page_; }

    // A name containing "." is a piece of script code: it is run, and the
    // call returns false whatever it did.
    bool CallFunction(const std::string& name, const std::vector<std::string>& args,
                      ScriptValue* result);
    bool CallFunction(const std::string& name) { return CallFunction(name, std::vector<std::string>{}, nullptr); }
    bool CallFunction(const std::string& name, const std::string& a) {
        return CallFunction(name, std::vector<std::string>{a}, nullptr);
    }
    bool CallFunction(const std::string& name, const std::string& a, const std::string& b) {
        return CallFunction(name, std::vector<std::string>{a, b}, nullptr);
    }

    // Sends the steps without waiting for them; a call among them that fails
    // is recorded when the page says so. False without a page.
    bool Queue(const std::vector<PageStep>& steps);
    // A call of name with the arguments, queued as Queue does.
    bool QueueCall(const std::string& name, const std::vector<std::string>& args);
    // Between these, queued steps are held and go to the page as one batch
    // at the outermost end, or before any call or read that waits, so the
    // page sees everything in the order it was asked for.
    void BeginBatch() { ++batching_; }
    void EndBatch();

    ScriptValue GetVariable(const std::string& name);
    // Text of a string variable; "" for null or any other kind.
    void GetVariableText(const std::string& name, std::string& text);
    // 0 for null, integers as they are, doubles truncated toward zero, 0 for
    // any other kind (text included).
    void GetVariableInt(const std::string& name, int& value);

    const std::string& LastError() const { return lastError_; }

    // Text for a failure code; "FormatMessage Netive Error" when unknown.
    static std::string ErrorText(int code);

private:
    bool Record(const ScriptOutcome& outcome);
    void SetError(const std::string& reason) { lastError_ = kScriptErrorPrefix + reason; }

    void Flush();

    IScriptPage* page_ = nullptr;
    std::string lastError_;
    int batching_ = 0;
    std::vector<PageStep> held_;
    // Lets a failure the page reports after this bridge is gone be dropped.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
