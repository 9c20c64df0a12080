// A second writer of the days file, in a process of its own, for the tests of the window's watch on
// the file: marks or clears one day through the store, as varnok-duty mark does.
// Usage: days_writer FILE YYYY-MM-DD KIND CODE   (KIND a kind's name, or "clear"; CODE L, K, Y or Z)

#include "member_days/days_store.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    int year = 0;
    unsigned month = 0, day = 0;
    if (argc != 5 || std::sscanf(argv[2], "%d-%u-%u", &year, &month, &day) != 3)
        return 2;
    const std::string file = argv[1];
    DaysStore store(std::filesystem::path(std::u8string(file.begin(), file.end())));
    if (store.Load() == DaysStore::LoadStatus::Unreadable)
        return 1;
    const TDateTime date = DateSerial(year, month, day);
    const std::string kind = argv[3];
    DaysStore::Outcome outcome;
    if (kind == "clear") {
        outcome = store.ClearMark(date);
    } else {
        const std::optional<MarkKind> named = MarkKindNamed(kind);
        if (!named)
            return 2;
        outcome = store.SetMark(date, DayMark{*named, "from another program", std::nullopt}, argv[4][0]);
    }
    return outcome.State == DaysStore::Outcome::Status::Written ? 0 : 1;
}
