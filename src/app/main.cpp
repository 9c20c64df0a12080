// Program entry: the application object, the one window, the event loop.

#include "application.h"
#include "window/main_form.h"
#include "window/settings_folder.h"

#include <memory>

int main(int argc, char* argv[]) {
    TApplication app(argc, argv);
    SystemTodayClock clock;
    std::unique_ptr<TMainForm> window;
    try {
        window = std::make_unique<TMainForm>(clock, DefaultSettingsBase(), QLocale::system());
    } catch (const std::exception& error) {
        // A start-up error (an unreadable color in the settings file) ends the program.
        TApplication::ShowError(error);
        return 1;
    }
    MainForm = window.get();
    const int exitCode = TApplication::exec();
    MainForm = nullptr;
    return exitCode;
}
