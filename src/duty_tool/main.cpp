// Entry of varnok-duty: the application object, then the command on the system's clock, settings
// folder, locale and desktop.

#include "duty_tool/duty_command.h"

#include "settings_location/settings_folder.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QStandardPaths>

#include <iostream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const SystemTodayClock clock;
    DutyToolEnvironment environment;
    environment.Clock = &clock;
    environment.SettingsBase = DefaultSettingsBase();
    environment.Locale = QLocale::system();
    environment.Out = &std::cout;
    environment.Err = &std::cerr;
    environment.DocumentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    environment.StampTime = CalendarStampTime();
    environment.Open = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    const int code = RunDutyTool(QCoreApplication::arguments(), environment);
    std::cout.flush();
    return code;
}
