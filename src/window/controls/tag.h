#pragma once
// A control's tag: an optional integer that painters and shared handlers read to tell controls
// apart. A control without a tag reports std::nullopt, which is not the same as tag 0. Any QObject
// can carry one; it is kept in the dynamic property "tag".

#include <QObject>
#include <optional>

std::optional<int> TagOf(const QObject* object);

// std::nullopt removes the tag.
void SetTag(QObject* object, std::optional<int> tag);
