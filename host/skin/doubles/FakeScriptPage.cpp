#include "FakeScriptPage.h"

ScriptOutcome CFakeScriptPage::Invoke(const std::string& name, const std::vector<std::string>& args) {
    std::string line = "call " + name;
    for (const auto& a : args) line += " [" + a + "]";
    if (log_) log_->Add(line);
    calls.push_back({name, args});
    if (failAll_) return {*failAll_, ScriptNull{}, {}};
    const auto it = functions_.find(name);
    if (it == functions_.end()) return {ScriptStatus::UnknownName, ScriptNull{}, {}};
    if (!it->second) return {};
    return it->second(args);
}

ScriptOutcome CFakeScriptPage::Read(const std::string& name) {
    if (failAll_) return {*failAll_, ScriptNull{}, {}};
    const auto it = variables_.find(name);
    if (it == variables_.end()) return {ScriptStatus::UnknownName, ScriptNull{}, {}};
    return {ScriptStatus::Ok, it->second, {}};
}

void CFakeScriptPage::Execute(const std::string& code) {
    if (log_) log_->Add("execute " + code);
    executed.push_back(code);
}

bool CFakeScriptPage::WaitUntil(const std::string& condition, int) {
    if (log_) log_->Add("wait " + condition);
    waits.push_back(condition);
    return waitAnswer;
}

void CFakeScriptPage::SetBodyHtml(const std::string& html) {
    if (log_) log_->Add("body");
    body = html;
}

void CFakeScriptPage::SetElementHtml(std::size_t position, const std::string& id, const std::string& html) {
    elementHtml[id] = html;
    elementHtmlAt[position] = html;
}

void CFakeScriptPage::SetImageSource(const std::string& id, const std::string& src) { imageSources[id] = src; }

std::optional<std::vector<std::string>> CFakeScriptPage::ElementIds() {
    if (failAll_) return std::nullopt;
    return ids;
}
