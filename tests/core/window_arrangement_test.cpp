#include "core/pages/window_arrangement.h"

#include <gtest/gtest.h>

using namespace pelto::core;

TEST(WindowArrangement, PreviousAndNextWrapAround)
{
    EXPECT_EQ(NextTabSlot(0, 3), 1);
    EXPECT_EQ(NextTabSlot(2, 3), 0);
    EXPECT_EQ(NextTabSlot(5, 3), 0);  // a slot beyond the last goes to the first
    EXPECT_EQ(PreviousTabSlot(1, 3), 0);
    EXPECT_EQ(PreviousTabSlot(0, 3), 2);
    EXPECT_EQ(PreviousTabSlot(-1, 3), 2);
}

TEST(WindowArrangement, TilesCoverTheAreaWithoutOverlap)
{
    struct Case {
        int count;
        TileMode mode;
    };
    const Case cases[] = {{1, TileMode::Horizontal}, {2, TileMode::Horizontal}, {3, TileMode::Vertical},
                          {5, TileMode::Horizontal}, {7, TileMode::Vertical},  {200, TileMode::Horizontal}};
    for (const Case& c : cases) {
        const std::vector<Rect> tiles = TileBounds(c.count, 1000, 700, c.mode);
        ASSERT_EQ(static_cast<int>(tiles.size()), c.count);
        long long area = 0;
        for (const Rect& r : tiles) {
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.left + r.width, 1000);
            EXPECT_LE(r.top + r.height, 700);
            area += static_cast<long long>(r.width) * r.height;
        }
        EXPECT_EQ(area, 1000LL * 700) << c.count;  // no gap and, with the bounds above, no overlap
    }
    // Two pages tiled horizontally lie one above the other, vertically side by side.
    EXPECT_EQ(TileBounds(2, 1000, 700, TileMode::Horizontal)[1], (Rect {0, 350, 1000, 350}));
    EXPECT_EQ(TileBounds(2, 1000, 700, TileMode::Vertical)[1], (Rect {500, 0, 500, 700}));
    EXPECT_TRUE(TileBounds(0, 1000, 700, TileMode::Vertical).empty());
    EXPECT_TRUE(TileBounds(3, 0, 700, TileMode::Vertical).empty());
}
