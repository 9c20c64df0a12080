#pragma once
// A throw-away settings home for the benchmarks that start the programs: a new folder in the temporary
// folder, holding "Orvane/Varnok/vnTolmere.ini" with `iniText`. The caller points XDG_CONFIG_HOME at
// it and removes it afterwards.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

inline std::filesystem::path MakeSettingsHome(std::string_view folderPrefix, std::string_view iniText) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(folderPrefix) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    const std::filesystem::path home = pattern;
    const auto folder = home / "Orvane" / "Varnok";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "vnTolmere.ini") << iniText;
    return home;
}
