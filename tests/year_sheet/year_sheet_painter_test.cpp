// The painted sheet, read back as pixels: each day number in its duty color, the payday underline
// present only where asked, blank neighbouring days, and the grids' fill for pale duty colors.
// Qt's antialiasing differs between CPUs, so colors are compared with a tolerance and taken as the
// dominant ink of a box, never from one edge pixel.

#include "schedule/duty_rotation.h"
#include "schedule/payday.h"
#include "sheet_samples.h"
#include "year_sheet/year_sheet.h"
#include "year_sheet/year_sheet_geometry.h"
#include "year_sheet/year_sheet_painter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr int ColorTolerance = 6;
// Paper is what lies within this of white: antialiased glyph edges fade into it.
constexpr int PaperTolerance = 40;
// An underline is solid ink; fainter pixels are glyph edges that reach into its band.
constexpr int InkTolerance = 96;
const QColor Paper = Qt::white;

QImage Render(const YearSheetRequest& request) {
    QImage image = QImage::fromData(YearSheetPng(request), "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

QRectF Inset(const QRectF& box, qreal share) {
    return box.adjusted(share * box.width(), share * box.height(), -share * box.width(),
                        -share * box.height());
}

int MonthOf(TDateTime date) {
    return static_cast<int>(static_cast<unsigned>(YearMonthDayOf(date).month()));
}

struct DutyCase {
    const char* name;
    char code;
    int month;
    TAlphaColor color;
    friend void PrintTo(const DutyCase& row, std::ostream* out) { *out << row.name; }
};

class DayNumberColor : public testing::TestWithParam<DutyCase> {
protected:
    static void SetUpTestSuite() { image_ = new QImage(Render(SampleRequest())); }
    static void TearDownTestSuite() {
        delete image_;
        image_ = nullptr;
    }
    static QImage* image_;
};
QImage* DayNumberColor::image_ = nullptr;

TEST_P(DayNumberColor, IsTheDutyColorOfTheDay) {
    const DutyCase& c = GetParam();
    const std::optional<TDateTime> date = FirstDayWithCode(3, 2027, c.month, c.code);
    ASSERT_TRUE(date);
    const YearSheetGeometry geometry(QRectF(image_->rect()));
    const QRectF digits = Inset(geometry.NumberRect(c.month, GridIndexOf(*date)), 0.12);
    const QColor ink = DominantInk(*image_, digits, Paper, PaperTolerance);
    ASSERT_TRUE(ink.isValid()) << "no number drawn";
    EXPECT_TRUE(IsNear(ink, QColor::fromRgba(c.color), ColorTolerance)) << ink.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Group3In2027, DayNumberColor,
                         testing::Values(DutyCase{"OnDutyInFebruary", DutyOn, 2, SampleOnDuty},
                                         DutyCase{"OffDutyInFebruary", DutyOff, 2, SampleOffDuty},
                                         DutyCase{"RdoInFebruary", DutyRdo, 2, SampleRdo},
                                         DutyCase{"OnDutyInJuly", DutyOn, 7, SampleOnDuty},
                                         DutyCase{"OffDutyInNovember", DutyOff, 11, SampleOffDuty},
                                         DutyCase{"RdoInDecember", DutyRdo, 12, SampleRdo}),
                         [](const testing::TestParamInfo<DutyCase>& info) { return info.param.name; });

TEST(YearSheetPainting, UnderlinesPaydaysOnlyWhenAsked) {
    for (const int month : {1, 6, 10}) {
        const std::optional<TDateTime> payday = FirstDayOf(2027, month, IsPayday);
        ASSERT_TRUE(payday);
        const TDateTime plainDay = *payday + 1;
        ScheduleState schedule;
        SelectAssignment(schedule, 3);
        const QColor numberColor = QColor::fromRgba(DutyCodeOf(schedule, *payday) == DutyOn    ? SampleOnDuty
                                                    : DutyCodeOf(schedule, *payday) == DutyOff ? SampleOffDuty
                                                                                               : SampleRdo);
        for (const bool show : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "month " << month << (show ? " with" : " without") << " paydays");
            YearSheetRequest request = SampleRequest();
            request.ShowPaydays = show;
            const QImage image = Render(request);
            const YearSheetGeometry geometry(QRectF(image.rect()));
            const QRectF band = geometry.PaydayMarkRect(month, GridIndexOf(*payday));
            if (show) {
                // A line across most of the band's width, in the number's color.
                EXPECT_GT(InkPixels(image, band, Paper, InkTolerance), band.width() / 4);
                EXPECT_TRUE(
                    IsNear(DominantInk(image, band, Paper, InkTolerance), numberColor, ColorTolerance));
            } else {
                EXPECT_EQ(InkPixels(image, band, Paper, InkTolerance), 0);
            }
            ASSERT_EQ(MonthOf(plainDay), month);
            EXPECT_EQ(
                InkPixels(image, geometry.PaydayMarkRect(month, GridIndexOf(plainDay)), Paper, InkTolerance),
                0);
        }
    }
}

// A marked day shows its sign in the cell's corner: a disc of ink when the mark counts, a ring (less
// ink) when it does not; the day's number keeps its duty color and stays clear of the sign.
TEST(YearSheetPainting, MarksShowTheirSignAndKeepTheNumber) {
    const TDateTime counted = *FirstDayWithCode(3, 2027, 2, DutyOn);
    const TDateTime notCounted = counted + 1;
    // A duty day from the 20th on, not ending in 1: two wide digits.
    ScheduleState schedule;
    SelectAssignment(schedule, 3);
    const TDateTime wide = *FirstDayOf(2027, 5, [&](TDateTime date) {
        const unsigned day = static_cast<unsigned>(YearMonthDayOf(date).day());
        return day >= 20 && day % 10 != 1 && DutyCodeOf(schedule, date) == DutyOn;
    });
    const TDateTime plain = counted + 2;
    YearSheetRequest request = SampleRequest();
    request.Marks = {{counted, {'L', true}}, {notCounted, {'S', false}}, {wide, {'N', true}}};
    const QImage image = Render(request);
    const YearSheetGeometry geometry(QRectF(image.rect()));
    const auto signInk = [&](TDateTime date) {
        return InkPixels(image, geometry.MarkRect(MonthOf(date), GridIndexOf(date)), Paper, InkTolerance);
    };
    const QRectF sign = geometry.MarkRect(2, GridIndexOf(counted));
    EXPECT_GT(signInk(counted), sign.width() * sign.height() / 3);
    EXPECT_GT(signInk(notCounted), sign.width() * sign.height() / 10);
    EXPECT_LT(signInk(notCounted), signInk(counted));
    EXPECT_EQ(signInk(plain), 0);
    for (const TDateTime date : {counted, wide}) {
        SCOPED_TRACE(MonthOf(date));
        const QRectF cell = geometry.CellRect(MonthOf(date), GridIndexOf(date));
        const QRectF number = geometry.NumberRect(MonthOf(date), GridIndexOf(date));
        const QRectF mark = geometry.MarkRect(MonthOf(date), GridIndexOf(date));
        const QRectF left(cell.left(), number.top(), mark.left() - cell.left(), number.height());
        EXPECT_TRUE(IsNear(DominantInk(image, Inset(left, 0.1), Paper, PaperTolerance),
                           QColor::fromRgba(SampleOnDuty), ColorTolerance));
        // No digit reaches under the sign.
        const QRectF underSign(mark.left(), mark.bottom(), mark.width(), number.bottom() - mark.bottom());
        EXPECT_EQ(InkPixels(image, underSign.adjusted(0, 1, 0, -1), Paper, PaperTolerance), 0);
    }
}

TEST(YearSheetPainting, LeavesTheNeighbouringMonthsDaysBlank) {
    const QImage image = Render(SampleRequest());
    const YearSheetGeometry geometry(QRectF(image.rect()));
    // March 2027 begins on a Monday and ends on a Wednesday: cell 0 shows 28 February, cell 32 1 April.
    ASSERT_EQ(GridIndexOf(DateSerial(2027, 3, 1)), 1);
    ASSERT_EQ(GridIndexOf(DateSerial(2027, 3, 31)), 31);
    for (const int index : {0, 32, 41}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(InkPixels(image, Inset(geometry.CellRect(3, index), 0.1), Paper, 24), 0);
    }
    EXPECT_GT(InkPixels(image, Inset(geometry.CellRect(3, 1), 0.1), Paper, 24), 0);
}

TEST(YearSheetPainting, PaleDutyColorsAreReadOnTheUsersBackground) {
    YearSheetRequest request = SampleRequest();
    request.Settings.OnDutyColor = 0xFFFFFF00; // Yellow
    const QImage image = Render(request);
    const YearSheetGeometry geometry(QRectF(image.rect()));
    const QColor background = QColor::fromRgba(SampleBackground);
    // Cell 0 of March is blank, so only the fill shows there.
    EXPECT_TRUE(IsNear(DominantInk(image, Inset(geometry.CellRect(3, 0), 0.1), Paper, PaperTolerance),
                       background, ColorTolerance));
    const std::optional<TDateTime> onDuty = FirstDayWithCode(3, 2027, 3, DutyOn);
    ASSERT_TRUE(onDuty);
    // On the dark fill the yellow number is the ink that is not the fill.
    const QRectF digits = Inset(geometry.NumberRect(3, GridIndexOf(*onDuty)), 0.12);
    EXPECT_TRUE(
        IsNear(DominantInk(image, digits, background, PaperTolerance), QColor(Qt::yellow), ColorTolerance));
    // The title stays on white paper.
    EXPECT_TRUE(IsNear(image.pixelColor(geometry.TitleRect().topLeft().toPoint()), Paper, 0));
}

struct FillCase {
    const char* name;
    TAlphaColor onDuty;
    TAlphaColor offDuty;
    TAlphaColor rdo;
    bool takesBackground;
    friend void PrintTo(const FillCase& row, std::ostream* out) { *out << row.name; }
};

class GridFill : public testing::TestWithParam<FillCase> {};

TEST_P(GridFill, IsWhiteUnlessADutyColorIsTooPaleForPaper) {
    const FillCase& c = GetParam();
    SettingsState settings;
    settings.OnDutyColor = c.onDuty;
    settings.OffDutyColor = c.offDuty;
    settings.RdoColor = c.rdo;
    settings.BackgroundColor = SampleBackground;
    EXPECT_EQ(YearSheetGridFill(settings), c.takesBackground ? SampleBackground : claWhite);
}

INSTANTIATE_TEST_SUITE_P(
    DutyColors, GridFill,
    testing::Values(FillCase{"Defaults", claBlue, claDarkgray, claGoldenrod, false},
                    FillCase{"SilverOffDuty", claBlue, claSilver, claGoldenrod, false},
                    FillCase{"YellowOnDuty", 0xFFFFFF00, claDarkgray, claGoldenrod, true},
                    FillCase{"GoldRdo", claBlue, claDarkgray, 0xFFFFD700, true},
                    FillCase{"LightgrayOffDuty", claBlue, 0xFFD3D3D3, claGoldenrod, true},
                    FillCase{"WhiteOnDuty", claWhite, claDarkgray, claGoldenrod, true}),
    [](const testing::TestParamInfo<FillCase>& info) { return info.param.name; });

TEST(YearSheetPainting, HeadingNamesTheAgencyAndTheGroupAsTheWindowDoes) {
    YearSheetRequest request = SampleRequest();
    request.Assignment = 7;
    EXPECT_EQ(YearSheetHeading(request), QStringLiteral("Tolmere Fire Department - Group 7"));
    request.Settings.AgencyName.clear();
    EXPECT_EQ(YearSheetHeading(request), QStringLiteral("Group 7"));
}

} // namespace
