#include "QtPageConfinement.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <cstdio>

namespace {

constexpr std::size_t kRefusalsReported = 20;

// Peer connections send their packets (STUN to any server a script names)
// past the request interceptor, and the web engine offers no switch for
// them. No skin needs them: every frame's script starts without them. A
// frame that a script creates and reaches before it has loaded anything
// keeps them (docs/skin.md).
const char* const kWithoutPeerConnections =
    "(function(){['RTCPeerConnection','webkitRTCPeerConnection','RTCDataChannel','RTCIceCandidate',"
    "'RTCSessionDescription'].forEach(function(n){try{Object.defineProperty(window,n,"
    "{value:undefined,writable:false,configurable:false});}catch(e){}});})();";

}  // namespace

CPageConfinement& ProcessPageConfinement() {
    static CPageConfinement confinement;
    return confinement;
}

void CQtPageInterceptor::InstallOnDefaultProfile() {
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    static bool installed = false;
    if (installed || profile == nullptr) return;
    installed = true;
    // The profile owns it and lives as long as the web engine does.
    profile->setUrlRequestInterceptor(new CQtPageInterceptor(profile));
    QWebEngineScript script;
    script.setName("velmar-without-peer-connections");
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(kWithoutPeerConnections));
    profile->scripts()->insert(script);
}

void CQtPageInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const std::string url = info.requestUrl().toString(QUrl::FullyEncoded).toStdString();
    if (ProcessPageConfinement().Allows(url)) return;
    info.block(true);
    ReportRefusal(url);
}

void CQtPageInterceptor::ReportRefusal(const std::string& url) {
    std::lock_guard guard(mutex_);
    if (reported_.size() >= kRefusalsReported || !reported_.insert(url).second) return;
    std::fprintf(stderr,
                 "Velmar: refused a page's request for %s: pages may load only files of the program folder "
                 "and of the skin's folder%s\n",
                 url.substr(0, 200).c_str(),
                 reported_.size() == kRefusalsReported ? " (further refusals are not reported)" : "");
}
