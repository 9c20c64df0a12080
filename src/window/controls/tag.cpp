#include "tag.h"

#include <QVariant>

namespace {

constexpr const char* TagProperty = "tag";

} // namespace

std::optional<int> TagOf(const QObject* object) {
    if (object == nullptr) {
        return std::nullopt;
    }
    if (const auto* tagged = dynamic_cast<const TTagged*>(object)) {
        return tagged->Tag();
    }
    const QVariant value = object->property(TagProperty);
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toInt();
}

void SetTag(QObject* object, std::optional<int> tag) {
    if (auto* tagged = dynamic_cast<TTagged*>(object)) {
        tagged->SetTag(tag);
        return;
    }
    object->setProperty(TagProperty, tag ? QVariant(*tag) : QVariant());
}
