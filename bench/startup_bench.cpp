// Start-up and memory of the whole program, next to a bare Qt window with one label, measured in the
// same run:
//   Startup/<program>/<platform>     process start to the first painted frame (the probes' marker
//                                    line), wall clock, one launch per repetition
//   PeakMemory/<program>/<platform>  VmHWM and VmRSS of the running program after it has rested
// The platforms are offscreen, and xcb when DISPLAY is set (scripts/bench runs an Xvfb for it). Our
// program gets a settings folder of its own under a temporary XDG_CONFIG_HOME, holding a saved file
// and a days file of 3,000 marks beside it (what a long career leaves); as "varnok-no-days" it starts
// once more without the days file, which tells what the file costs.
// Each measure reports its median and its spread (min and max); scripts/bench interleaves the
// launches of the program and of the bare window at random, so that a change in the machine's load
// falls on both alike.

#include "days_file_text.h"
#include "settings_home.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int StartupRepetitions = 20;
constexpr int MemoryRepetitions = 3;
constexpr auto RestTime = std::chrono::milliseconds(1500);
constexpr int MarkerTimeoutMs = 30000;

struct Program {
    const char* Name;
    std::string Probe;             // prints the marker line on its first frame
    std::vector<std::string> Args; // the probe's arguments
    std::string Real;              // the program itself, for memory
    bool Days = true;              // with the days file
};

// The settings homes: with a days file of 3,000 marks, and without one.
std::filesystem::path& ConfigHome(bool days) {
    static std::filesystem::path folders[2];
    return folders[days ? 1 : 0];
}

// A settings file as the program writes it after a Save.
void MakeConfigHomes() {
    for (const bool days : {false, true}) {
        ConfigHome(days) =
            MakeSettingsHome("varnok-bench", "[Config]\nAgency=Tolmere Fire Department\nWorkAssign=Group 3\n"
                                             "ShowPaydays=1\nWidth=360\nHeight=567\n[Colors]\n"
                                             "Off-Duty=Darkgray\nOn-Duty=Blue\nRDO=Goldenrod\n"
                                             "LdTr=Silver\nBkGr=White\n");
    }
    std::ofstream(ConfigHome(true) / "Orvane" / "Varnok" / "vnTolmere-days.ics", std::ios::binary)
        << DaysFileText(3000);
}

class Child {
public:
    Child(const std::string& file, const std::vector<std::string>& args, const std::string& platform,
          bool pipeOutput, bool days) {
        std::map<std::string, std::string> variables;
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            const auto equals = text.find('=');
            variables[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
        }
        variables["QT_QPA_PLATFORM"] = platform;
        variables["XDG_CONFIG_HOME"] = ConfigHome(days).string();
        std::vector<std::string> environment;
        for (const auto& [name, value] : variables)
            environment.push_back(name + "=" + value);
        std::vector<char*> envp;
        for (auto& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::vector<std::string> argumentTexts{file};
        argumentTexts.insert(argumentTexts.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& argument : argumentTexts)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        int pipeEnds[2] = {-1, -1};
        if (pipeOutput) {
            if (::pipe(pipeEnds) != 0)
                throw std::runtime_error("pipe failed");
            posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
            posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
            posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
        } else {
            posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        }
        // Qt's platform notes would only clutter the benchmark's output.
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const int result = posix_spawn(&pid_, file.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (pipeOutput) {
            ::close(pipeEnds[1]);
            output_ = pipeEnds[0];
        }
        if (result != 0)
            throw std::runtime_error("cannot start " + file);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (output_ >= 0)
            ::close(output_);
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    // Reads stdout until a whole line has come; false on end of file or time-out.
    bool WaitForLine() {
        std::string line;
        while (line.find('\n') == std::string::npos) {
            pollfd entry{output_, POLLIN, 0};
            if (::poll(&entry, 1, MarkerTimeoutMs) <= 0)
                return false;
            char buffer[256];
            const ssize_t count = ::read(output_, buffer, sizeof buffer);
            if (count <= 0)
                return false;
            line.append(buffer, static_cast<std::size_t>(count));
        }
        return true;
    }

    bool Running() {
        if (exited_)
            return false;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_)
            exited_ = true;
        return !exited_;
    }

    // A value in kB from /proc/<pid>/status, such as "VmHWM".
    std::optional<double> StatusKilobytes(const std::string& field) const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind(field + ":", 0) == 0)
                return std::stod(line.substr(field.size() + 1));
        }
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    bool exited_ = false;
};

void StartupToFirstFrame(benchmark::State& state, const Program& program, const std::string& platform) {
    for (auto _ : state) {
        const auto start = Clock::now();
        Child child(program.Probe, program.Args, platform, true, program.Days);
        if (!child.WaitForLine()) {
            state.SkipWithError("no first-frame line from the probe");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

void PeakMemoryAtRest(benchmark::State& state, const Program& program, const std::string& platform) {
    for (auto _ : state) {
        const auto start = Clock::now();
        Child child(program.Real, {}, platform, false, program.Days);
        std::this_thread::sleep_for(RestTime);
        const auto peak = child.StatusKilobytes("VmHWM");
        const auto resident = child.StatusKilobytes("VmRSS");
        if (!child.Running() || !peak || !resident) {
            state.SkipWithError("the program did not keep running");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        // /proc reports kibibytes; the goal is in megabytes.
        state.counters["VmHWM_MB"] = *peak * 1024 / 1e6;
        state.counters["VmRSS_MB"] = *resident * 1024 / 1e6;
    }
}

double Smallest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

double Largest(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

} // namespace

int main(int argc, char** argv) {
    MakeConfigHomes();
    static const Program programs[] = {
        {"varnok", VARNOK_STARTUP_PROBE, {}, VARNOK_EXECUTABLE},
        {"varnok-no-days", VARNOK_STARTUP_PROBE, {}, VARNOK_EXECUTABLE, false},
        {"bare", BARE_WINDOW_EXECUTABLE, {"--first-frame"}, BARE_WINDOW_EXECUTABLE},
    };
    std::vector<std::string> platforms{"offscreen"};
    if (const char* display = std::getenv("DISPLAY"); display && *display)
        platforms.push_back("xcb");
    for (const std::string& platform : platforms) {
        for (const Program& program : programs) {
            benchmark::RegisterBenchmark(("Startup/" + std::string(program.Name) + "/" + platform).c_str(),
                                         StartupToFirstFrame, program, platform)
                ->Iterations(1)
                ->Repetitions(StartupRepetitions)
                ->ReportAggregatesOnly(true)
                ->ComputeStatistics("min", Smallest)
                ->ComputeStatistics("max", Largest)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
        for (const Program& program : programs) {
            benchmark::RegisterBenchmark(("PeakMemory/" + std::string(program.Name) + "/" + platform).c_str(),
                                         PeakMemoryAtRest, program, platform)
                ->Iterations(1)
                ->Repetitions(MemoryRepetitions)
                ->ReportAggregatesOnly(true)
                ->ComputeStatistics("min", Smallest)
                ->ComputeStatistics("max", Largest)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    for (const bool days : {false, true})
        std::filesystem::remove_all(ConfigHome(days), ignored);
    return 0;
}
