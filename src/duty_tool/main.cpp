// Entry of varnok-duty: day, csv and ics on Qt Core alone, so that a run loads no graphics library
// and needs no display. The year sheet and --open need Qt Gui: those runs are handed, with the same
// arguments, to varnok-duty-gui.

#include "duty_tool/duty_command.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <unistd.h>

#ifndef VARNOK_DUTY_GUI_INSTALLED
#error "VARNOK_DUTY_GUI_INSTALLED must name the installed varnok-duty-gui"
#endif

namespace {

// Beside this executable in a build tree, else where the package installs it.
std::filesystem::path GuiHelper() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path beside = self.parent_path() / "varnok-duty-gui";
        if (std::filesystem::is_regular_file(beside, error))
            return beside;
    }
    return VARNOK_DUTY_GUI_INSTALLED;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    // The helper decides about the desktop itself; here only "needs Qt Gui or not" counts.
    if (ApplicationKindFor(arguments, true) != ApplicationKind::Core) {
        const std::string helper = GuiHelper().string();
        ::execv(helper.c_str(), argv);
        std::cerr << "varnok-duty: cannot start " << helper << ": " << std::strerror(errno) << '\n';
        return 1;
    }
    QCoreApplication app(argc, argv);
    const SystemTodayClock clock;
    DutyToolEnvironment environment = SystemEnvironment(clock);
    const int code = RunDutyTool(QCoreApplication::arguments(), environment, CoreSubcommands());
    std::cout.flush();
    return code;
}
