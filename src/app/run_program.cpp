#include "run_program.h"

#include "application.h"
#include "window/main_form.h"

#include <memory>

int RunProgram(const TodayClock& clock, const std::filesystem::path& settingsBase, const QLocale& locale) {
    std::unique_ptr<TMainForm> window;
    try {
        window = std::make_unique<TMainForm>(clock, settingsBase, locale);
    } catch (const std::exception& error) {
        TApplication::ShowError(error);
        return 1;
    }
    MainForm = window.get();
    const int exitCode = TApplication::exec();
    MainForm = nullptr;
    return exitCode;
}
