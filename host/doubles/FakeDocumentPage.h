// Page double for data-document rendering: a list of element ids, their
// inner HTML, page variables, and every call in order.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "DocumentPage.h"

class CFakeDocumentPage : public IDocumentPage {
public:
    std::vector<std::string> ids;
    bool answers = true;
    std::map<std::string, std::string> html;  // by id: the last write
    std::map<std::size_t, std::string> htmlAt;  // by position in ids
    std::map<std::string, std::string> variables;
    // "set <id> <html>" and "call <name>(<a>,<b>)" in order.
    std::vector<std::string> log;

    std::optional<std::vector<std::string>> ElementIds() override {
        if (!answers) return std::nullopt;
        return ids;
    }
    void SetElementHtml(std::size_t position, const std::string& id, const std::string& value) override {
        html[id] = value;
        htmlAt[position] = value;
        log.push_back("set " + id + " " + value);
    }
    void CallFunction(const std::string& name, const std::string& a, const std::string& b) override {
        log.push_back("call " + name + "(" + a + "," + b + ")");
    }
    std::string ReadVariable(const std::string& name) override {
        auto found = variables.find(name);
        return found == variables.end() ? std::string() : found->second;
    }

    void SetButtonTip(const std::string& id, const std::string& text) override {
        log.push_back("tip " + id + " " + text);
    }

    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        for (const std::string& line : log)
            if (line.starts_with("call ")) calls.push_back(line.substr(5));
        return calls;
    }
};
