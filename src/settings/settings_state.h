#pragma once
// The settings' share of the program's global state: the settings file's path, the agency name shown
// in the title and the five color roles. Zero when created; filled by LocateSettingsFile and
// LoadSettings at start-up.

#include "alpha_color.h"

#include <string>

struct SettingsState {
    std::string IniFileName; // full path of the settings file, UTF-8; empty until located
    std::string AgencyName;  // UTF-8
    TAlphaColor OnDutyColor = 0;
    TAlphaColor OffDutyColor = 0;
    TAlphaColor RdoColor = 0;
    TAlphaColor LeadTrailColor = 0;
    TAlphaColor BackgroundColor = 0;
};
