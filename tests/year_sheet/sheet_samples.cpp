#include "sheet_samples.h"

#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"

#include <cstdlib>
#include <map>

YearSheetRequest SampleRequest() {
    YearSheetRequest request;
    request.Year = 2027;
    request.Assignment = 3;
    request.Settings.AgencyName = "Tolmere Fire Department";
    request.Settings.OnDutyColor = SampleOnDuty;
    request.Settings.OffDutyColor = SampleOffDuty;
    request.Settings.RdoColor = SampleRdo;
    request.Settings.LeadTrailColor = claSilver;
    request.Settings.BackgroundColor = SampleBackground;
    request.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
    request.PageSize = QPageSize(QPageSize::Letter);
    return request;
}

std::optional<TDateTime> FirstDayOf(int year, int month, const std::function<bool(TDateTime)>& test) {
    const std::chrono::year_month_day_last last{std::chrono::year(year) /
                                                std::chrono::month(unsigned(month)) / std::chrono::last};
    for (unsigned day = 1; day <= static_cast<unsigned>(last.day()); ++day) {
        const TDateTime date = DateSerial(year, static_cast<unsigned>(month), day);
        if (test(date))
            return date;
    }
    return std::nullopt;
}

std::optional<TDateTime> FirstDayWithCode(int assignment, int year, int month, char code) {
    ScheduleState schedule;
    SelectAssignment(schedule, assignment);
    return FirstDayOf(year, month, [&](TDateTime date) { return DutyCodeOf(schedule, date) == code; });
}

int GridIndexOf(TDateTime date) {
    ScheduleState schedule;
    FillGridDates(schedule, date);
    for (int index = 0; index < GridCellCount; ++index)
        if (schedule.GridDates[static_cast<std::size_t>(index)] == date)
            return index;
    return -1;
}

bool IsNear(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QColor DominantInk(const QImage& image, const QRectF& box, QColor paper, int paperTolerance) {
    std::map<QRgb, int> counts;
    const QRect pixels = box.toAlignedRect().intersected(image.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QColor color = image.pixelColor(x, y);
            if (!IsNear(color, paper, paperTolerance))
                ++counts[color.rgb()];
        }
    QColor dominant;
    int most = 0;
    for (const auto& [rgb, count] : counts)
        if (count > most) {
            most = count;
            dominant = QColor::fromRgb(rgb);
        }
    return dominant;
}

int InkPixels(const QImage& image, const QRectF& box, QColor paper, int tolerance) {
    int ink = 0;
    const QRect pixels = box.toAlignedRect().intersected(image.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (!IsNear(image.pixelColor(x, y), paper, tolerance))
                ++ink;
    return ink;
}
