#pragma once
// Paydays: every second Friday from PaydayAnchor on, none before it.

#include "date_serial.h"

// A time of day counts in the comparison with the anchor and is dropped in the 14-day step.
bool IsPayday(TDateTime date);
