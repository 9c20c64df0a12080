// The window's composition: every control with its name, placement, stored text, tag and look,
// built page by page in child order (later children are drawn over earlier ones). Nothing here
// raises a handler: the tab control's signals stay blocked while the pages are added.

#include "controls/dock_layout.h"
#include "controls/grid_flow_layout.h"
#include "controls/tag.h"
#include "date_edit_format.h"
#include "main_form.h"
#include "settings/alpha_color.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <optional>
#include <tuple>
#include <type_traits>

namespace {

constexpr int NoBarTag = -2;  // bars painted without a border
constexpr int FooterTag = -1; // the footer, painted with a border
constexpr int CornerTagBase = 100;
constexpr qreal BarHeight = 48;
// Cells from this index on never hold a day of the shown month and let clicks pass.
constexpr int FirstInertCell = 37;
// The legend cells keep their word on one line.
constexpr int FirstLegendCell = 40;

// Where the pictures live in the resource file; the painter picks the scale.
const QString HelpPicture = QStringLiteral(":/pictures/help");
const QString WatermarkPicture = QStringLiteral(":/pictures/sextant");

template <class Control>
Control* Create(QWidget* parent, const char* name, std::optional<int> tag = std::nullopt) {
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    if constexpr (std::is_base_of_v<TTagged, Control>) {
        control->TTagged::SetTag(tag);
    } else if (tag) {
        SetTag(control, tag);
    }
    return control;
}

TDockLayout* DockLayoutOf(QWidget* parent) {
    if (TDockLayout* existing = TDockLayout::Of(parent)) {
        return existing;
    }
    return new TDockLayout(parent);
}

void Dock(QWidget* child, TDock dock, qreal extent = 0, const QMarginsF& margins = {}, qreal storedTop = 0) {
    DockLayoutOf(child->parentWidget())->AddDocked(child, dock, extent, margins, storedTop);
}

void Place(QWidget* child, const QRectF& stored) {
    DockLayoutOf(child->parentWidget())->AddPlaced(child, stored);
}

void SetTransparentForMouse(QWidget* widget) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

// A label that takes only the font family from the theme: its size is the toolkit's default until
// painting sets it.
TLabel* TitleLabel(QWidget* parent, const char* name, const QString& text,
                   std::optional<int> tag = std::nullopt) {
    TLabel* label = Create<TLabel>(parent, name, tag);
    label->SetText(text);
    label->SetTextAlignment(Qt::AlignCenter);
    return label;
}

// A label whose font family, size and style all come from the theme.
TLabel* ThemeLabel(QWidget* parent, const char* name, const QString& text) {
    TLabel* label = Create<TLabel>(parent, name);
    label->SetText(text);
    label->SetFontSize(0);
    return label;
}

void MakeBold(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

TButton* RoleButton(QWidget* parent, const char* name, const QString& text, int tag, ArgbColor color,
                    const QRectF& stored) {
    TButton* button = Create<TButton>(parent, name, tag);
    button->setText(text);
    MakeBold(button);
    button->SetFontColor(color);
    Place(button, stored);
    return button;
}

TSpeedButton* BackButton(QWidget* parent, const char* name, const QMarginsF& margins) {
    TSpeedButton* button = Create<TSpeedButton>(parent, name);
    button->setText(QStringLiteral("Back"));
    button->SetLook(TButtonLook::ArrowLeftTool);
    Dock(button, TDock::Left, BarHeight, margins);
    return button;
}

// The tool bar of the help and about pages: the bar, its rectangle, the product title over it and a
// Back button at its left end.
std::tuple<QWidget*, TRectangle*, TLabel*, TSpeedButton*>
PageToolbar(QWidget* page, const char* bar, const char* rectangle, const char* title, const char* back) {
    auto* toolbar = Create<QWidget>(page, bar);
    Dock(toolbar, TDock::Top, BarHeight);
    auto* fill = Create<TRectangle>(toolbar, rectangle);
    Dock(fill, TDock::Client);
    TLabel* label = TitleLabel(fill, title, QStringLiteral("Varnok®"));
    Dock(label, TDock::Contents);
    return {toolbar, fill, label, BackButton(label, back, QMarginsF(6, 6, 0, 6))};
}

// A small square of the color with a thin border, so that White and Null still show an outline.
QIcon ColorSwatch(TAlphaColor color) {
    QPixmap swatch(16, 16);
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    painter.fillRect(QRect(1, 1, 14, 14), ToQColor(color));
    painter.setPen(Qt::gray);
    painter.drawRect(QRect(1, 1, 13, 13));
    return QIcon(swatch);
}

} // namespace

void TMainForm::BuildComposition() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Varnok® for Tolmere"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(330, 567);
    UpdateSizeLimits();

    tabCtrl = Create<TTabControl>(this, "tabCtrl");
    Dock(tabCtrl, TDock::Client);
    {
        const QSignalBlocker quiet(tabCtrl);
        tabCalendar = Create<QWidget>(nullptr, "tabCalendar");
        tabSettings = Create<QWidget>(nullptr, "tabSettings");
        tabHelp = Create<QWidget>(nullptr, "tabHelp");
        tabAbout = Create<QWidget>(nullptr, "tabAbout");
        tabCtrl->AddPage(tabCalendar, QStringLiteral("&Calendar"));
        tabCtrl->AddPage(tabSettings, QStringLiteral("&Settings"));
        tabCtrl->AddPage(tabHelp, QStringLiteral("&Help"));
        tabCtrl->AddPage(tabAbout, QStringLiteral("&About"));
        BuildCalendarPage();
        BuildSettingsPage();
        BuildHelpPage();
        BuildAboutPage();
        tabCtrl->SetCurrentIndex(3);
    }
    ApplyWindowsView();

    // No control holds the focus at first: the window keeps it, so keys reach the window.
    setFocus(Qt::OtherFocusReason);
}

void TMainForm::BuildCalendarPage() {
    tbCalendar = Create<QWidget>(tabCalendar, "tbCalendar");
    Dock(tbCalendar, TDock::MostTop, BarHeight, {}, 0);
    rectToolbar0 = Create<TRectangle>(tbCalendar, "rectToolbar0", NoBarTag);
    Dock(rectToolbar0, TDock::Client);
    lblToolbar0 = TitleLabel(rectToolbar0, "lblToolbar0", QStringLiteral("Title"), NoBarTag);
    Dock(lblToolbar0, TDock::Contents);

    loMonthName = Create<QWidget>(tabCalendar, "loMonthName", NoBarTag);
    Dock(loMonthName, TDock::MostTop, BarHeight, {}, BarHeight);
    rectMonthName = Create<TRectangle>(loMonthName, "rectMonthName", NoBarTag);
    Dock(rectMonthName, TDock::Client);
    lblMonthName = TitleLabel(rectMonthName, "lblMonthName", QStringLiteral("Month and Year"), NoBarTag);
    Dock(lblMonthName, TDock::Contents);
    bPrev = Create<TButton>(rectMonthName, "bPrev");
    bPrev->setText(QStringLiteral("bPrev"));
    bPrev->SetLook(TButtonLook::ArrowLeftTool);
    Dock(bPrev, TDock::Left, 48, QMarginsF(6, 6, 0, 6));
    bNext = Create<TButton>(rectMonthName, "bNext");
    bNext->setText(QStringLiteral("Button1"));
    bNext->SetLook(TButtonLook::ArrowRightTool);
    Dock(bNext, TDock::Right, 48, QMarginsF(0, 6, 6, 6));
    for (TButton* arrow : {bPrev, bNext}) {
        // Clicking an arrow must not pull the keys away from the window.
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->SetRepeatClick(true);
    }

    loCalendar = Create<QWidget>(tabCalendar, "loCalendar");
    Dock(loCalendar, TDock::Client);
    rectCal = Create<TRectangle>(loCalendar, "rectCal");
    Dock(rectCal, TDock::Client);
    gloCal = Create<QWidget>(rectCal, "gloCal");
    Dock(gloCal, TDock::Client);
    BuildDayGrid();

    loFooter = Create<QWidget>(tabCalendar, "loFooter", FooterTag);
    Dock(loFooter, TDock::Bottom, 45);
    rectFooter = Create<TRectangle>(loFooter, "rectFooter", FooterTag);
    Dock(rectFooter, TDock::Client);
    lblStatus = TitleLabel(rectFooter, "lblStatus", QStringLiteral("Status"), NoBarTag);
    Dock(lblStatus, TDock::Contents);
    bToday = Create<TButton>(rectFooter, "bToday");
    bToday->setText(QStringLiteral("Today"));
    MakeBold(bToday);
    Dock(bToday, TDock::Left, 81, QMarginsF(2, 2, 0, 2));
    deDate = Create<TDateEdit>(rectFooter, "deDate");
    deDate->setDisplayFormat(DateEditDisplayFormat(locale_));
    deDate->SetFirstDayOfWeek(Qt::Sunday);
    deDate->setAlignment(Qt::AlignCenter);
    deDate->setDate(QDate(2023, 9, 22));
    Dock(deDate, TDock::Right, 106, QMarginsF(0, 4, 4, 4));

    loDaysOfWeek = Create<QWidget>(tabCalendar, "loDaysOfWeek");
    Dock(loDaysOfWeek, TDock::Top, 57);
    rectDOW = Create<TRectangle>(loDaysOfWeek, "rectDOW", NoBarTag);
    Dock(rectDOW, TDock::Client);
    gloDOW = Create<QWidget>(rectDOW, "gloDOW", NoBarTag);
    Dock(gloDOW, TDock::Client);
    SetTransparentForMouse(gloDOW);
    auto* header = new TGridFlowLayout(gloDOW, 54, 48);
    static constexpr const char* DayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (std::size_t day = 0; day < lblDOW.size(); ++day) {
        const QByteArray name = "lblDOW" + QByteArray::number(static_cast<int>(day) + 1);
        lblDOW[day] = TitleLabel(gloDOW, name.constData(), QLatin1String(DayNames[day]), NoBarTag);
        header->AddFlowed(lblDOW[day]);
    }
}

void TMainForm::BuildDayGrid() {
    auto* grid = new TGridFlowLayout(gloCal, 54, 54);
    for (int cell = 0; cell < GridCellCount; ++cell) {
        const auto index = static_cast<std::size_t>(cell);
        const QByteArray digits = QByteArray::number(cell).rightJustified(2, '0');
        TRectangle* rectangle = Create<TRectangle>(gloCal, ("gR" + digits).constData(), cell);
        grid->AddFlowed(rectangle);
        if (cell >= FirstInertCell) {
            SetTransparentForMouse(rectangle);
        }
        // The day number and the corner text let clicks through to their cell.
        TTextElement* number = Create<TTextElement>(rectangle, ("gT" + digits).constData(), cell);
        Dock(number, TDock::Client);
        SetTransparentForMouse(number);
        number->SetWordWrap(cell < FirstLegendCell);
        TTextElement* corner =
            Create<TTextElement>(number, ("gX" + digits).constData(), CornerTagBase + cell);
        Dock(corner, TDock::Client, 0, QMarginsF(0, 0, 4, 2));
        SetTransparentForMouse(corner);
        corner->SetTextAlignment(Qt::AlignTrailing | Qt::AlignBottom);
        gR[index] = rectangle;
        gT[index] = number;
        gX[index] = corner;
    }
}

void TMainForm::BuildSettingsPage() {
    tbSettings = Create<QWidget>(tabSettings, "tbSettings");
    Dock(tbSettings, TDock::Top, BarHeight);
    // The shared color picker: hidden, mouse-transparent and out of the tab order; it is shown only
    // while its list is open.
    ccbColor = Create<TComboBox>(tbSettings, "ccbColor");
    Place(ccbColor, QRectF(88, 8, 185, 32));
    ccbColor->setMaxVisibleItems(24);
    ccbColor->setFocusPolicy(Qt::NoFocus);
    SetTransparentForMouse(ccbColor);
    ccbColor->UseListPopup();
    ccbColor->setVisible(false);
    // The swatches are drawn when the list first opens: nobody sees them before.
    // All in one insertion: the list then announces one change, not 148.
    QStringList colorNames;
    colorNames.reserve(qsizetype(NamedColorCount));
    for (const NamedColor& color : NamedColors)
        colorNames.append(QString::fromLatin1(color.Name.substr(NamedColorPrefix.size())));
    ccbColor->addItems(colorNames);
    ccbColor->setCurrentIndex(static_cast<int>(NamedColorCount) - 1);
    rectToolbar1 = Create<TRectangle>(tbSettings, "rectToolbar1");
    Dock(rectToolbar1, TDock::Client);
    lblToolbar1 = TitleLabel(rectToolbar1, "lblToolbar1", QStringLiteral("Varnok®"));
    Dock(lblToolbar1, TDock::Contents);
    sbBack1 = BackButton(lblToolbar1, "sbBack1", QMarginsF(4, 4, 0, 4));
    bSave = Create<TButton>(lblToolbar1, "bSave");
    bSave->setText(QStringLiteral("&Save"));
    MakeBold(bSave);
    Dock(bSave, TDock::Right, 73, QMarginsF(0, 2, 2, 2));

    rectSettings = Create<TRectangle>(tabSettings, "rectSettings");
    Dock(rectSettings, TDock::Client);
    loSettings = Create<QWidget>(rectSettings, "loSettings");
    Dock(loSettings, TDock::Client);
    bBkGr = RoleButton(loSettings, "bBkGr", QStringLiteral("BkGr"), 7, 0xFFA9A9A9, QRectF(89, 175, 65, 41));
    bLdTr =
        RoleButton(loSettings, "bLdTr", QStringLiteral("Ld / Tr"), 6, 0xFFA9A9A9, QRectF(16, 175, 65, 41));
    bMulti = RoleButton(loSettings, "bMulti", QStringLiteral("RDO"), 5, 0xFFDAA520, QRectF(162, 111, 73, 41));
    bOff = RoleButton(loSettings, "bOff", QStringLiteral("Off"), 2, 0xFF808080, QRectF(89, 111, 65, 41));
    bWork = RoleButton(loSettings, "bWork", QStringLiteral("Work"), 1, 0xFF0000FF, QRectF(16, 111, 65, 41));
    cbPlt = Create<TComboBox>(loSettings, "cbPlt");
    cbPlt->addItems({QStringLiteral("TFD"), QStringLiteral("Group 1"), QStringLiteral("Group 2"),
                     QStringLiteral("Group 3"), QStringLiteral("Group 4"), QStringLiteral("Group 5"),
                     QStringLiteral("Group 6"), QStringLiteral("Group 7")});
    cbPlt->setCurrentIndex(-1);
    cbPlt->setMaxVisibleItems(15);
    cbPlt->UseListPopup();
    Place(cbPlt, QRectF(144, 14, 87, 32));
    lblPaydays = ThemeLabel(loSettings, "lblPaydays", QStringLiteral("Paydays"));
    lblPaydays->SetWordWrap(false);
    Place(lblPaydays, QRectF(16, 64, 173, 25));
    lblPlatoon = ThemeLabel(loSettings, "lblPlatoon", QStringLiteral("Assignment"));
    lblPlatoon->SetWordWrap(false);
    Place(lblPlatoon, QRectF(16, 16, 167, 25));
    swPaydays = Create<TSwitch>(loSettings, "swPaydays");
    Place(swPaydays, QRectF(171, 63, 44, 26));
    sbReset = Create<TSpeedButton>(loSettings, "sbReset");
    sbReset->setText(QStringLiteral("sbReset"));
    sbReset->SetLook(TButtonLook::RefreshTool);
    Place(sbReset, QRectF(162, 175, 73, 41));
    edAgency = Create<QLineEdit>(loSettings, "edAgency");
    edAgency->setText(QStringLiteral("Tolmere Fire Department"));
    Place(edAgency, QRectF(16, 249, 231, 33));
    lblAgency = ThemeLabel(loSettings, "lblAgency", QStringLiteral("Agency Name"));
    lblAgency->SetTextAlignment(Qt::AlignLeading | Qt::AlignBottom);
    Place(lblAgency, QRectF(16, 224, 215, 25));
}

void TMainForm::BuildHelpPage() {
    std::tie(tbHelp, rectToolbar2, lblToolbar2, sbBack2) =
        PageToolbar(tabHelp, "tbHelp", "rectToolbar2", "lblToolbar2", "sbBack2");

    rectHelp = Create<TRectangle>(tabHelp, "rectHelp");
    Dock(rectHelp, TDock::Client);
    ImgHelp = Create<TPicture>(rectHelp, "ImgHelp");
    ImgHelp->SetSource(HelpPicture);
    Dock(ImgHelp, TDock::Client, 0, QMarginsF(10, 10, 10, 10));
}

void TMainForm::BuildAboutPage() {
    std::tie(tbAbout, rectToolbar3, lblToolbar3, sbBack3) =
        PageToolbar(tabAbout, "tbAbout", "rectToolbar3", "lblToolbar3", "sbBack3");

    rectAbout = Create<TRectangle>(tabAbout, "rectAbout");
    Dock(rectAbout, TDock::Client);
    imgSextant = Create<TPicture>(rectAbout, "imgSextant");
    imgSextant->SetSource(WatermarkPicture);
    imgSextant->SetOpacity(0.1);
    Dock(imgSextant, TDock::Client);
    loAbout = Create<QWidget>(rectAbout, "loAbout");
    Dock(loAbout, TDock::Client);
    lblAbout = TitleLabel(loAbout, "lblAbout", QStringLiteral("Varnok®"));
    Dock(lblAbout, TDock::Client, 0, QMarginsF(10, 80, 10, 10));
    // The two buttons have no anchors: their centres keep their fractions of the stored 330 x 470.
    TDockLayout* aboutLayout = DockLayoutOf(loAbout);
    aboutLayout->SetDesignSize(QSizeF(330, 470));
    sbEmail = Create<TSpeedButton>(loAbout, "sbEmail");
    sbEmail->setText(QStringLiteral("Tech Support"));
    aboutLayout->AddPlaced(sbEmail, QRectF(19.84, 14, 113, 42), true);
    sbTolmere = Create<TSpeedButton>(loAbout, "sbTolmere");
    sbTolmere->setText(QStringLiteral("Web Page"));
    aboutLayout->AddPlaced(sbTolmere, QRectF(194.32, 14, 113, 42), true);
}

void TMainForm::ApplyWindowsView() {
#ifdef Q_OS_WIN
    // The window background takes the theme's panel look.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    // The size reset stays visible but takes no clicks.
    sbReset->setEnabled(false);
#endif
}

void TMainForm::EnsureColorSwatches() {
    if (!ccbColor->itemIcon(0).isNull())
        return;
    for (std::size_t entry = 0; entry < NamedColors.size(); ++entry)
        ccbColor->setItemIcon(static_cast<int>(entry), ColorSwatch(NamedColors[entry].Value));
}
