#include "tab_control.h"

#include "dock_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTab>
#include <QTabBar>
#include <algorithm>
#include <limits>

namespace {

// The space a caption keeps free at each side of its tab. The style's own padding (12 at each side
// in the common styles) leaves a tab of a narrow window too little room for "Settings".
constexpr int CaptionPadding = 3;
constexpr int CaptionFlags = Qt::AlignCenter | Qt::TextShowMnemonic;

// Equal shares of the strip: every tab asks for the same width and the bar's expansion spreads
// what is left evenly. The style draws the tabs' shapes; the captions are drawn here, so that they
// can be fitted to the tabs instead of elided.
class TEqualTabBar final : public QTabBar {
public:
    explicit TEqualTabBar(QWidget* parent) : QTabBar(parent) {}

    QRect CaptionRect(int index) const {
        if (index < 0 || index >= count())
            return {};
        QStyleOptionTab option;
        QTabBar::initStyleOption(&option, index);
        // The style places the text vertically (the current tab's caption sits a little higher);
        // the width is the tab's, less a small padding.
        const QRect styled = style()->subElementRect(QStyle::SE_TabBarTabText, &option, this);
        QRect caption = tabRect(index).adjusted(CaptionPadding, 0, -CaptionPadding, 0);
        // Centred where the style centres it, within the tab.
        const int shift = styled.center().y() - caption.center().y();
        if (shift > 0)
            caption.setTop(caption.top() + 2 * shift);
        else
            caption.setBottom(caption.bottom() + 2 * shift);
        return caption;
    }

    QFont CaptionFont() const {
        QFont fitted = font();
        qreal room = std::numeric_limits<qreal>::max();
        for (int index = 0; index < count(); ++index)
            room = std::min(room, qreal(CaptionRect(index).width()));
        if (count() == 0 || room <= 0)
            return fitted;
        const bool points = fitted.pointSizeF() > 0;
        qreal size = points ? fitted.pointSizeF() : fitted.pixelSize();
        // Glyph advances are rounded at small sizes, so the width is not quite proportional to the
        // size: a few shrinking steps settle it.
        for (int step = 0; step < 6; ++step) {
            const QFontMetricsF metrics(fitted);
            qreal widest = 0;
            for (int index = 0; index < count(); ++index)
                widest = std::max(widest, metrics.size(CaptionFlags, tabText(index)).width());
            if (widest <= room)
                break;
            size *= 0.98 * room / widest;
            if (points)
                fitted.setPointSizeF(size);
            else
                fitted.setPixelSize(std::max(1, int(size)));
        }
        return fitted;
    }

protected:
    QSize tabSizeHint(int) const override {
        return {std::max(1, width() / std::max(1, count())), TTabControl::StripHeight};
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    void initStyleOption(QStyleOptionTab* option, int index) const override {
        QTabBar::initStyleOption(option, index);
        option->text.clear();
    }

    void paintEvent(QPaintEvent* event) override {
        QTabBar::paintEvent(event);
        QPainter painter(this);
        painter.setFont(CaptionFont());
        for (int index = 0; index < count(); ++index) {
            // The mnemonic letter is underlined whatever the style's habit, so Alt is never needed
            // to find it.
            style()->drawItemText(&painter, CaptionRect(index), CaptionFlags, palette(), isTabEnabled(index),
                                  tabText(index), QPalette::WindowText);
        }
    }
};

} // namespace

TTabControl::TTabControl(QWidget* parent) : QWidget(parent), tabBar_(new TEqualTabBar(this)) {
    tabBar_->setObjectName(QStringLiteral("tabCtrlStrip"));
    tabBar_->setFocusPolicy(Qt::NoFocus);
    tabBar_->setExpanding(true);
    tabBar_->setUsesScrollButtons(false);
    tabBar_->setElideMode(Qt::ElideNone);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new TDockLayout(this);
    layout->AddDocked(tabBar_, TDock::MostTop, StripHeight);
    connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) {
        ShowPage(index);
        emit currentChanged(index);
    });
}

int TTabControl::AddPage(QWidget* page, const QString& text) {
    page->setParent(this);
    pages_.push_back(page);
    TDockLayout::Of(this)->AddDocked(page, TDock::Client);
    page->setVisible(false);
    const int index = tabBar_->addTab(text);
    ShowPage(tabBar_->currentIndex());
    return index;
}

QWidget* TTabControl::Page(int index) const {
    return index >= 0 && index < Count() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

int TTabControl::CurrentIndex() const {
    return tabBar_->currentIndex();
}

void TTabControl::SetCurrentIndex(int index) {
    tabBar_->setCurrentIndex(index);
}

void TTabControl::ShowPage(int index) {
    for (int i = 0; i < Count(); ++i) {
        pages_[static_cast<std::size_t>(i)]->setVisible(i == index);
    }
}

QFont TTabControl::CaptionFont() const {
    return static_cast<const TEqualTabBar*>(tabBar_)->CaptionFont();
}

QRect TTabControl::CaptionRect(int index) const {
    return static_cast<const TEqualTabBar*>(tabBar_)->CaptionRect(index);
}
