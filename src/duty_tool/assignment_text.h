#pragma once
// Assignment names on the command line and in output: "TFD" (0, no rotation) and "Group 1" to
// "Group 7" (1 to 7), the entries of the window's assignment list.

#include <QString>
#include <optional>

// The assignment index of "3", "Group 3" or "group 3" (any letter case, blanks around ignored), or of
// "TFD"; nothing for any other text.
std::optional<int> AssignmentFromText(const QString& text);

// "TFD" for 0, "Group n" for n in [1, 7].
QString AssignmentName(int assignment);
