// The web engine's side of PageConfinement: one request interceptor on the
// profile every page of the program shares, asking the process's
// confinement about each request (page loads, sub-resources, script
// requests, frames, workers, web sockets) and blocking what it refuses.
#pragma once

#include <QWebEngineUrlRequestInterceptor>
#include <mutex>
#include <set>
#include <string>

#include "PageConfinement.h"

// The program's allowed folders, shared by all its pages.
CPageConfinement& ProcessPageConfinement();

class CQtPageInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    // Installs the interceptor on the default profile, once; call after the
    // application object exists and before any page loads.
    static void InstallOnDefaultProfile();

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    // A skin author learns why a file does not load; a hostile skin cannot
    // flood the log with it.
    void ReportRefusal(const std::string& url);

    std::mutex mutex_;
    std::set<std::string> reported_;
};
