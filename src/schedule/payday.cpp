#include "payday.h"

#include <cmath>

bool IsPayday(TDateTime date) {
    if (!(date >= PaydayAnchor) || !std::isfinite(date))
        return false;
    return std::fmod(std::trunc(date - PaydayAnchor), 14.0) == 0;
}
