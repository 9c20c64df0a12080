#include "schedule/date_serial.h"
#include "window/controls/dock_layout.h"
#include "window/controls/tag.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using MainFormTest = WindowTest;

QString CellName(const char* family, int cell) {
    return QLatin1String(family) + QStringLiteral("%1").arg(cell, 2, 10, QLatin1Char('0'));
}

} // namespace

TEST_F(MainFormTest, OpensWithItsCaptionOnToday) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Varnok® for Tolmere"));
    EXPECT_TRUE(form->isVisible());
    // A first start takes the default outer size, frame included.
    EXPECT_EQ(form->frameGeometry().size(), QSize(360, 567));
    EXPECT_EQ(form->State().CurrentDate, DateSerial(2023, 9, 22));
    EXPECT_EQ(form->State().GridDates[0], DateSerial(2023, 8, 27));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(MainFormTest, FourPagesInTabOrderWithMnemonics) {
    ASSERT_EQ(form->tabCtrl->Count(), 4);
    const char* pages[] = {"tabCalendar", "tabSettings", "tabHelp", "tabAbout"};
    const char* captions[] = {"&Calendar", "&Settings", "&Help", "&About"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(form->tabCtrl->Page(i)->objectName(), QLatin1String(pages[i]));
        EXPECT_EQ(form->tabCtrl->TabBar()->tabText(i), QLatin1String(captions[i]));
    }
    // Start-up brings the Calendar page to the front; the strip is 49 high with four equal tabs.
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 0);
    EXPECT_EQ(form->tabCtrl->TabBar()->height(), 49);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(form->tabCtrl->TabBar()->tabRect(i).width(), form->width() / 4.0, 1.0);
    }
    EXPECT_EQ(form->tabAbout->geometry(), QRect(0, 49, form->width(), form->height() - 49));
    EXPECT_EQ(form->tabCalendar->size(), form->tabAbout->size());
}

TEST_F(MainFormTest, PageChangesSignalAlsoWhenTheProgramSetsThem) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QSignalSpy changes(form->tabCtrl, &TTabControl::currentChanged);
    form->tabCtrl->SetCurrentIndex(3);
    form->tabCtrl->SetCurrentIndex(3);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 3);
    EXPECT_TRUE(form->tabAbout->isVisible());
    EXPECT_FALSE(form->tabCalendar->isVisible());
    QTest::keyClick(form->windowHandle(), Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 2);
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(MainFormTest, TagsFollowTheSharedScheme) {
    struct Expected {
        const char* name;
        std::optional<int> tag;
    };
    const Expected table[] = {
        {"rectToolbar0", -2}, {"lblToolbar0", -2},  {"loMonthName", -2},  {"rectMonthName", -2},
        {"lblMonthName", -2}, {"rectDOW", -2},      {"gloDOW", -2},       {"lblDOW1", -2},
        {"lblDOW7", -2},      {"lblStatus", -2},    {"loFooter", -1},     {"rectFooter", -1},
        {"bWork", 1},         {"bOff", 2},          {"bMulti", 5},        {"bLdTr", 6},
        {"bBkGr", 7},         {"tbCalendar", {}},   {"loCalendar", {}},   {"rectCal", {}},
        {"gloCal", {}},       {"loDaysOfWeek", {}}, {"bToday", {}},       {"deDate", {}},
        {"ccbColor", {}},     {"rectSettings", {}}, {"rectToolbar1", {}}, {"rectHelp", {}},
        {"rectAbout", {}},    {"bSave", {}},        {"cbPlt", {}},        {"tabCalendar", {}},
    };
    for (const Expected& row : table) {
        const QWidget* control = Find(QLatin1String(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(TagOf(control), row.tag) << row.name;
    }
    for (int cell = 0; cell < GridCellCount; ++cell) {
        const auto index = static_cast<std::size_t>(cell);
        EXPECT_EQ(form->gR[index], Find(CellName("gR", cell)));
        EXPECT_EQ(form->gT[index], Find(CellName("gT", cell)));
        EXPECT_EQ(form->gX[index], Find(CellName("gX", cell)));
        EXPECT_EQ(TagOf(form->gR[index]), cell);
        EXPECT_EQ(TagOf(form->gT[index]), cell);
        EXPECT_EQ(TagOf(form->gX[index]), 100 + cell);
        EXPECT_EQ(form->gT[index]->parentWidget(), form->gR[index]);
        EXPECT_EQ(form->gX[index]->parentWidget(), form->gT[index]);
        EXPECT_EQ(form->gT[index]->WordWrap(), cell < 40) << cell;
    }
    // Every cell of the grid is its child, in order.
    EXPECT_EQ(form->gloCal->findChildren<TRectangle*>(Qt::FindDirectChildrenOnly).size(), GridCellCount);
}

TEST_F(MainFormTest, StoredTexts) {
    struct Expected {
        const char* name;
        const char* text;
    };
    // The texts that no painter or start-up step replaces.
    const Expected labels[] = {
        {"lblToolbar1", "Varnok®"}, {"lblToolbar2", "Varnok®"},   {"lblToolbar3", "Varnok®"},
        {"lblPaydays", "Paydays"},  {"lblPlatoon", "Assignment"}, {"lblAgency", "Agency Name"},
    };
    for (const Expected& row : labels) {
        const auto* label = Find<TLabel>(QString::fromUtf8(row.name));
        ASSERT_NE(label, nullptr) << row.name;
        EXPECT_EQ(label->Text(), QString::fromUtf8(row.text)) << row.name;
    }
    const Expected buttons[] = {
        {"bToday", "Today"}, {"bSave", "&Save"},          {"bWork", "Work"},
        {"bOff", "Off"},     {"bMulti", "RDO"},           {"bLdTr", "Ld / Tr"},
        {"bBkGr", "BkGr"},   {"sbEmail", "Tech Support"}, {"sbTolmere", "Web Page"},
    };
    for (const Expected& row : buttons) {
        const auto* button = Find<TButton>(QLatin1String(row.name));
        ASSERT_NE(button, nullptr) << row.name;
        EXPECT_EQ(button->text(), QLatin1String(row.text)) << row.name;
    }
    EXPECT_TRUE(form->bSave->font().bold());
}

TEST_F(MainFormTest, ListsSwitchAndDateEdit) {
    ASSERT_EQ(form->cbPlt->count(), 8);
    EXPECT_EQ(form->cbPlt->itemText(0), QStringLiteral("TFD"));
    EXPECT_EQ(form->cbPlt->itemText(7), QStringLiteral("Group 7"));
    EXPECT_EQ(form->cbPlt->maxVisibleItems(), 15);

    EXPECT_FALSE(form->ccbColor->isVisible());
    EXPECT_EQ(form->ccbColor->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(form->ccbColor->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(form->ccbColor->maxVisibleItems(), 24);
    ASSERT_EQ(form->ccbColor->count(), 148);
    EXPECT_EQ(form->ccbColor->itemText(0), QStringLiteral("Aliceblue"));
    EXPECT_EQ(form->ccbColor->itemText(147), QStringLiteral("Null"));
    // Each entry shows a swatch once the list opens.
    form->tabCtrl->SetCurrentIndex(1);
    ClickAt(form->bWork, form->bWork->rect().center());
    EXPECT_FALSE(form->ccbColor->itemIcon(9).isNull());
    EXPECT_FALSE(form->ccbColor->itemIcon(147).isNull());
    form->ccbColor->hidePopup();
    QCoreApplication::processEvents();

    EXPECT_TRUE(form->swPaydays->isCheckable());
    EXPECT_FALSE(form->swPaydays->isChecked());

    EXPECT_EQ(form->deDate->displayFormat(), QStringLiteral("MM/dd/yy"));
    EXPECT_TRUE(form->deDate->calendarPopup());
    EXPECT_EQ(form->deDate->FirstDayOfWeek(), Qt::Sunday);
    form->deDate->PreparePicker();
    EXPECT_EQ(form->deDate->calendarWidget()->firstDayOfWeek(), Qt::Sunday);
#ifndef Q_OS_WIN
    EXPECT_TRUE(form->sbReset->isEnabled());
#endif
}

TEST_F(MainFormTest, NoControlHasTheFocusAndKeysReachTheWindow) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QWidget* focused = QApplication::focusWidget();
    EXPECT_TRUE(focused == nullptr || focused == form.get()) << focused->objectName().toStdString();

    // The calendar page brings the date edit and the Today button on screen; still no focus moves.
    form->tabCtrl->SetCurrentIndex(0);
    int keysAtWindow = 0;
    struct Counter : QObject {
        QObject* window;
        int* count;
        Counter(QObject* w, int* c) : window(w), count(c) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (watched == window && event->type() == QEvent::KeyPress) {
                ++*count;
            }
            return false;
        }
    } counter(form.get(), &keysAtWindow);
    form->installEventFilter(&counter);
    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Down, Qt::Key_Home}) {
        QTest::keyClick(form->windowHandle(), key);
    }
    EXPECT_EQ(keysAtWindow, 4);
    focused = QApplication::focusWidget();
    EXPECT_TRUE(focused == nullptr || focused == form.get());

    // The arrows and the speed buttons never take the focus, even when clicked.
    for (QWidget* button :
         std::initializer_list<QWidget*>{form->bPrev, form->bNext, form->sbBack1, form->sbBack2,
                                         form->sbBack3, form->sbReset, form->sbEmail, form->sbTolmere}) {
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->objectName().toStdString();
    }
    ClickAt(form->bNext, form->bNext->rect().center());
    focused = QApplication::focusWidget();
    EXPECT_TRUE(focused == nullptr || focused == form.get());
}

TEST_F(MainFormTest, DayCellsOneToThirtySixTakeClicksThroughTheirTexts) {
    form->tabCtrl->SetCurrentIndex(0);
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TRectangle* cell : form->gR) {
        spies.push_back(std::make_unique<QSignalSpy>(cell, &TRectangle::clicked));
    }
    auto clickedCells = [&] {
        std::vector<int> cells;
        for (std::size_t i = 0; i < spies.size(); ++i) {
            if (!spies[i]->isEmpty()) {
                cells.push_back(static_cast<int>(i));
            }
            spies[i]->clear();
        }
        return cells;
    };

    // The middle of cell 05 lies on its number and its corner text.
    ClickAt(form->gT[5], form->gT[5]->rect().center());
    EXPECT_EQ(clickedCells(), std::vector<int>{5});
    // The corner text's bottom right.
    const QRect corner = form->gX[12]->rect();
    ClickAt(form->gX[12], corner.bottomRight() - QPoint(1, 1));
    EXPECT_EQ(clickedCells(), std::vector<int>{12});
    ClickAt(form->gR[36], form->gR[36]->rect().center());
    EXPECT_EQ(clickedCells(), std::vector<int>{36});
    for (int inert : {37, 38, 40, 41}) {
        const auto index = static_cast<std::size_t>(inert);
        ClickAt(form->gR[index], form->gR[index]->rect().center());
        EXPECT_EQ(clickedCells(), std::vector<int>{}) << inert;
    }
}

TEST_F(MainFormTest, AboutButtonsKeepTheirCentreFractions) {
    form->resize(200, 400);
    for (const auto& [button, fraction] :
         {std::pair{form->sbEmail, 76.34 / 330}, std::pair{form->sbTolmere, 250.82 / 330}}) {
        const QRectF placed = TDockLayout::Of(form->loAbout)->ExactGeometry(button);
        EXPECT_EQ(placed.size(), QSizeF(113, 42));
        EXPECT_NEAR(placed.center().x(), fraction * ExactSizeOf(form->loAbout).width(), 1e-6);
        EXPECT_NEAR(placed.center().y(), 35.0 / 470 * ExactSizeOf(form->loAbout).height(), 1e-6);
    }
}
