// The days file's reader and writer on any text: reading never crashes, and a change made to a text
// it could read gives a text it reads again, with the changed day's new mark and the other marks as
// they were.

#include "member_days/days_document.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    DaysDocument::Parsed parsed = DaysDocument::FromText(text);
    if (!parsed.Document)
        return 0;
    DaysDocument& document = *parsed.Document;
    if (!document.ReadMarks(MarkableDays).empty())
        return 0;
    const DayMarks before = document.Marks();
    const TDateTime day = DateSerial(2027, 1, 15);
    const DayMark mark{MarkKind::ExtraShift, "a, b; c\\d\nline", 7.5};
    DaysDocument::Parsed changed = document.Changed({{day, mark}}, 1799573400);
    if (!changed.Document)
        std::abort();
    DaysDocument::Parsed reread = DaysDocument::FromText(changed.Document->Text());
    if (!reread.Document || !reread.Document->ReadMarks(MarkableDays).empty())
        std::abort();
    DayMarks expected = before;
    expected.insert_or_assign(day, mark);
    if (reread.Document->Marks() != expected)
        std::abort();
    return 0;
}
