#include "duty_words.h"

#include "schedule/duty_rotation.h"

std::string_view DutyWords(char code) {
    switch (code) {
    case DutyOn:
        return "on duty";
    case DutyOff:
        return "off duty";
    case DutyRdo:
        return "regular day off";
    default:
        return "no schedule";
    }
}
