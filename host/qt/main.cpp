// Velmar: the host program. Puts the Qt and Linux adapters together around
// the main frame and runs the event loop until SaveAndExit (or a second
// instance, or a skin that cannot be composed) ends it.
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <string>
#include <QFileInfo>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <memory>
#include <vector>

#include "ClickNote.h"
#include "DesktopSession.h"
#include "DlLoader.h"
#include "FlockInstanceBlock.h"
#include "HtmlVesselDlg.h"
#include "LinuxProcessAffinity.h"
#include "PluginCalls.h"
#include "ProcessAffinity.h"
#include "QtDialogDump.h"
#include "QtFrameDialogs.h"
#include "QtMessageBox.h"
#include "QtPageResources.h"
#include "QtPowerEvents.h"
#include "QtStartNotes.h"
#include "QtSkinButtonWidget.h"
#include "QtSystemTray.h"
#include "QtTestControl.h"
#include "QtTimerPort.h"
#include "QtMeasuredTimers.h"
#include "QtVesselWindow.h"
#include "QtViewWindow.h"
#include "SystemInfo.h"
#include "TerminationSignal.h"
#include "hwmon/linux/ProcessBackend.h"

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

const char* PlaceName(CAppTray::WindowPlace place) {
    switch (place) {
    case CAppTray::WindowPlace::InTray: return "tray";
    case CAppTray::WindowPlace::OnTaskbar: return "taskbar";
    default: return "shown";
    }
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Decided before the application object exists, which is when Qt reads it.
void ChoosePlatform(int argc, char** argv) {
    const SessionFacts facts{Environment("WAYLAND_DISPLAY"), Environment("DISPLAY"), Environment("XDG_SESSION_TYPE"),
                             Environment("QT_QPA_PLATFORM"),
                             HasPlatformArgument(std::vector<std::string>(argv, argv + argc))};
    const std::string platform = ChooseQtPlatform(facts);
    if (!platform.empty()) setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
}

// "plugin <identifier> <command> <value1> <value2>": the command sent to that
// plug-in as the page's navigation commands send it.
void SendToPlugin(CHtmlVesselDlg& frame, const QString& command) {
    const QStringList words = command.split(' ', Qt::SkipEmptyParts);
    if (words.size() != 5) return;
    const std::string identifier = words[1].toStdString();
    const std::string name = words[2].toStdString();
    for (IVARNPlugin* plugin : frame.Plugins().Plugins())
        if (plugin_calls::Name(plugin) == identifier)
            plugin_calls::SendThroughTemporaryExtend(plugin, name.c_str(), words[3].toLongLong(), words[4].toLongLong());
}

}  // namespace

int main(int argc, char** argv) {
    const auto programStart = std::chrono::steady_clock::now();
    CQtTestControl::HookSignal();
    CLinuxProcessAffinity affinity;
    CDeferredMessages early;
    PinToFirstProcessor(affinity, early);

    CQtHtmlWindow::PrepareProcess();
    ChoosePlatform(argc, argv);
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    InitSettingsResources();
    for (const std::string& text : early.texts) CQtMessageBox().Show(text);

    const std::string programFolder = CSystemInfo().GetInfo("Path");
    const QString applicationName = QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName();
    ShowStartNotes(NotesAtStart(::geteuid() == 0, hwmon::ProcessBackendStatus()), applicationName);

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
    const std::string sessionLimits = SessionLimitsLine(QGuiApplication::platformName().toStdString());
    dialogs.SetSessionLine(sessionLimits);
    dialogs.SetBackendLine([] { return hwmon::ProcessBackendStatus().Line(); });
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
                  << "trayUsable=" + Flag(trayIcon.TrayUsable())
                  << "traySingleActivation=" + Flag(trayIcon.SingleActivation())
                  << "trayFrame=" + QString::fromStdString(frame.Tray().CurrentIcon())
                  << QString("windowPlace=") + PlaceName(frame.Tray().Place())
                  << "iconified=" + Flag(window.isMinimized())
                  << "windowId=" + QString::number(window.winId())
                  << "platform=" + QGuiApplication::platformName()
                  << "sessionLimits=" + QString::fromStdString(sessionLimits)
                  << "sleepLock=" + Flag(power.SleepLockHeld())
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
            else if (command.startsWith("plugin ")) SendToPlugin(frame, command);
            else frame.OnCommand(command.toInt());
        });

    frame.OnInitDialog();
    window.LoadPageResource(kMainPageResource, QString::fromStdString(programFolder));
    return app.exec();
}
