#include "tag.h"

#include <QVariant>

namespace {

constexpr const char* TagProperty = "tag";

} // namespace

std::optional<int> TagOf(const QObject* object) {
    if (object == nullptr) {
        return std::nullopt;
    }
    const QVariant value = object->property(TagProperty);
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toInt();
}

void SetTag(QObject* object, std::optional<int> tag) {
    object->setProperty(TagProperty, tag ? QVariant(*tag) : QVariant());
}
