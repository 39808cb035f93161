// Port: the HTML page of a composed window and its script host. The logic
// talks to the page only through this; the Qt adapter runs it on a web view,
// the test double keeps a page model in memory.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ScriptValue.h"

enum class ScriptStatus {
    Ok,
    NoScript,     // the page has no script host (not loaded, gone)
    UnknownName,  // no global function / variable of that name
    Exception,    // the function threw
    NoAnswer,     // the page did not answer in time
};

struct ScriptOutcome {
    ScriptStatus status = ScriptStatus::Ok;
    ScriptValue value;   // Ok only
    std::string detail;  // Exception: the script's message
};

// One step of a batch (IScriptPage::Apply): a write into an element, as
// SetElementHtml does, or, when function is not empty, a call of that page
// function with args.
struct PageStep {
    std::size_t position = 0;
    std::string id;
    std::string html;
    std::string function;
    std::vector<std::string> args;
};

// Told of each call of a batch that failed.
using ScriptFailureHandler = std::function<void(const ScriptOutcome& outcome)>;

class IScriptPage {
public:
    virtual ~IScriptPage() = default;

    // The steps in order, as one piece of work nobody waits for: a tick's
    // writes and calls reach the page at once instead of one round trip
    // each. Calls that fail are told to failed, maybe later; their results
    // are not kept. This one applies them one by one.
    virtual void Apply(const std::vector<PageStep>& steps, const ScriptFailureHandler& failed) {
        for (const PageStep& step : steps) {
            if (step.function.empty()) {
                SetElementHtml(step.position, step.id, step.html);
                continue;
            }
            const ScriptOutcome outcome = Invoke(step.function, step.args);
            if (outcome.status != ScriptStatus::Ok && failed) failed(outcome);
        }
    }

    // Calls the global function `name` with the strings as positional
    // arguments, first string first. Waits for the answer (bounded).
    virtual ScriptOutcome Invoke(const std::string& name, const std::vector<std::string>& args) = 0;
    // Reads the global variable `name` (bounded wait).
    virtual ScriptOutcome Read(const std::string& name) = 0;
    // Runs a piece of script; nothing is waited for or reported.
    virtual void Execute(const std::string& code) = 0;
    // Waits, taking no user input, until the script expression (fixed text
    // of the host's, never built from page or skin data) is true; false
    // when timeoutMs passed first or the page is gone.
    virtual bool WaitUntil(const std::string& condition, int timeoutMs) = 0;

    // Writes, applied in the order given and before any later call.
    virtual void SetBodyHtml(const std::string& html) = 0;
    // The element at position among the elements ElementIds lists (several
    // may share an id), written only while it still has that id: the page
    // may have changed since the ids were read.
    virtual void SetElementHtml(std::size_t position, const std::string& id, const std::string& html) = 0;
    virtual void SetImageSource(const std::string& id, const std::string& src) = 0;
    // Ids of all elements that have one, in document order; nothing when the
    // page did not answer.
    virtual std::optional<std::vector<std::string>> ElementIds() = 0;

    // Document complete: the page has loaded.
    virtual void SetDocumentCompleteHandler(std::function<void()> handler) = 0;
    // Before navigate: given the address, returns true to cancel.
    virtual void SetBeforeNavigateHandler(std::function<bool(const std::string& url)> handler) = 0;

    // The folder of the skin composed into the page: with the program
    // folder, the only place the page may load files from (PageConfinement.h).
    // Told before the skin's HTML is written, so its images load.
    virtual void SetSkinFolder(const std::string& folder) { (void)folder; }
};
