// In-memory page: global functions are C++ callables, variables a map, and
// the body/element writes are recorded.
#pragma once

#include <functional>
#include <map>

#include "EventLog.h"
#include "ScriptPage.h"

class CFakeScriptPage : public IScriptPage {
public:
    using Function = std::function<ScriptOutcome(const std::vector<std::string>&)>;

    explicit CFakeScriptPage(CEventLog* log = nullptr) : log_(log) {}

    // Functions answer Ok with null unless they say otherwise.
    void Define(const std::string& name, Function f = {}) { functions_[name] = std::move(f); }
    void SetVariable(const std::string& name, ScriptValue value) { variables_[name] = std::move(value); }
    // Every call and read from now on gets this status (NoAnswer, NoScript).
    void FailAllWith(ScriptStatus status) { failAll_ = status; }

    ScriptOutcome Invoke(const std::string& name, const std::vector<std::string>& args) override;
    ScriptOutcome Read(const std::string& name) override;
    void Execute(const std::string& code) override;
    // Logged ("wait <condition>"); answers waitAnswer.
    bool WaitUntil(const std::string& condition, int timeoutMs) override;
    bool waitAnswer = true;
    void SetBodyHtml(const std::string& html) override;
    void SetElementHtml(std::size_t position, const std::string& id, const std::string& html) override;
    void SetImageSource(const std::string& id, const std::string& src) override;
    std::optional<std::vector<std::string>> ElementIds() override;
    void SetDocumentCompleteHandler(std::function<void()> handler) override { complete_ = std::move(handler); }
    void SetBeforeNavigateHandler(std::function<bool(const std::string&)> handler) override {
        navigate_ = std::move(handler);
    }

    // Drive the page's events.
    void CompleteDocument() { if (complete_) complete_(); }
    bool Navigate(const std::string& url) { return navigate_ && navigate_(url); }

    struct Call {
        std::string name;
        std::vector<std::string> args;
    };
    std::vector<Call> calls;
    std::vector<std::string> executed;
    std::vector<std::string> waits;
    std::string body;
    std::map<std::string, std::string> elementHtml;  // by id: the last write
    std::map<std::size_t, std::string> elementHtmlAt;  // by position in ids
    std::map<std::string, std::string> imageSources;
    std::vector<std::string> ids;  // answered by ElementIds

private:
    CEventLog* log_;
    std::map<std::string, Function> functions_;
    std::map<std::string, ScriptValue> variables_;
    std::optional<ScriptStatus> failAll_;
    std::function<void()> complete_;
    std::function<bool(const std::string&)> navigate_;
};
