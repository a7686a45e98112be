// Scaling of fonts and layouts for the display's resolution.
#include "framework/dpi_scale.h"

#include <gtest/gtest.h>

namespace framework {
namespace {

TEST(DpiScale, FontHeightRoundsHalvesAwayFromZeroAsMulDivDoes) {
    struct Case {
        int dpi;
        int expected;
    };
    for (const Case& c : {Case{96, -11}, Case{120, -14}, Case{144, -17}, Case{192, -22}, Case{72, -8}}) {
        EXPECT_EQ(FontHeightForDpi(-11, c.dpi), c.expected) << c.dpi;
    }
    EXPECT_EQ(MulDivRound(11, 144, 96), 17);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
}

TEST(DpiScale, LayoutScaleKeepsTouchingEdgesTogether) {
    const LayoutScale same(13);
    EXPECT_TRUE(same.IsIdentity());
    EXPECT_EQ(same(441), 441);

    const LayoutScale larger(21);  // Tahoma -17 at 144 dpi
    EXPECT_FALSE(larger.IsIdentity());
    EXPECT_EQ(larger(8), 13);
    EXPECT_EQ(larger.Extent(8, 441), larger(449) - larger(8));
    // A group box that ends where the next begins still ends there once scaled.
    EXPECT_EQ(larger(8) + larger.Extent(8, 169), larger(177));
    // A font that cannot be measured leaves the layout as drawn.
    EXPECT_TRUE(LayoutScale(0).IsIdentity());
}

}  // namespace
}  // namespace framework
