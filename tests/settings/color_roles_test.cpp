#include "settings/color_roles.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorRoles, DefaultsReadAsTheDocumentedColors) {
    const std::pair<std::string_view, TAlphaColor> expected[] = {
        {"On-Duty", claBlue}, {"Off-Duty", claDarkgray}, {"RDO", claGoldenrod},
        {"LdTr", claSilver},  {"BkGr", claWhite},
    };
    ASSERT_EQ(std::size(expected), ColorRoles.size());
    for (std::size_t i = 0; i < ColorRoles.size(); ++i) {
        EXPECT_EQ(ColorRoles[i].Key, expected[i].first);
        EXPECT_EQ(ColorFromText(ColorRoles[i].DefaultText), expected[i].second) << ColorRoles[i].Key;
    }
}

TEST(ColorRoles, ButtonTagsSelectTheirMembers) {
    SettingsState state;
    const std::pair<int, TAlphaColor SettingsState::*> tags[] = {
        {1, &SettingsState::OnDutyColor},     {2, &SettingsState::OffDutyColor},
        {5, &SettingsState::RdoColor},        {6, &SettingsState::LeadTrailColor},
        {7, &SettingsState::BackgroundColor},
    };
    for (const auto& [tag, member] : tags) {
        const ColorRole* role = ColorRoleForTag(tag);
        ASSERT_NE(role, nullptr) << tag;
        EXPECT_EQ(&(state.*role->Member), &(state.*member)) << tag;
    }
    for (const int tag : {0, 3, 4, 8, -1, -2})
        EXPECT_EQ(ColorRoleForTag(tag), nullptr) << tag;
}

} // namespace
