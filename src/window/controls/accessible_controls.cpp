#include "accessible_controls.h"

#include "rectangle.h"
#include "tag.h"
#include "text_control.h"

#include <QAccessibleWidget>
#include <mutex>

namespace {

constexpr const char* SelectedProperty = "accessibleSelected";

// Only rectangles have this interface.
bool IsDayCell(const QWidget* rectangle) {
    const std::optional<int> tag = static_cast<const TRectangle*>(rectangle)->Tag();
    return tag && *tag >= 0 && *tag < 42;
}

class AccessibleRectangle : public QAccessibleWidget {
public:
    explicit AccessibleRectangle(QWidget* widget)
        : QAccessibleWidget(widget, IsDayCell(widget) ? QAccessible::Cell : QAccessible::Pane) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (IsDayCell(widget())) {
            state.selectable = !widget()->testAttribute(Qt::WA_TransparentForMouseEvents);
            state.selected = widget()->property(SelectedProperty).toBool();
        }
        return state;
    }

    // A day cell is read as one thing: its name already says the day and the duty.
    int childCount() const override { return IsDayCell(widget()) ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        return IsDayCell(widget()) ? nullptr : QAccessibleWidget::child(index);
    }
};

class AccessibleText : public QAccessibleWidget {
public:
    explicit AccessibleText(QWidget* widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const TTextControl*>(widget())->DisplayText();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* CreateInterface(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("TRectangle"))
        return new AccessibleRectangle(widget);
    if (className == QLatin1String("TTextControl"))
        return new AccessibleText(widget);
    return nullptr;
}

} // namespace

void InstallAccessibleControls() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(CreateInterface); });
}

void SetAccessibleSelected(QWidget* cell, bool selected) {
    if (cell->property(SelectedProperty).toBool() == selected)
        return;
    cell->setProperty(SelectedProperty, selected);
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(cell, changed);
    QAccessible::updateAccessibility(&event);
}
