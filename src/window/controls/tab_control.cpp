#include "tab_control.h"

#include "dock_layout.h"

#include <QTabBar>

namespace {

// Equal shares of the strip: every tab asks for the same width and the bar's expansion spreads
// what is left evenly.
class TEqualTabBar final : public QTabBar {
public:
    explicit TEqualTabBar(QWidget* parent) : QTabBar(parent) {}

protected:
    QSize tabSizeHint(int) const override {
        return {std::max(1, width() / std::max(1, count())), TTabControl::StripHeight};
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

} // namespace

TTabControl::TTabControl(QWidget* parent) : QWidget(parent), tabBar_(new TEqualTabBar(this)) {
    tabBar_->setObjectName(QStringLiteral("tabCtrlStrip"));
    tabBar_->setFocusPolicy(Qt::NoFocus);
    tabBar_->setExpanding(true);
    tabBar_->setUsesScrollButtons(false);
    tabBar_->setElideMode(Qt::ElideRight);
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
