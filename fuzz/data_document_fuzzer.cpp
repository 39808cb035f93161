// A plug-in's data document rendered into a page whose element ids bind its
// values. Input: the page's element ids, separated by spaces, on the first
// line; the document after it. The main page hears "VARNEQ_WARNING" last,
// whatever the document holds; a bound element gets the text of its field.
#include "DataDocumentRenderer.h"
#include "ElementBinding.h"
#include "FakeDocumentPage.h"
#include "FuzzSupport.h"

using fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Split input = fuzz::SplitFirstLine(fuzz::Text(data, size));
    CFakeDocumentPage page;
    std::string_view ids = input.head;
    while (!ids.empty()) {
        const std::size_t space = ids.find(' ');
        page.ids.emplace_back(ids.substr(0, space));
        if (space == std::string_view::npos) break;
        ids.remove_prefix(space + 1);
    }
    const std::string document(input.rest);

    CDataDocumentRenderer main(DocumentPageKind::MainPage);
    main.Render(document, page, true);
    const std::vector<std::string> calls = page.Calls();
    Expect(!calls.empty() && calls.back() == std::string(kWarningFunction) + "(,TRUE)",
           "the main page hears the warning state last");

    CFakeDocumentPage view;
    view.ids = page.ids;
    CDataDocumentRenderer renderer(DocumentPageKind::PluginView);
    renderer.Render(document, view, false);
    for (const auto& [id, html] : view.html) {
        const auto binding = ParseElementBinding(id);
        Expect(binding.has_value(), "only bound elements are written");
        const std::string itemPath = ItemPath(binding->section);
        const int index = FindItemIndex(renderer.Document(), itemPath, binding->item);
        Expect(index >= 0 && html == NodeText(renderer.Document(), FieldPath(itemPath, binding->field), index),
               "a bound element shows its field's text");
    }
    return 0;
}
