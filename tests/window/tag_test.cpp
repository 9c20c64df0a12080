#include "window/controls/rectangle.h"
#include "window/controls/tag.h"

#include <QObject>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A plain object keeps its tag in a property, a control of the window's own in a member: both
// behave alike.
struct Carrier {
    const char* name;
    std::unique_ptr<QObject> (*make)();
};

const Carrier Carriers[] = {
    {"QObject", [] { return std::make_unique<QObject>(); }},
    {"TRectangle", []() -> std::unique_ptr<QObject> { return std::make_unique<TRectangle>(); }},
};

} // namespace

TEST(Tag, AnObjectWithoutATagIsNotTagZero) {
    for (const Carrier& carrier : Carriers) {
        SCOPED_TRACE(carrier.name);
        const auto untagged = carrier.make();
        const auto zero = carrier.make();
        SetTag(zero.get(), 0);
        EXPECT_EQ(TagOf(untagged.get()), std::nullopt);
        EXPECT_EQ(TagOf(zero.get()), std::optional<int>(0));
    }
}

TEST(Tag, KeepsNegativeAndLargeTagsAndCanBeRemoved) {
    for (const Carrier& carrier : Carriers) {
        SCOPED_TRACE(carrier.name);
        const auto object = carrier.make();
        for (int tag : {-2, -1, 41, 141}) {
            SetTag(object.get(), tag);
            EXPECT_EQ(TagOf(object.get()), std::optional<int>(tag));
        }
        SetTag(object.get(), std::nullopt);
        EXPECT_EQ(TagOf(object.get()), std::nullopt);
    }
    EXPECT_EQ(TagOf(nullptr), std::nullopt);
}

TEST(Tag, AControlOfOurOwnKeepsItsTagOutOfTheProperties) {
    TRectangle cell;
    SetTag(&cell, 5);
    EXPECT_EQ(cell.Tag(), std::optional<int>(5));
    EXPECT_FALSE(cell.property("tag").isValid());
}
