#include "QtWebPage.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <cstdint>
#include <map>
#include <memory>

#include "JsQuote.h"
#include "QtPageConfinement.h"

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
        ForgetIds();
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && complete_) complete_();
    });
}

CQtWebPage::~CQtWebPage() { ProcessPageConfinement().SetSkinFolder(this, ""); }

void CQtWebPage::SetSkinFolder(const std::string& folder) { ProcessPageConfinement().SetSkinFolder(this, folder); }

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

namespace {

// A fingerprint of an id list, computed alike here and in the page (over
// UTF-16 code units, each id followed by a line feed).
std::uint32_t IdListHash(const std::vector<std::string>& ids) {
    std::uint32_t hash = 5381;
    for (const std::string& id : ids) {
        for (const QChar unit : QString::fromStdString(id)) hash = hash * 33 + unit.unicode();
        hash = hash * 33 + '\n';
    }
    return hash;
}

const char* const kBatchFrame =
    "(function(){var L=document.querySelectorAll('[id]'),M=null,F=[];"
    "function W(i,k,h){if(!M){M={};for(var j=0;j<L.length;j++)(M[L[j].id]=M[L[j].id]||[]).push(L[j]);}"
    "var e=(M[i]||[])[k];if(e&&e.innerHTML!==h)e.innerHTML=h;}"
    "function C(g,a){var f=g?g.v:undefined;if(typeof f!=='function'){F.push({s:'unknown'});return;}"
    "try{f.apply(window,a);}catch(e){F.push({s:'exception',m:String(e)});}}"
    "%1"
    "var I=Array.prototype.map.call(document.querySelectorAll('[id]'),function(e){return e.id;}),h=5381;"
    "for(var x=0;x<I.length;x++){for(var y=0;y<I[x].length;y++)h=(h*33+I[x].charCodeAt(y))>>>0;h=(h*33+10)>>>0;}"
    "return{f:F,ids:h===%2?null:I};})()";

}  // namespace

// One script for the whole batch. A write names its element by id and by
// which of the elements with that id it is (several may share one), so it
// lands right even when the page's script has added or removed elements
// since the host read the list; a value the element already shows is not
// written again, so a page whose values stand still is not laid out and
// painted anew each tick. The answer brings the page's list back when it is
// no longer the host's, and the failed calls.
void CQtWebPage::Apply(const std::vector<PageStep>& steps, const ScriptFailureHandler& failed) {
    if (!page_ || steps.empty()) return;
    std::vector<int> occurrence;  // by position in the host's list
    if (ids_) {
        std::map<std::string, int> seen;
        occurrence.reserve(ids_->size());
        for (const std::string& id : *ids_) occurrence.push_back(seen[id]++);
    }
    QString body;
    for (const PageStep& step : steps) {
        if (step.function.empty()) {
            const int k = step.position < occurrence.size() ? occurrence[step.position] : 0;
            body += QString("W(%1,%2,%3);").arg(Quote(step.id), QString::number(k), Quote(step.html));
            continue;
        }
        QString list;
        for (const auto& a : step.args) {
            if (!list.isEmpty()) list += ',';
            list += Quote(a);
        }
        body += QString("C(%1,[%2]);").arg(GlobalLookup(step.function), list);
    }
    // Without a list of its own the host expects none, so the page sends it.
    const QString expected = ids_ ? QString::number(IdListHash(*ids_)) : QString("-1");
    const QString code = QString::fromLatin1(kBatchFrame).arg(body, expected);
    page_->runJavaScript(code, [self = QPointer<CQtWebPage>(this), failed,
                                generation = idsGeneration_](const QVariant& answer) {
        const QVariantMap map = answer.toMap();
        const QVariant fresh = map.value("ids");
        if (self && self->idsGeneration_ == generation && fresh.isValid() && !fresh.isNull()) {
            std::vector<std::string> ids;
            for (const QVariant& id : fresh.toList()) ids.push_back(id.toString().toStdString());
            self->ids_ = std::move(ids);
        }
        if (!failed) return;
        for (const QVariant& entry : map.value("f").toList()) {
            const QVariantMap failure = entry.toMap();
            if (failure.value("s").toString() == "unknown") failed({ScriptStatus::UnknownName, ScriptNull{}, {}});
            else failed({ScriptStatus::Exception, ScriptNull{}, failure.value("m").toString().toStdString()});
        }
    });
}

ScriptOutcome CQtWebPage::Read(const std::string& name) {
    const QString code = QString("(function(g,E){if(!g)return{s:'unknown'};return E(g.v);})(%1,%2)")
                             .arg(GlobalLookup(name), QString::fromLatin1(kEncodeValue));
    return Answer(code);
}

void CQtWebPage::Run(const std::string& code) {
    if (page_) page_->runJavaScript(QString::fromStdString(code));
}

void CQtWebPage::Execute(const std::string& code) {
    ForgetIds();  // any code may change the page's elements
    Run(code);
}

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
    ForgetIds();
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
    if (ids_) return ids_;
    const int generation = idsGeneration_;
    const std::optional<QVariant> answer =
        Evaluate("Array.prototype.map.call(document.querySelectorAll('[id]'),function(e){return e.id;})");
    if (!answer) return std::nullopt;
    std::vector<std::string> ids;
    for (const QVariant& id : answer->toList()) ids.push_back(id.toString().toStdString());
    // A load that began while waiting makes the answer the old page's.
    if (generation == idsGeneration_) ids_ = ids;
    return ids;
}

void CQtWebPage::SetDocumentCompleteHandler(std::function<void()> handler) { complete_ = std::move(handler); }

void CQtWebPage::SetBeforeNavigateHandler(std::function<bool(const std::string&)> handler) {
    if (page_) page_->beforeNavigate = std::move(handler);
}
