#include "window/controls/tag.h"

#include <QObject>
#include <gtest/gtest.h>

TEST(Tag, AnObjectWithoutATagIsNotTagZero) {
    QObject untagged;
    QObject zero;
    SetTag(&zero, 0);
    EXPECT_EQ(TagOf(&untagged), std::nullopt);
    EXPECT_EQ(TagOf(&zero), std::optional<int>(0));
}

TEST(Tag, KeepsNegativeAndLargeTagsAndCanBeRemoved) {
    QObject object;
    for (int tag : {-2, -1, 41, 141}) {
        SetTag(&object, tag);
        EXPECT_EQ(TagOf(&object), std::optional<int>(tag));
    }
    SetTag(&object, std::nullopt);
    EXPECT_EQ(TagOf(&object), std::nullopt);
    EXPECT_EQ(TagOf(nullptr), std::nullopt);
}
