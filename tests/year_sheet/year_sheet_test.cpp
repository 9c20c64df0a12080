// The sheet as files: the PDF read back with poppler's tools (page size, metadata, the month names,
// weekday names and day numbers where the layout puts them, the legend), the PNG's size, and the
// page size a locale gets by default.

#include "sheet_samples.h"
#include "year_sheet/year_sheet.h"
#include "year_sheet/year_sheet_geometry.h"

#include <QDate>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <gtest/gtest.h>

namespace {

struct Word {
    QRectF box;
    QString text;
};

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PdfFile {
public:
    explicit PdfFile(const QByteArray& pdf) : path_(dir_.filePath(QStringLiteral("sheet.pdf"))) {
        QFile file(path_);
        if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
            ADD_FAILURE() << "cannot write " << path_.toStdString();
    }

    QString Info() const { return Run(QStringLiteral(VARNOK_PDFINFO), {path_}); }
    QString Fonts() const { return Run(QStringLiteral(VARNOK_PDFFONTS), {path_}); }

    // Every word with its box in points, from the page's top left corner.
    std::vector<Word> Words() const {
        const QString html =
            Run(QStringLiteral(VARNOK_PDFTOTEXT), {QStringLiteral("-bbox"), path_, QStringLiteral("-")});
        static const QRegularExpression word(QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        std::vector<Word> words;
        for (const QRegularExpressionMatch& m : word.globalMatch(html)) {
            const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
            const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
            words.push_back(
                {QRectF(topLeft, bottomRight), QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText()});
        }
        return words;
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

// The words whose centre lies in `area`, in reading order (line by line, left to right).
QStringList WordsIn(const std::vector<Word>& words, const QRectF& area) {
    std::vector<Word> inside;
    for (const Word& word : words)
        if (area.contains(word.box.center()))
            inside.push_back(word);
    std::sort(inside.begin(), inside.end(), [](const Word& a, const Word& b) {
        if (std::abs(a.box.center().y() - b.box.center().y()) > a.box.height() / 2)
            return a.box.center().y() < b.box.center().y();
        return a.box.left() < b.box.left();
    });
    QStringList texts;
    for (const Word& word : inside)
        texts << word.text;
    return texts;
}

QSizeF PageInPoints(const QString& info) {
    static const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    const QRegularExpressionMatch m = size.match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

struct SheetCase {
    const char* name;
    QLocale locale;
    QPageSize requested;  // invalid: the locale's default
    const char* pageName; // as pdfinfo names it
    const char* firstMonth;
    const char* thirdMonth;
    const char* sunday;
    friend void PrintTo(const SheetCase& row, std::ostream* out) { *out << row.name; }
};

class YearSheetPdfText : public testing::TestWithParam<SheetCase> {};

TEST_P(YearSheetPdfText, HoldsTheLocalesMonthsWithTheirDaysOnTheAskedPage) {
    const SheetCase& c = GetParam();
    YearSheetRequest request = SampleRequest();
    request.Year = 2028; // a leap year: February has 29 days
    request.Locale = c.locale;
    request.PageSize = c.requested;
    const PdfFile pdf(YearSheetPdf(request));

    const QString info = pdf.Info();
    EXPECT_TRUE(info.contains(QStringLiteral("pts (%1)").arg(QLatin1String(c.pageName))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           Tolmere Fire Department - Group 3 - 2028")))
        << info.toStdString();
    static const QRegularExpression onePage(QStringLiteral(R"(\nPages:\s+1\n)"));
    EXPECT_TRUE(onePage.match(info).hasMatch()) << info.toStdString();
    const QSizeF page = PageInPoints(info);
    ASSERT_FALSE(page.isEmpty()) << info.toStdString();

    const std::vector<Word> words = pdf.Words();
    const YearSheetGeometry geometry(QRectF(QPointF(0, 0), page));
    EXPECT_EQ(WordsIn(words, geometry.MonthNameRect(1)), QStringList{QString::fromUtf8(c.firstMonth)});
    EXPECT_EQ(WordsIn(words, geometry.MonthNameRect(3)), QStringList{QString::fromUtf8(c.thirdMonth)});
    EXPECT_EQ(WordsIn(words, geometry.WeekdayRect(1, 0)), QStringList{QString::fromUtf8(c.sunday)});
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        EXPECT_EQ(WordsIn(words, geometry.MonthNameRect(month)),
                  QStringList{c.locale.standaloneMonthName(month, QLocale::LongFormat)});
        QStringList days;
        for (int day = 1; day <= QDate(2028, month, 1).daysInMonth(); ++day)
            days << QString::number(day);
        QRectF grid = geometry.CellRect(month, 0).united(geometry.CellRect(month, 41));
        EXPECT_EQ(WordsIn(words, grid), days);
    }
    const QStringList title = WordsIn(words, geometry.TitleRect());
    EXPECT_EQ(title, (QStringList{QStringLiteral("Tolmere"), QStringLiteral("Fire"),
                                  QStringLiteral("Department"), QStringLiteral("-"), QStringLiteral("Group"),
                                  QStringLiteral("3"), QStringLiteral("2028")}));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, YearSheetPdfText,
    testing::Values(SheetCase{"UnitedStates", QLocale(QLocale::English, QLocale::UnitedStates), QPageSize(),
                              "letter", "January", "March", "Sun"},
                    SheetCase{"Germany", QLocale(QLocale::German, QLocale::Germany), QPageSize(), "A4",
                              "Januar", "März", "So."},
                    SheetCase{"FranceOnLetter", QLocale(QLocale::French, QLocale::France),
                              QPageSize(QPageSize::Letter), "letter", "janvier", "mars", "dim."},
                    SheetCase{"UnitedStatesOnA4", QLocale(QLocale::English, QLocale::UnitedStates),
                              QPageSize(QPageSize::A4), "A4", "January", "March", "Sun"}),
    [](const testing::TestParamInfo<SheetCase>& info) { return info.param.name; });

TEST(YearSheetPdf, EmbedsThePackagedFontsOnly) {
    const PdfFile pdf(YearSheetPdf(SampleRequest()));
    // After the two header lines, one line per font, ending in the columns emb, sub, uni, object, ID.
    QStringList lines = pdf.Fonts().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2);
    lines.remove(0, 2);
    for (const QString& line : lines) {
        SCOPED_TRACE(line.toStdString());
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 6);
        EXPECT_TRUE(columns.front().startsWith(QStringLiteral("DejaVuSans")));
        EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes"));
    }
}

TEST(YearSheetPdf, LegendNamesTheDutyColorsAndThePaydaysWhenShown) {
    for (const bool show : {false, true}) {
        SCOPED_TRACE(show);
        YearSheetRequest request = SampleRequest();
        request.ShowPaydays = show;
        const PdfFile pdf(YearSheetPdf(request));
        const QSizeF page = PageInPoints(pdf.Info());
        ASSERT_FALSE(page.isEmpty());
        const YearSheetGeometry geometry(QRectF(QPointF(0, 0), page));
        QStringList expected{QStringLiteral("Wrk"), QStringLiteral("Off"), QStringLiteral("RDO")};
        if (show)
            expected << QStringLiteral("Paydays");
        EXPECT_EQ(WordsIn(pdf.Words(), geometry.LegendRect()), expected);
    }
}

// The legend names the kinds of mark the year has, with their letters, and the ring of a mark that is
// not counted when there is one; marks of other years do not count.
TEST(YearSheetPdf, LegendNamesTheKindsOfTheYearsMarks) {
    YearSheetRequest request = SampleRequest();
    request.MarkKeys = {
        {'L', QStringLiteral("Leave")}, {'S', QStringLiteral("Sick")}, {'N', QStringLiteral("Note")}};
    request.Marks = {{DateSerial(2027, 3, 3), {'N', true}},
                     {DateSerial(2027, 3, 4), {'L', false}},
                     {DateSerial(2028, 1, 1), {'S', true}}};
    const PdfFile pdf(YearSheetPdf(request));
    const QSizeF page = PageInPoints(pdf.Info());
    ASSERT_FALSE(page.isEmpty());
    const YearSheetGeometry geometry(QRectF(QPointF(0, 0), page));
    EXPECT_EQ(WordsIn(pdf.Words(), geometry.LegendRect()),
              (QStringList{"Wrk", "Off", "RDO", "L", "Leave", "N", "Note", "not", "counted"}));
}

TEST(YearSheetPng, IsAPictureOfThePageAtASizeForSharing) {
    for (const auto& [id, printedWidthMm] :
         {std::pair{QPageSize::A4, 210.0}, std::pair{QPageSize::Letter, 215.9}}) {
        YearSheetRequest request = SampleRequest();
        request.PageSize = QPageSize(id);
        const QImage image = QImage::fromData(YearSheetPng(request), "PNG");
        ASSERT_FALSE(image.isNull());
        const QSizeF page = request.PageSize.size(QPageSize::Point);
        EXPECT_EQ(image.height(), 2000);
        EXPECT_NEAR(image.width(), 2000 * page.width() / page.height(), 1);
        // Printed, the picture comes out at the page's own width.
        EXPECT_NEAR(image.width() / (image.dotsPerMeterX() / 1000.0), printedWidthMm, 0.5);
    }
}

TEST(YearSheet, RefusesAYearOrAGroupOutsideItsRange) {
    const struct {
        int year;
        int assignment;
    } bad[] = {{2021, 3}, {2101, 3}, {2027, 0}, {2027, 8}, {-1, 3}};
    for (const auto& c : bad) {
        SCOPED_TRACE(testing::Message() << c.year << " group " << c.assignment);
        YearSheetRequest request = SampleRequest();
        request.Year = c.year;
        request.Assignment = c.assignment;
        EXPECT_THROW(YearSheetPdf(request), std::out_of_range);
        EXPECT_THROW(YearSheetPng(request), std::out_of_range);
    }
    YearSheetRequest edge = SampleRequest();
    for (const int year : {2022, 2100}) {
        edge.Year = year;
        EXPECT_FALSE(YearSheetPdf(edge).isEmpty());
    }
}

struct PageSizeCase {
    const char* name;
    QLocale locale;
    QPageSize::PageSizeId expected;
    friend void PrintTo(const PageSizeCase& row, std::ostream* out) { *out << row.name; }
};

class DefaultPageSize : public testing::TestWithParam<PageSizeCase> {};

TEST_P(DefaultPageSize, IsLetterWhereTheLocaleMeasuresInInches) {
    EXPECT_EQ(DefaultYearSheetPageSize(GetParam().locale).id(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DefaultPageSize,
    testing::Values(
        PageSizeCase{"UnitedStates", QLocale(QLocale::English, QLocale::UnitedStates), QPageSize::Letter},
        PageSizeCase{"SpanishUnitedStates", QLocale(QLocale::Spanish, QLocale::UnitedStates),
                     QPageSize::Letter},
        PageSizeCase{"UnitedKingdom", QLocale(QLocale::English, QLocale::UnitedKingdom), QPageSize::A4},
        PageSizeCase{"Germany", QLocale(QLocale::German, QLocale::Germany), QPageSize::A4},
        PageSizeCase{"C", QLocale::c(), QPageSize::A4}),
    [](const testing::TestParamInfo<PageSizeCase>& info) { return info.param.name; });

} // namespace
