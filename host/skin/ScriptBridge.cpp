#include "ScriptBridge.h"

#include <array>
#include <utility>

namespace {

struct ErrorTextEntry {
    int code;
    const char* text;
};

// The script host's wording for the failures the page port reports.
constexpr std::array<ErrorTextEntry, 3> kErrorTexts{{
    {kScriptErrorUnknownName, "Unknown name."},
    {kScriptErrorException, "Exception occurred."},
    {kScriptErrorNoAnswer, "The page did not answer in time."},
}};

int CodeOf(ScriptStatus status) {
    switch (status) {
        case ScriptStatus::UnknownName: return kScriptErrorUnknownName;
        case ScriptStatus::Exception: return kScriptErrorException;
        case ScriptStatus::NoAnswer: return kScriptErrorNoAnswer;
        default: return 0;
    }
}

}  // namespace

std::string CScriptBridge::ErrorText(int code) {
    for (const auto& entry : kErrorTexts)
        if (entry.code == code) return entry.text;
    return "FormatMessage Netive Error";
}

CScriptBatch::CScriptBatch(CScriptBridge& bridge) : bridge_(bridge) { bridge_.BeginBatch(); }

CScriptBatch::~CScriptBatch() {
    try {
        bridge_.EndBatch();
    } catch (...) {
        // Steps that cannot reach the page leave it as it was.
    }
}

bool CScriptBridge::SetDocument(IScriptPage* page) {
    if (page == nullptr) {
        SetError("NULL pointer");
        return false;
    }
    Flush();  // what was asked of the old page goes to the old page
    page_ = page;
    return true;
}

bool CScriptBridge::Record(const ScriptOutcome& outcome) {
    if (outcome.status == ScriptStatus::Ok) return true;
    if (outcome.status == ScriptStatus::NoScript) {
        SetError("Cannot GetScript");
        return false;
    }
    std::string reason = ErrorText(CodeOf(outcome.status));
    if (!outcome.detail.empty()) reason += " " + outcome.detail;
    SetError(reason);
    return false;
}

bool CScriptBridge::CallFunction(const std::string& name, const std::vector<std::string>& args,
                                 ScriptValue* result) {
    if (name.find('.') != std::string::npos) {
        Flush();
        if (page_ != nullptr) page_->Execute(name);
        return false;
    }
    if (page_ == nullptr) {
        SetError("NULL pointer");
        SetError("Cannot GetScript");
        return false;
    }
    Flush();
    // The page port takes the arguments first to last; the reversal the
    // platform's invocation convention needs is the adapter's business.
    ScriptOutcome outcome = page_->Invoke(name, args);
    if (!Record(outcome)) return false;
    if (result != nullptr) *result = std::move(outcome.value);
    return true;
}

bool CScriptBridge::Queue(const std::vector<PageStep>& steps) {
    if (page_ == nullptr) {
        SetError("Cannot GetScript");
        return false;
    }
    held_.insert(held_.end(), steps.begin(), steps.end());
    if (batching_ == 0) Flush();
    return true;
}

void CScriptBridge::EndBatch() {
    if (batching_ > 0 && --batching_ == 0) Flush();
}

void CScriptBridge::Flush() {
    if (held_.empty() || page_ == nullptr) return;
    std::vector<PageStep> steps;
    steps.swap(held_);
    page_->Apply(steps, [this, alive = std::weak_ptr<int>(alive_)](const ScriptOutcome& outcome) {
        if (!alive.expired()) Record(outcome);
    });
}

bool CScriptBridge::QueueCall(const std::string& name, const std::vector<std::string>& args) {
    PageStep call;
    call.function = name;
    call.args = args;
    return Queue({call});
}

ScriptValue CScriptBridge::GetVariable(const std::string& name) {
    if (page_ == nullptr) {
        SetError("NULL pointer");
        SetError("Cannot GetScript");
        return ScriptNull{};
    }
    Flush();
    ScriptOutcome outcome = page_->Read(name);
    if (!Record(outcome)) return ScriptNull{};
    return std::move(outcome.value);
}

void CScriptBridge::GetVariableText(const std::string& name, std::string& text) {
    text = ScriptValueText(GetVariable(name));
}

void CScriptBridge::GetVariableInt(const std::string& name, int& value) {
    value = ScriptValueInt(GetVariable(name));
}
