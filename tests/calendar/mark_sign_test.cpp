// The look of a mark's sign, which the calendar page and the year sheet share.

#include "calendar/mark_sign.h"

#include <gtest/gtest.h>

namespace {

constexpr TAlphaColor Blue = 0xFF0000FF;
constexpr TAlphaColor Goldenrod = 0xFFDAA520;

TEST(MarkSign, InkIsTheContrastOfTheGroundAndAMisfitIsARingWithTheLetterInInk) {
    const struct {
        TAlphaColor ground;
        bool fits;
        MarkSignLook look;
    } rows[] = {
        {claWhite, true, {claBlack, claWhite, false}},  {claWhite, false, {claBlack, claBlack, true}},
        {Blue, true, {claWhite, claBlack, false}},      {Blue, false, {claWhite, claWhite, true}},
        {Goldenrod, true, {claBlack, claWhite, false}}, {claBlack, false, {claWhite, claWhite, true}},
    };
    for (const auto& row : rows) {
        const MarkSignLook look = MarkSignOn(row.ground, row.fits);
        EXPECT_EQ(look.Ink, row.look.Ink) << std::hex << row.ground;
        EXPECT_EQ(look.LetterColor, row.look.LetterColor) << std::hex << row.ground;
        EXPECT_EQ(look.Ring, row.look.Ring) << std::hex << row.ground;
    }
}

} // namespace
