#pragma once
// The folder under which the settings folder is made: the user's roaming application-data folder on
// Windows, the XDG configuration folder elsewhere ($XDG_CONFIG_HOME, else ~/.config). Empty when the
// platform cannot tell.

#include <filesystem>

std::filesystem::path DefaultSettingsBase();
