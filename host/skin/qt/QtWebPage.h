// The page port on Qt WebEngine. Calls and writes go through runJavaScript,
// which keeps their order; calls and reads wait for the page's answer in a
// bounded nested event loop that takes no user input, so a page that does
// not answer is a failed call, never a hung program. Every text passed into
// the page is a quoted literal (JsQuote).
#pragma once

#include <QPointer>
#include <QVariant>
#include <QWebEnginePage>
#include <functional>
#include <optional>

#include "ScriptPage.h"

// acceptNavigationRequest is the before-navigate event; true from the
// handler cancels.
class CNavigationPage : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;
    std::function<bool(const std::string& url)> beforeNavigate;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

class CQtWebPage : public QObject, public IScriptPage {
    Q_OBJECT
public:
    static constexpr int kDefaultAnswerTimeoutMs = 2000;

    explicit CQtWebPage(CNavigationPage* page, int answerTimeoutMs = kDefaultAnswerTimeoutMs);
    ~CQtWebPage() override;

    ScriptOutcome Invoke(const std::string& name, const std::vector<std::string>& args) override;
    // One runJavaScript for all the steps, answered later with the failures.
    void Apply(const std::vector<PageStep>& steps, const ScriptFailureHandler& failed) override;
    ScriptOutcome Read(const std::string& name) override;
    void Execute(const std::string& code) override;
    bool WaitUntil(const std::string& condition, int timeoutMs) override;
    void SetBodyHtml(const std::string& html) override;
    void SetElementHtml(std::size_t position, const std::string& id, const std::string& html) override;
    void SetImageSource(const std::string& id, const std::string& src) override;
    // Read once per page and kept while the page's elements stay the ones it
    // listed: a load, a body write or a batch that found an element moved
    // reads them again.
    std::optional<std::vector<std::string>> ElementIds() override;
    void SetDocumentCompleteHandler(std::function<void()> handler) override;
    void SetBeforeNavigateHandler(std::function<bool(const std::string&)> handler) override;
    void SetSkinFolder(const std::string& folder) override;

    // Runs code and waits (bounded) for its value; nothing when the page did
    // not answer in time or is gone.
    std::optional<QVariant> Evaluate(const QString& code);

private:
    void Run(const std::string& code);
    ScriptOutcome Answer(const QString& code);

    QPointer<CNavigationPage> page_;
    int timeoutMs_;
    std::function<void()> complete_;
    std::optional<std::vector<std::string>> ids_;
    // Counts the events after which the page's elements are unknown (a load,
    // a body write, any code run): a batch's answer from before one of them
    // does not describe the page any more.
    int idsGeneration_ = 0;
    void ForgetIds() {
        ids_.reset();
        ++idsGeneration_;
    }
};
