// Port: what rendering a data document needs of a page (the main page or the
// plug-in view's). The frame adapts it onto its page and script bridge.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class IDocumentPage {
public:
    virtual ~IDocumentPage() = default;
    // Ids of the page's elements in document order (elements without an id
    // are left out); nullopt when the page does not answer.
    virtual std::optional<std::vector<std::string>> ElementIds() = 0;
    // The element at position in ElementIds' list, which has that id.
    // Inserted as markup, not as text.
    virtual void SetElementHtml(std::size_t position, const std::string& id, const std::string& html) = 0;
    // A page script function with two string arguments; a missing function is
    // the page's to report.
    virtual void CallFunction(const std::string& name, const std::string& argument1,
                              const std::string& argument2) = 0;
    // A global page variable as text ("" when missing).
    virtual std::string ReadVariable(const std::string& name) = 0;
    // The tooltip of the window's skinned button with that ID; nothing when
    // there is none (a page without buttons ignores it).
    virtual void SetButtonTip(const std::string& /*buttonId*/, const std::string& /*text*/) {}
    // Bracket one rendering: the writes and calls between them may reach the
    // page together, in order, at the end.
    virtual void BeginRender() {}
    virtual void EndRender() {}
};
