#pragma once
// TTabControl: a tab strip 49 high along the top, its tabs sharing the width equally and showing
// text only (an ampersand marks the mnemonic, whose letter is always underlined), over the page area
// where every page is laid out at all times and only the current one is shown. The strip never takes
// the keyboard focus.
// The captions are never elided: they are drawn whole in the strip's font, and where the widest one
// would not fit its tab (a narrow window), all of them in one smaller size at which it does.
// currentChanged() fires on every change of the current page, whether by the user or by the
// program (block the control's signals while composing to keep it quiet).

#include <QWidget>
#include <vector>

class QTabBar;

class TTabControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int currentIndex READ CurrentIndex WRITE SetCurrentIndex NOTIFY currentChanged)

public:
    static constexpr int StripHeight = 49;

    explicit TTabControl(QWidget* parent = nullptr);

    // Takes ownership of `page`; returns its index.
    int AddPage(QWidget* page, const QString& text);
    int Count() const { return static_cast<int>(pages_.size()); }
    QWidget* Page(int index) const;
    int CurrentIndex() const;
    void SetCurrentIndex(int index);
    QWidget* CurrentPage() const { return Page(CurrentIndex()); }
    QTabBar* TabBar() const { return tabBar_; }
    // The font the captions are drawn in now.
    QFont CaptionFont() const;
    // Where the caption of tab `index` is drawn, in the strip's coordinates; empty for no such tab.
    QRect CaptionRect(int index) const;

signals:
    void currentChanged(int index);

private:
    void ShowPage(int index);

    QTabBar* tabBar_;
    std::vector<QWidget*> pages_;
};
