#pragma once
// A control's tag: an optional integer that painters and shared handlers read to tell controls
// apart. A control without a tag reports std::nullopt, which is not the same as tag 0. Any QObject
// can carry one: the window's own controls (those that derive from TTagged) keep it in a member,
// any other object in the dynamic property "tag".

#include <QObject>
#include <optional>

// The tag's place in a control of our own. Painting reads the tags of every cell on each refresh,
// and a property looked up by name costs a search through all of the widget's properties.
class TTagged {
public:
    std::optional<int> Tag() const { return tag_; }
    void SetTag(std::optional<int> tag) { tag_ = tag; }

protected:
    ~TTagged() = default;

private:
    std::optional<int> tag_;
};

std::optional<int> TagOf(const QObject* object);

// std::nullopt removes the tag.
void SetTag(QObject* object, std::optional<int> tag);
