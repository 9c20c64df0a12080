#pragma once
// TButton: a push button with one font color per state (normal, hot = pointer over it, pressed,
// focused) and a look. The Push look is the style's push button showing its text; the tool looks
// draw a flat tool button with a glyph only (left arrow, right arrow, circular refresh arrow) and
// never show the stored text. A tool look has no face: its glyph lies on whatever is behind the
// button, in the font color, and pointing at it or pressing it adds only an outline in that color,
// so the ground under the glyph never changes; disabled, the glyph is faint. Until a font color is
// set the palette's button text color is used.
// Navigation keys (arrows, Page Up/Down, Home, End) are left to the window even while the button
// holds the focus.
// Repeat-click (off until set): a left press starts a 500 ms delay, then clicked() is raised every
// 100 ms for as long as the press lasts, wherever the pointer moves in the meantime. The release
// ends it; released over the button, the ordinary click follows, released elsewhere nothing does.
//
// TSpeedButton: a TButton that never takes the keyboard focus.

#include "argb_color.h"
#include "tag.h"

#include <QPushButton>
#include <array>

class QPainter;
class QTimer;

enum class TButtonLook { Push, ArrowLeftTool, ArrowRightTool, RefreshTool };
enum class TButtonState { Normal, Hot, Pressed, Focused };

class TButton : public QPushButton, public TTagged {
    Q_OBJECT

public:
    static constexpr int RepeatDelayMs = 500;
    static constexpr int RepeatIntervalMs = 100;

    explicit TButton(QWidget* parent = nullptr);

    bool RepeatClick() const { return repeatClick_; }
    void SetRepeatClick(bool on);
    // True from a press with repeat-click on until its release.
    bool Held() const { return held_; }

    TButtonLook Look() const { return look_; }
    void SetLook(TButtonLook look);

    ArgbColor FontColorForState(TButtonState state) const;
    void SetFontColorForState(TButtonState state, ArgbColor color);
    // Sets the color of all four states.
    void SetFontColor(ArgbColor color);
    // The state the button is drawn in now, and its font color.
    TButtonState CurrentState() const;
    ArgbColor CurrentFontColor() const { return FontColorForState(CurrentState()); }

signals:
    void lookChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    // The tool looks' arrow or refresh sign in `color`, centred in `area`.
    void DrawGlyph(QPainter& painter, const QRectF& area, const QColor& color) const;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    void RepeatTick();
    void StopRepeat();

    // Named "repeatTimer": its first timeout ends the delay, every later one raises a click.
    QTimer* repeatTimer_;
    bool repeatClick_ = false;
    bool held_ = false;
    bool repeating_ = false;
    TButtonLook look_ = TButtonLook::Push;
    std::array<ArgbColor, 4> fontColors_{};
    bool ownFontColors_ = false;
};

class TSpeedButton : public TButton {
    Q_OBJECT

public:
    explicit TSpeedButton(QWidget* parent = nullptr);
};
