// varnok_startup_probe: the program's own entry (application object, then the program's run) with a
// marker line on the first painted frame, so the start-up benchmark can time it from outside.

#include "app/application.h"
#include "app/run_program.h"
#include "first_frame_marker.h"
#include "settings_location/settings_folder.h"

int main(int argc, char* argv[]) {
    TApplication app(argc, argv);
    FirstFrameMarker marker(app);
    const SystemTodayClock clock;
    return RunProgram(clock, DefaultSettingsBase(), QLocale::system());
}
