#pragma once
// The five color roles of the calendar: which member of the state each one is, its key in the
// "Colors" section of the settings file, the text read when the key is missing and the tag of the
// settings page button that edits it.

#include "settings_state.h"

#include <array>
#include <string_view>

struct ColorRole {
    TAlphaColor SettingsState::*Member;
    std::string_view Key;
    std::string_view DefaultText; // read through ColorFromText, so "DarkGray" finds Darkgray
    int ButtonTag;
};

// In the order the settings are loaded.
inline constexpr std::array<ColorRole, 5> ColorRoles{{
    {&SettingsState::OnDutyColor, "On-Duty", "Blue", 1},
    {&SettingsState::OffDutyColor, "Off-Duty", "DarkGray", 2},
    {&SettingsState::RdoColor, "RDO", "GoldenRod", 5},
    {&SettingsState::LeadTrailColor, "LdTr", "Silver", 6},
    {&SettingsState::BackgroundColor, "BkGr", "White", 7},
}};

// The role edited by the button with this tag, or nullptr when no role has it.
constexpr const ColorRole* ColorRoleForTag(int tag) {
    for (const ColorRole& role : ColorRoles) {
        if (role.ButtonTag == tag)
            return &role;
    }
    return nullptr;
}
