// Entry of varnok-duty: the application object, then the command on the system's clock, settings
// folder, locale and desktop.

#include "duty_tool/duty_command.h"

#include "settings_location/settings_folder.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QStandardPaths>

#include <iostream>
#include <memory>

namespace {

// X11 and Wayland desktops announce themselves in the environment; Windows and macOS always have one.
bool HasNoDesktopSession() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return false;
#endif
}

// The command speaks for itself in one line per failure; Qt's own notes (such as a missing
// XDG_RUNTIME_DIR under cron) would add lines a script does not expect. Only fatal ones pass.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toLocal8Bit().constData() << '\n';
}

} // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(QuietQtMessages);
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    // Only --open needs the desktop; everything else runs without any display, from cron or ssh.
    // Without a desktop session the command still checks its arguments and writes the file, and
    // then says why it cannot open it, instead of Qt aborting on a missing display.
    const bool haveSession = !HasNoDesktopSession();
    const ApplicationKind kind = ApplicationKindFor(arguments, haveSession);
    std::unique_ptr<QCoreApplication> app;
    if (kind == ApplicationKind::Core) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        // The year sheet is drawn into a PDF or an image; only opening the result needs the desktop.
        if (kind == ApplicationKind::OffscreenGui)
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const SystemTodayClock clock;
    DutyToolEnvironment environment;
    environment.Clock = &clock;
    environment.SettingsBase = DefaultSettingsBase();
    environment.Locale = QLocale::system();
    environment.Out = &std::cout;
    environment.Err = &std::cerr;
    environment.DocumentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    environment.StampTime = CalendarStampTime();
    environment.Open = [haveSession](const QUrl& url) {
        if (!haveSession)
            return QStringLiteral("no desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        return QDesktopServices::openUrl(url) ? QString() : QStringLiteral("the desktop has no program for it");
    };
    const int code = RunDutyTool(QCoreApplication::arguments(), environment);
    std::cout.flush();
    return code;
}
