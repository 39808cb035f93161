// Velmar: the host program. Puts the Qt and Linux adapters together around
// the main frame and runs the event loop until SaveAndExit (or a second
// instance, or a skin that cannot be composed) ends it.
#include <QApplication>
#include <chrono>
#include <QFileInfo>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <memory>
#include <vector>

#include "ClickNote.h"
#include "DlLoader.h"
#include "FlockInstanceBlock.h"
#include "HtmlVesselDlg.h"
#include "LinuxProcessAffinity.h"
#include "ProcessAffinity.h"
#include "QtDialogDump.h"
#include "QtFrameDialogs.h"
#include "QtMessageBox.h"
#include "QtPageResources.h"
#include "QtPowerEvents.h"
#include "QtSkinButtonWidget.h"
#include "QtSystemTray.h"
#include "QtTestControl.h"
#include "QtTimerPort.h"
#include "QtMeasuredTimers.h"
#include "QtVesselWindow.h"
#include "QtViewWindow.h"
#include "SystemInfo.h"
#include "TerminationSignal.h"

namespace {

// The affinity is set before anything else exists; a refusal is shown once a
// message box can be.
class CDeferredMessages : public IMessageBox {
public:
    void Show(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

QString BoundValues(CQtWebPage& page) {
    const std::optional<QVariant> answer = page.Evaluate(
        "(function(){var out=[];document.querySelectorAll('[id]').forEach(function(e){"
        "if(e.id.indexOf('+')>=0)out.push(e.id+'='+e.innerHTML);});"
        "out.push('state='+(typeof testState==='function'?testState():''));return out.join('\\n');})()");
    return answer ? answer->toString() : QString("state=no answer");
}

QString Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

int main(int argc, char** argv) {
    const auto programStart = std::chrono::steady_clock::now();
    CQtTestControl::HookSignal();
    CLinuxProcessAffinity affinity;
    CDeferredMessages early;
    PinToFirstProcessor(affinity, early);

    CQtHtmlWindow::PrepareProcess();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    InitSettingsResources();
    for (const std::string& text : early.texts) CQtMessageBox().Show(text);

    const std::string programFolder = CSystemInfo().GetInfo("Path");
    const QString applicationName = QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName();

    CQtVesselWindow window;
    window.SetProgramStart(programStart);
    CQtMeasuredTimers timers(&window);
    CFlockInstanceBlock instance;
    CDlLoader loader;
    CSonameVersionReader versions;
    CQtTrayIcon trayIcon;
    CQtTimerPort trayTimers;
    CSteadyClock clock;
    CQtFrameDialogs dialogs(&window);
    CQtViewWindowFactory viewFactory(&window, QString::fromStdString(programFolder));

    CHtmlVesselDlg frame(FrameServices{window, window.Window(), window.Page(), timers, window.Messages(), instance,
                                       loader, versions, trayIcon, trayTimers, clock, dialogs, viewFactory, nullptr,
                                       programFolder, applicationName.toStdString()});
    window.Attach(&frame);
    window.Window().SetSkinClickHandler([&frame](void* note) { frame.OnSkinClick(note); });
    viewFactory.SetClickHandler([&frame](void* note) {
        if (frame.View()) frame.View()->OnSkinClick(note);
        else TakeLiveClickNote(note);
    });
    dialogs.SetAboutEntries([&frame] { return frame.AboutEntries(); });
    trayIcon.Attach(&frame.Tray(), CSystemTray::kMenuId, &frame.TrayTarget());

    // The session's end and SIGTERM / SIGHUP end the program through SaveAndExit.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, [&frame](QSessionManager&) { frame.OnSessionEnd(); });
    std::unique_ptr<QSocketNotifier> termination;
    if (const int fd = InstallTerminationHook(); fd >= 0) {
        termination = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(termination.get(), &QSocketNotifier::activated, [&frame] {
            if (ConsumeTerminationRequest()) frame.OnSessionEnd();
        });
    }
    CQtPowerEvents power([&frame](int event, int data) { frame.OnPowerEvent(event, data); });

    const auto control = CQtTestControl::InstallFromEnvironment(
        [&] {
            CPlugInView* view = frame.View();
            CQtViewWindow* viewWindow = viewFactory.Last();
            QStringList lines;
            lines << "pagesReady=" + Flag(frame.PagesReady) << "windowVisible=" + Flag(window.isVisible())
                  << QString("windowPos=%1,%2").arg(window.x()).arg(window.y())
                  << QString("windowSize=%1,%2").arg(window.width()).arg(window.height())
                  << "topmost=" + Flag(frame.Topmost) << "mode=" + QString::number(frame.Modes().CurrentMode)
                  << "autoPace=" + Flag(frame.Modes().AutoPaceOn)
                  << "viewPlugin=" + QString::fromStdString(frame.ViewPluginName())
                  << "viewVisible=" + Flag(view && view->IsVisible()) << "viewActive=" + Flag(view && view->Active())
                  << "timer1=" + Flag(timers.IsRunning(kMainTimer))
                  << "timer1Period=" + QString::number(timers.PeriodMs(kMainTimer))
                  << "timer1Starts=" + QString::number(timers.Starts(kMainTimer))
                  << "viewTimer=" + Flag(viewWindow && viewWindow->Timers().IsRunning(kViewTimerId))
                  << "trayIcon=" + Flag(!frame.Tray().Removed())
                  << "shownAfterMs=" + QString::number(window.ShownAfterMs(), 'f', 1)
                  << "tick1Ms=" + QString::number(timers.LastTickMs(kMainTimer), 'f', 2);
            lines << "[main]" << BoundValues(window.Page());
            // What each skinned button of the face says when pointed at.
            lines << "[tips]";
            for (const auto& button : frame.Engine().Buttons())
                if (auto* widget = dynamic_cast<CQtSkinButtonWidget*>(button->Widget()); widget && widget->Widget())
                    lines << QString::fromStdString(button->Id()) + "=" + widget->Widget()->toolTip();
            if (viewWindow) lines << "[view]" << BoundValues(viewWindow->Widget()->Page());
            lines << DescribeVisibleDialogs();
            return lines.join('\n') + '\n';
        },
        [&window](const QString& path) {
            // "<dump>.png" for the window, "<dump>.<dialog>.png" for each dialog.
            GrabVisibleDialogs(path.chopped(4));
            if (QScreen* screen = QGuiApplication::primaryScreen())
                screen->grabWindow(0, window.x(), window.y(), window.width(), window.height()).save(path);
        });

    // "tray-menu": a right click on the tray icon (there is no tray under
    // Xvfb); a number: that command, as a menu sends it.
    if (control)
        control->SetCommandHandler([&frame](const QString& command) {
            if (command == "tray-menu") frame.Tray().OnIconNotify(CSystemTray::kMenuId, CSystemTray::Mouse::RightButtonUp);
            else frame.OnCommand(command.toInt());
        });

    frame.OnInitDialog();
    window.LoadPageResource(kMainPageResource, QString::fromStdString(programFolder));
    return app.exec();
}
