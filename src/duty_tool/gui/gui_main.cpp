// Entry of varnok-duty-gui, the part of varnok-duty that needs Qt Gui: the year sheet, and --open
// for any file. varnok-duty hands these runs over with the same arguments, so that its other runs
// never load Qt Gui and its libraries.

#include "duty_tool/duty_command.h"
#include "year_command.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <iostream>

namespace {

bool HasDesktopSession() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
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
    // Drawing needs no display; only opening the result does. Without a desktop session the command
    // still checks its arguments and writes the file, then says why it cannot open it.
    const bool desktopSession = HasDesktopSession();
    if (ApplicationKindFor(arguments, desktopSession) != ApplicationKind::DesktopGui)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const SystemTodayClock clock;
    DutyToolEnvironment environment = SystemEnvironment(clock);
    environment.Open = [desktopSession](const QUrl& url) {
        if (!desktopSession)
            return QStringLiteral("no desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        return QDesktopServices::openUrl(url) ? QString()
                                              : QStringLiteral("the desktop has no program for it");
    };
    std::vector<DutySubcommand> subcommands = CoreSubcommands();
    subcommands.push_back(YearSubcommand());
    const int code = RunDutyTool(QCoreApplication::arguments(), environment, subcommands);
    std::cout.flush();
    return code;
}
