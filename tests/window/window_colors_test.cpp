// The window's colors under the desktop palettes and styles it may meet: every text and glyph keeps a
// contrast of at least 3:1 (WCAG) against what lies under it, and the role buttons and Today keep
// at least the contrast they have in the light look. A desktop theme is played the way a platform theme
// acts: its palette (and style) are the application's before the window is made. Each element is
// measured in the drawn pixels: the contrast between the box's most frequent color and the color in
// the box that differs from it most.

#include "window/controls/date_edit.h"
#include "window/main_form.h"
#include "window/window_colors.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QImage>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

double Linear(int channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb color) {
    return 0.2126 * Linear(qRed(color)) + 0.7152 * Linear(qGreen(color)) + 0.0722 * Linear(qBlue(color));
}

double Contrast(QRgb a, QRgb b) {
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

// The contrast of the strongest ink in `box` against the box's ground, its most frequent color.
double InkContrast(const QImage& image, const QRect& box) {
    std::map<QRgb, int> counts;
    const QRect inside = box.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    }
    if (counts.empty())
        return 0;
    QRgb ground = counts.begin()->first;
    int most = 0;
    for (const auto& [color, count] : counts) {
        if (count > most) {
            most = count;
            ground = color;
        }
    }
    double strongest = 1;
    for (const auto& [color, count] : counts)
        strongest = std::max(strongest, Contrast(color, ground));
    return strongest;
}

// `widget`'s rectangle in `top`'s coordinates, `inset` pixels in from every edge.
QRect BoxOf(const QWidget* widget, const QWidget* top, int inset = 0) {
    return QRect(widget->mapTo(top, QPoint()), widget->size()).adjusted(inset, inset, -inset, -inset);
}

// The part of a bar between two of its buttons (or its ends), clear of the bar's border.
QRect Between(const QWidget* bar, const QWidget* left, const QWidget* right, const QWidget* top) {
    QRect box = BoxOf(bar, top).adjusted(0, 2, 0, -2);
    if (left)
        box.setLeft(BoxOf(left, top).right() + 1);
    if (right)
        box.setRight(BoxOf(right, top).left() - 1);
    return box;
}

// A drop-down list's own text field, without its arrow.
QRect EditFieldOf(const QComboBox* box, const QWidget* top) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect field =
        box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    return field.translated(box->mapTo(top, QPoint()));
}

// What an element must keep: 3:1, or at least its contrast in the light look (the role buttons,
// whose text colors are the user's, and Today, which is Darkgray by design while today is selected).
enum class Bound { Readable, AsInTheLightLook };

struct Element {
    const char* name;
    int page;
    Bound bound;
    std::function<QRect(const TMainForm&)> box;
};

constexpr int Inset = 4; // clear of a face's frame

std::vector<Element> Elements() {
    std::vector<Element> elements;
    for (int page = 0; page < 4; ++page) {
        for (int tab = 0; tab < 4; ++tab) {
            elements.push_back({"tab caption", page, Bound::Readable, [tab](const TMainForm& form) {
                                    const QTabBar* strip = form.tabCtrl->TabBar();
                                    return strip->tabRect(tab)
                                        .translated(strip->mapTo(&form, QPoint()))
                                        .adjusted(Inset, Inset, -Inset, -Inset);
                                }});
        }
    }
    const auto readable = [&elements](const char* name, int page,
                                      std::function<QRect(const TMainForm&)> box) {
        elements.push_back({name, page, Bound::Readable, std::move(box)});
    };
    const auto asLight = [&elements](const char* name, int page, std::function<QRect(const TMainForm&)> box) {
        elements.push_back({name, page, Bound::AsInTheLightLook, std::move(box)});
    };
    readable("lblToolbar0", 0,
             [](const TMainForm& f) { return Between(f.rectToolbar0, nullptr, nullptr, &f); });
    readable("lblMonthName", 0,
             [](const TMainForm& f) { return Between(f.rectMonthName, f.bPrev, f.bNext, &f); });
    readable("bPrev", 0, [](const TMainForm& f) { return BoxOf(f.bPrev, &f); });
    readable("bNext", 0, [](const TMainForm& f) { return BoxOf(f.bNext, &f); });
    for (std::size_t day = 0; day < 7; ++day)
        readable("lblDOW", 0, [day](const TMainForm& f) { return BoxOf(f.lblDOW[day], &f); });
    readable("lblStatus", 0,
             [](const TMainForm& f) { return Between(f.rectFooter, f.bToday, f.deDate, &f); });
    asLight("bToday", 0, [](const TMainForm& f) { return BoxOf(f.bToday, &f, Inset); });
    readable("deDate", 0, [](const TMainForm& f) { return BoxOf(f.deDate->findChild<QLineEdit*>(), &f); });
    readable("lblToolbar1", 1,
             [](const TMainForm& f) { return Between(f.rectToolbar1, f.sbBack1, f.bSave, &f); });
    readable("sbBack1", 1, [](const TMainForm& f) { return BoxOf(f.sbBack1, &f); });
    readable("bSave", 1, [](const TMainForm& f) { return BoxOf(f.bSave, &f, Inset); });
    readable("lblPlatoon", 1, [](const TMainForm& f) { return BoxOf(f.lblPlatoon, &f); });
    readable("cbPlt", 1, [](const TMainForm& f) { return EditFieldOf(f.cbPlt, &f); });
    readable("lblPaydays", 1, [](const TMainForm& f) { return BoxOf(f.lblPaydays, &f); });
    readable("swPaydays", 1, [](const TMainForm& f) { return BoxOf(f.swPaydays, &f); });
    asLight("bWork", 1, [](const TMainForm& f) { return BoxOf(f.bWork, &f, Inset); });
    asLight("bOff", 1, [](const TMainForm& f) { return BoxOf(f.bOff, &f, Inset); });
    asLight("bMulti", 1, [](const TMainForm& f) { return BoxOf(f.bMulti, &f, Inset); });
    asLight("bLdTr", 1, [](const TMainForm& f) { return BoxOf(f.bLdTr, &f, Inset); });
    asLight("bBkGr", 1, [](const TMainForm& f) { return BoxOf(f.bBkGr, &f, Inset); });
    readable("sbReset", 1, [](const TMainForm& f) { return BoxOf(f.sbReset, &f); });
    readable("lblAgency", 1, [](const TMainForm& f) { return BoxOf(f.lblAgency, &f); });
    readable("edAgency", 1, [](const TMainForm& f) { return BoxOf(f.edAgency, &f, Inset); });
    readable("lblToolbar2", 2,
             [](const TMainForm& f) { return Between(f.rectToolbar2, f.sbBack2, nullptr, &f); });
    readable("sbBack2", 2, [](const TMainForm& f) { return BoxOf(f.sbBack2, &f); });
    readable("lblToolbar3", 3,
             [](const TMainForm& f) { return Between(f.rectToolbar3, f.sbBack3, nullptr, &f); });
    readable("sbBack3", 3, [](const TMainForm& f) { return BoxOf(f.sbBack3, &f); });
    readable("lblAbout", 3, [](const TMainForm& f) { return BoxOf(f.lblAbout, &f); });
    readable("sbEmail", 3, [](const TMainForm& f) { return BoxOf(f.sbEmail, &f, Inset); });
    readable("sbTolmere", 3, [](const TMainForm& f) { return BoxOf(f.sbTolmere, &f, Inset); });
    return elements;
}

// A desktop as the window may find it: the palette its theme gives, and a style it forces.
struct Desktop {
    const char* name;
    std::function<QPalette()> palette;
    const char* style; // null: the style the program starts with
};

QPalette StandardPaletteOf(const char* style) {
    const std::unique_ptr<QStyle> made(QStyleFactory::create(QLatin1String(style)));
    return made ? made->standardPalette() : QPalette();
}

QPalette LightDefault() {
    return StandardPaletteOf("Fusion");
}

// The colors GTK's Adwaita:dark gives a Qt program through the GTK platform theme.
QPalette DarkTheme() {
    QPalette dark(QColor(0xf0f0f0), QColor(0x323232), QColor(0x4b4b4b), QColor(0x212121), QColor(0x262626),
                  QColor(0xf0f0f0), QColor(0x4b4b4b), QColor(0x242424), QColor(0x323232));
    dark.setColor(QPalette::Midlight, QColor(0x2a2a2a));
    dark.setColor(QPalette::Shadow, QColor(0x191919));
    dark.setColor(QPalette::AlternateBase, QColor(0x2b2b2b));
    dark.setColor(QPalette::Highlight, QColor(0x308cc6));
    dark.setColor(QPalette::HighlightedText, QColor(0xf0f0f0));
    return dark;
}

// Black window and fields, white text, a cyan highlight.
QPalette HighContrastScheme() {
    QPalette contrast(Qt::white, Qt::black, Qt::white, Qt::gray, Qt::gray, Qt::white, Qt::white, Qt::black,
                      Qt::black);
    contrast.setColor(QPalette::Highlight, Qt::cyan);
    contrast.setColor(QPalette::HighlightedText, Qt::black);
    contrast.setColor(QPalette::PlaceholderText, Qt::lightGray);
    return contrast;
}

QPalette AdwaitaDarkStyle() {
    return StandardPaletteOf("Adwaita-Dark");
}

void PrintTo(const Desktop& desktop, std::ostream* out) {
    *out << desktop.name;
}

struct Background {
    const char* name;
    const char* settings;
};

// The default white page, and a black one, on which the glyphs must turn white.
constexpr Background Backgrounds[] = {{"White", ""}, {"Black", "[Colors]\nBkGr=Black\n"}};

struct Measured {
    std::string name;
    int page;
    Bound bound;
    double contrast;
};

class WindowColorsTest : public WindowTest, public testing::WithParamInterface<Desktop> {
protected:
    // Every element's contrast in the window as it is now, page by page in the order of Elements().
    std::vector<Measured> Measure() {
        std::vector<Measured> measured;
        const std::vector<Element> elements = Elements();
        for (int page = 0; page < 4; ++page) {
            form->tabCtrl->SetCurrentIndex(page);
            QTest::qWait(0);
            const QImage image = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
            for (const Element& element : elements) {
                if (element.page == page)
                    measured.push_back(
                        {element.name, page, element.bound, InkContrast(image, element.box(*form))});
            }
        }
        return measured;
    }

    // The popups are windows of their own: the assignment list and the date box's calendar, open.
    std::vector<Measured> MeasurePopups() {
        std::vector<Measured> measured;
        form->tabCtrl->SetCurrentIndex(1);
        form->cbPlt->showPopup();
        QAbstractItemView* list = form->cbPlt->view();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        QImage image = list->window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        measured.push_back({"assignment list", 1, Bound::Readable,
                            InkContrast(image, BoxOf(list->viewport(), list->window()))});
        const QRect chosen = list->visualRect(list->currentIndex())
                                 .translated(list->viewport()->mapTo(list->window(), QPoint()));
        measured.push_back({"assignment list's chosen row", 1, Bound::Readable, InkContrast(image, chosen)});
        form->cbPlt->hidePopup();

        form->tabCtrl->SetCurrentIndex(0);
        // A click on the drop-down arrow at the box's right end, as a user opens it.
        QTest::mouseClick(form->deDate, Qt::LeftButton, {},
                          QPoint(form->deDate->width() - 6, form->deDate->height() / 2));
        QWidget* calendar = form->deDate->calendarWidget()->window();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(calendar));
        image = calendar->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (const char* part : {"qt_calendar_navigationbar", "qt_calendar_calendarview"}) {
            const QWidget* widget = calendar->findChild<QWidget*>(QLatin1String(part));
            EXPECT_NE(widget, nullptr) << part;
            if (widget)
                measured.push_back({part, 0, Bound::Readable, InkContrast(image, BoxOf(widget, calendar))});
        }
        calendar->hide();
        return measured;
    }
};

constexpr double Readable = 3.0;
// The same drawing under two desktops may differ by Qt's rounding in an antialiased edge.
constexpr double Rounding = 0.05;

void PlayDesktop(const Desktop& desktop) {
    if (desktop.style)
        QApplication::setStyle(QStyleFactory::create(QLatin1String(desktop.style)));
    QApplication::setPalette(desktop.palette());
}

} // namespace

TEST_P(WindowColorsTest, EveryTextAndGlyphStaysReadable) {
    const Desktop& desktop = GetParam();
    if (desktop.style && !QStyleFactory::keys().contains(QLatin1String(desktop.style), Qt::CaseInsensitive))
        GTEST_SKIP() << "the style " << desktop.style << " is not installed (scripts/install-deps test)";

    PlayDesktop({"Light", LightDefault, nullptr});
    OpenWindow();
    const std::vector<Measured> lightLook = Measure();

    for (const Background& background : Backgrounds) {
        SCOPED_TRACE(testing::Message() << background.name << " background");
        // The window makes the application's look its own: the desktop's comes back before each.
        PlayDesktop(desktop);
        ReopenWith(std::string("[Config]\nWorkAssign=Group 3\nShowPaydays=1\n") + background.settings);
        const std::vector<Measured> measured = Measure();
        ASSERT_EQ(measured.size(), lightLook.size());
        for (std::size_t index = 0; index < measured.size(); ++index) {
            const Measured& element = measured[index];
            const double floor =
                element.bound == Bound::Readable ? Readable : lightLook[index].contrast - Rounding;
            EXPECT_GE(element.contrast, floor) << element.name << " on page " << element.page;
        }
    }
    PlayDesktop(desktop);
    OpenWindow();
    for (const Measured& popup : MeasurePopups())
        EXPECT_GE(popup.contrast, Readable) << popup.name;
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowColorsTest,
                         testing::Values(Desktop{"Light", LightDefault, nullptr},
                                         Desktop{"DarkTheme", DarkTheme, nullptr},
                                         Desktop{"HighContrast", HighContrastScheme, nullptr},
                                         Desktop{"AdwaitaDarkStyle", AdwaitaDarkStyle, "Adwaita-Dark"}),
                         [](const testing::TestParamInfo<Desktop>& info) {
                             return std::string(info.param.name);
                         });
