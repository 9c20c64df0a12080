#include "accessible_controls.h"

#include "rectangle.h"
#include "tag.h"
#include "text_control.h"

#include <QAccessibleWidget>
#include <mutex>

namespace {

// The tag of a day cell, or none for any other rectangle. Only rectangles have this interface.
std::optional<int> DayCellOf(const QWidget* rectangle) {
    const std::optional<int> tag = static_cast<const TRectangle*>(rectangle)->Tag();
    return tag && *tag >= 0 && *tag < 42 ? tag : std::nullopt;
}

class AccessibleRectangle : public QAccessibleWidget {
public:
    explicit AccessibleRectangle(QWidget* widget)
        : QAccessibleWidget(widget, DayCellOf(widget) ? QAccessible::Cell : QAccessible::Pane) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            const std::optional<int> cell = DayCellOf(widget());
            if (const TDayCellDescriber* describer = Describer(); cell && describer)
                return describer->DayCellName(*cell);
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (const std::optional<int> cell = DayCellOf(widget())) {
            state.selectable = !widget()->testAttribute(Qt::WA_TransparentForMouseEvents);
            const TDayCellDescriber* describer = Describer();
            state.selected = describer && describer->DayCellSelected(*cell);
        }
        return state;
    }

    // A day cell is read as one thing: its name already says the day and the duty.
    int childCount() const override { return DayCellOf(widget()) ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        return DayCellOf(widget()) ? nullptr : QAccessibleWidget::child(index);
    }

private:
    const TDayCellDescriber* Describer() const {
        return dynamic_cast<const TDayCellDescriber*>(widget()->window());
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

void NotifyDayCellChanged(QWidget* cell, bool name, bool selection) {
    // Qt hands events on only while assistive technology listens; building them costs all the same.
    if (!QAccessible::isActive())
        return;
    if (name) {
        QAccessibleEvent event(cell, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (selection) {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(cell, changed);
        QAccessible::updateAccessibility(&event);
    }
}
