#pragma once
// The settings file "vnTolmere.ini": where it lies, reading it at start-up, and the two writes of the
// settings page (Save, and the reset of the window size). Each operation uses one IniStore over
// SettingsState::IniFileName. Write failures raise SettingsWriteError after the keys written before
// the failure; a bad color text raises ColorConversionError out of LoadSettings.

#include "settings_state.h"

#include <filesystem>
#include <string>

inline constexpr int DefaultWindowWidth = 360;
inline constexpr int DefaultWindowHeight = 567;

inline constexpr std::string_view DefaultAgencyName = "Tolmere Fire Department";
inline constexpr std::string_view DefaultWorkAssign = "TFD";
inline constexpr std::string_view SettingsFileName = "vnTolmere.ini";

// What start-up puts into the controls; the agency name and the colors go into the state.
struct LoadedSettings {
    std::string WorkAssign; // text of the assignment list entry to select
    bool ShowPaydays = false;
    int Width = DefaultWindowWidth;   // outer width of the window
    int Height = DefaultWindowHeight; // outer height of the window
};

// What the settings page holds when Save is pressed.
struct SettingsPageValues {
    std::string AgencyEditText; // as typed; empty leaves the agency name and its key unchanged
    std::string WorkAssign;     // text of the selected assignment entry
    bool ShowPaydays = false;
    int Width = 0;  // outer width of the window
    int Height = 0; // outer height of the window
};

// The folder when the name is empty, the name when the folder is empty or the name is rooted,
// otherwise folder + the platform's separator (left out after a trailing separator) + name.
std::filesystem::path JoinPath(const std::filesystem::path& folder, const std::filesystem::path& name);

// Sets IniFileName to "vnTolmere.ini" in the first of base/Orvane/Varnok, base/Varnok that exists as
// a folder or can be created with its parents, else in base itself.
void LocateSettingsFile(SettingsState& state, const std::filesystem::path& base);

// Sets IniFileName to the file LocateSettingsFile would choose, creating nothing: a candidate folder
// counts when it exists or when its nearest existing ancestor is a folder (permissions are not tried).
// For readers that must leave the disk as it is.
void FindSettingsFile(SettingsState& state, const std::filesystem::path& base);

// Reads the agency name and the five colors into the state and returns the values for the controls.
// Writes nothing.
LoadedSettings LoadSettings(SettingsState& state);

// LoadSettings without the colors: for readers that need no color and must not fail on a bad one.
LoadedSettings LoadConfigSettings(SettingsState& state);

// Writes every value of the settings page: the agency (when the edit is not empty; trimmed of
// characters of code 32 and below, also into AgencyName), the assignment, the payday switch, the
// window size and the colors, in that order. Then removes the stale temporary files that writes of
// killed instances left beside the file (see RemoveStaleTemporaryFiles).
void SaveSettings(SettingsState& state, const SettingsPageValues& page);

// Writes the default window size: Width, then Height; then removes stale temporary files as Save does.
void ResetWindowSize(const SettingsState& state);
