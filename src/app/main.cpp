// Program entry: the application object, then the program's run on the system's clock, settings
// folder and locale.

#include "application.h"
#include "run_program.h"
#include "settings_location/settings_folder.h"

int main(int argc, char* argv[]) {
    TApplication app(argc, argv);
    const SystemTodayClock clock;
    return RunProgram(clock, DefaultSettingsBase(), QLocale::system());
}
