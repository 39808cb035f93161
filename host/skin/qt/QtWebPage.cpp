#include "QtWebPage.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <memory>

#include "JsQuote.h"

namespace {

// Turns a script value into the kinds the bridge reads; called by both
// Invoke and Read so they answer alike.
const char* const kEncodeValue =
    "function(r){"
    "if(r===null||r===undefined)return{s:'ok',t:'null'};"
    "var t=typeof r;"
    "if(t==='number')return{s:'ok',t:'number',v:r};"
    "if(t==='string')return{s:'ok',t:'string',v:r};"
    "return{s:'ok',t:'other'};}";

QString Quote(const std::string& text) { return QString::fromStdString(JsQuote(text)); }

// An expression giving {v: value} for the global name, or null when the name
// is not declared. A plain identifier is read in global scope (an arrow with
// no parameters or locals, so nothing shadows it), which also finds globals
// declared with let or const; any other name is only ever quoted and looked
// up as a property of window.
QString GlobalLookup(const std::string& name) {
    if (IsPlainScriptIdentifier(name))
        return QString("(()=>{try{return{v:%1};}catch(e){return null;}})()").arg(QString::fromStdString(name));
    return QString("((n)=>(n in window)?{v:window[n]}:null)(%1)").arg(Quote(name));
}

}  // namespace

bool CNavigationPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (isMainFrame && beforeNavigate && beforeNavigate(url.toString().toStdString())) return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

CQtWebPage::CQtWebPage(CNavigationPage* page, int answerTimeoutMs)
    : QObject(page), page_(page), timeoutMs_(answerTimeoutMs) {
    // loadFinished(false) arrives even for pages that loaded; the loading
    // info's status is the one to trust.
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && complete_) complete_();
    });
}

std::optional<QVariant> CQtWebPage::Evaluate(const QString& code) {
    if (!page_) return std::nullopt;
    struct Pending {
        bool done = false;
        QVariant value;
        QEventLoop* loop = nullptr;
    };
    // Shared so that an answer arriving after the wait gave up lands safely.
    auto pending = std::make_shared<Pending>();
    QEventLoop loop;
    pending->loop = &loop;
    page_->runJavaScript(code, [pending](const QVariant& value) {
        pending->done = true;
        pending->value = value;
        if (pending->loop) pending->loop->quit();
    });
    if (!pending->done) {
        QTimer timeout;
        timeout.setSingleShot(true);
        connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        timeout.start(timeoutMs_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    pending->loop = nullptr;
    if (!pending->done) return std::nullopt;
    return pending->value;
}

ScriptOutcome CQtWebPage::Answer(const QString& code) {
    if (!page_) return {ScriptStatus::NoScript, ScriptNull{}, {}};
    const std::optional<QVariant> answer = Evaluate(code);
    if (!answer) return {ScriptStatus::NoAnswer, ScriptNull{}, {}};
    const QVariantMap map = answer->toMap();
    const QString status = map.value("s").toString();
    if (status == "unknown") return {ScriptStatus::UnknownName, ScriptNull{}, {}};
    if (status == "exception")
        return {ScriptStatus::Exception, ScriptNull{}, map.value("m").toString().toStdString()};
    if (status != "ok") return {ScriptStatus::NoScript, ScriptNull{}, {}};
    const QString type = map.value("t").toString();
    ScriptOutcome outcome;
    if (type == "number") outcome.value = ScriptNumber(map.value("v").toDouble());
    else if (type == "string") outcome.value = map.value("v").toString().toStdString();
    else if (type == "other") outcome.value = ScriptOther{};
    return outcome;
}

ScriptOutcome CQtWebPage::Invoke(const std::string& name, const std::vector<std::string>& args) {
    QString list;
    for (const auto& a : args) {
        if (!list.isEmpty()) list += ',';
        list += Quote(a);
    }
    const QString code = QString(
        "(function(g,a,E){var f=g?g.v:undefined;"
        "if(typeof f!=='function')return{s:'unknown'};"
        "try{return E(f.apply(window,a));}catch(e){return{s:'exception',m:String(e)};}})(%1,[%2],%3)")
                             .arg(GlobalLookup(name), list, QString::fromLatin1(kEncodeValue));
    return Answer(code);
}

ScriptOutcome CQtWebPage::Read(const std::string& name) {
    const QString code = QString("(function(g,E){if(!g)return{s:'unknown'};return E(g.v);})(%1,%2)")
                             .arg(GlobalLookup(name), QString::fromLatin1(kEncodeValue));
    return Answer(code);
}

void CQtWebPage::Run(const std::string& code) {
    if (page_) page_->runJavaScript(QString::fromStdString(code));
}

void CQtWebPage::Execute(const std::string& code) { Run(code); }

bool CQtWebPage::WaitUntil(const std::string& condition, int timeoutMs) {
    constexpr int kPollMs = 10;
    QElapsedTimer elapsed;
    elapsed.start();
    const QString test = QString("!!(%1)").arg(QString::fromStdString(condition));
    for (;;) {
        const std::optional<QVariant> answer = Evaluate(test);
        if (!answer) return false;  // gone, or not answering: waiting longer will not help
        if (answer->toBool()) return true;
        if (elapsed.elapsed() >= timeoutMs) return false;
        QEventLoop pause;
        QTimer::singleShot(kPollMs, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

void CQtWebPage::SetBodyHtml(const std::string& html) {
    Run("if(document.body)document.body.innerHTML=" + JsQuote(html) + ";");
}

void CQtWebPage::SetElementHtml(std::size_t position, const std::string& id, const std::string& html) {
    // The same list ElementIds reads, so a position names the same element.
    Run("(function(e){if(e&&e.id===" + JsQuote(id) + ")e.innerHTML=" + JsQuote(html) +
        ";})(document.querySelectorAll('[id]')[" + std::to_string(position) + "]);");
}

void CQtWebPage::SetImageSource(const std::string& id, const std::string& src) {
    Run("(function(e){if(e)e.src=" + JsQuote(src) + ";})(document.getElementById(" + JsQuote(id) + "));");
}

std::optional<std::vector<std::string>> CQtWebPage::ElementIds() {
    const std::optional<QVariant> answer =
        Evaluate("Array.prototype.map.call(document.querySelectorAll('[id]'),function(e){return e.id;})");
    if (!answer) return std::nullopt;
    std::vector<std::string> ids;
    for (const QVariant& id : answer->toList()) ids.push_back(id.toString().toStdString());
    return ids;
}

void CQtWebPage::SetDocumentCompleteHandler(std::function<void()> handler) { complete_ = std::move(handler); }

void CQtWebPage::SetBeforeNavigateHandler(std::function<bool(const std::string&)> handler) {
    if (page_) page_->beforeNavigate = std::move(handler);
}
