// varnok-duty from process start to exit, wall clock, one launch per repetition:
//   DutyTool/day    one line for a day
//   DutyTool/ics    the iCalendar file to 2100 with days off, paydays and the 3,000 marks
//   DutyTool/ics-plain  the same without the marks (--no-marks)
//   DutyTool/csv    the CSV table of 2022 to 2100
//   DutyTool/year   the year sheet as PDF
//   DutyTool/tally  the tally of 2022 to 2100
//   DutyTool/bare   a bare Qt Core program (bare_core_app), the yardstick
// Output goes to /dev/null, with no display in the environment, and a saved settings file (Group 3)
// with a days file of 3,000 marks beside it under a temporary XDG_CONFIG_HOME, as from cron.

#include "days_file_text.h"
#include "settings_home.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Repetitions = 20;

std::filesystem::path& ConfigHome() {
    static std::filesystem::path folder;
    return folder;
}

void MakeConfigHome() {
    ConfigHome() =
        MakeSettingsHome("varnok-duty-bench", "[Config]\nAgency=Tolmere Fire Department\nWorkAssign=Group 3\n"
                                              "ShowPaydays=1\n[Colors]\nOff-Duty=Darkgray\nOn-Duty=Blue\n"
                                              "RDO=Goldenrod\nLdTr=Silver\nBkGr=White\n");
    std::ofstream(ConfigHome() / "Orvane" / "Varnok" / "vnTolmere-days.ics", std::ios::binary)
        << DaysFileText(3000);
}

constexpr const char* DroppedVariables[] = {
    "DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "XDG_CONFIG_HOME="};

// The environment without a display, with the settings home.
std::vector<std::string> Environment() {
    const auto dropped = [](const std::string& text) {
        return std::any_of(std::begin(DroppedVariables), std::end(DroppedVariables),
                           [&](const char* name) { return text.rfind(name, 0) == 0; });
    };
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        if (!dropped(*entry))
            entries.push_back(*entry);
    }
    entries.push_back("XDG_CONFIG_HOME=" + ConfigHome().string());
    return entries;
}

// Runs the program to its end; its exit status.
int RunToExit(const std::string& program, const std::vector<std::string>& arguments,
              std::vector<std::string> environment) {
    std::vector<std::string> texts{program};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int result = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void ProcessStartToExit(benchmark::State& state, const std::string& program,
                        const std::vector<std::string>& arguments) {
    const std::vector<std::string> environment = Environment();
    for (auto _ : state) {
        const auto start = Clock::now();
        if (RunToExit(program, arguments, environment) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

} // namespace

int main(int argc, char** argv) {
    MakeConfigHome();
    const struct {
        const char* Name;
        std::string Program;
        std::vector<std::string> Arguments;
    } commands[] = {
        {"day", VARNOK_DUTY_EXECUTABLE, {"day", "2027-01-15"}},
        {"ics", VARNOK_DUTY_EXECUTABLE, {"ics", "--rdo", "--paydays"}},
        {"ics-plain", VARNOK_DUTY_EXECUTABLE, {"ics", "--rdo", "--paydays", "--no-marks"}},
        {"csv", VARNOK_DUTY_EXECUTABLE, {"csv", "--from", "2022-01-01", "--to", "2100-12-31"}},
        {"year", VARNOK_DUTY_EXECUTABLE, {"year", "2027", "-o", "-"}},
        {"tally", VARNOK_DUTY_EXECUTABLE, {"tally", "--from", "2022-01-01", "--to", "2100-12-31"}},
        {"bare", BARE_CORE_EXECUTABLE, {}},
    };
    for (const auto& command : commands) {
        benchmark::RegisterBenchmark((std::string("DutyTool/") + command.Name).c_str(), ProcessStartToExit,
                                     command.Program, command.Arguments)
            ->Iterations(1)
            ->Repetitions(Repetitions)
            ->ReportAggregatesOnly(true)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(ConfigHome(), ignored);
    return 0;
}
