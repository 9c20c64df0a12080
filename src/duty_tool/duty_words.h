#pragma once
// The words for a duty code in the tool's output: "on duty", "off duty", "regular day off" for L, K
// and Y, "no schedule" for Z.

#include <string_view>

std::string_view DutyWords(char code);
