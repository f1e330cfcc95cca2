#include "core/pages/tab_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace pelto::core;

namespace {

std::vector<int> afterDrop(int count, int source, int dropSlot)
{
    std::vector<int> slots;
    for (int slot = 0; slot < count; ++slot)
        slots.push_back(SlotAfterDrop(slot, source, dropSlot));
    return slots;
}

}  // namespace

TEST(TabLayout, MeasuresForWidthAndCount)
{
    struct Case {
        const char* name;
        int width;
        int count;
        int tabsPerRow;
        int tabWidth;
        int rows;
        int height;
        Rect last;  // bounds of the last slot
    };
    const Case cases[] = {
        {"first tab", 800, 1, 1, 160, 1, 22, {1, 0, 160, 22}},
        {"one row at full width", 800, 4, 4, 160, 1, 22, {484, 0, 160, 22}},
        {"one row, narrower", 800, 6, 6, 132, 1, 22, {666, 0, 132, 22}},
        {"160-wide tabs that exactly fill the row", 646, 4, 4, 160, 1, 22, {484, 0, 160, 22}},
        {"a row of 60-wide tabs exactly full", 794, 13, 13, 60, 1, 22, {733, 0, 60, 22}},
        {"two rows of 60", 800, 20, 13, 60, 2, 45, {367, 23, 60, 22}},
        {"two rows sharing the spare width", 1000, 20, 16, 61, 2, 45, {187, 23, 61, 22}},
        {"one tab per row", 62, 3, 1, 60, 3, 68, {1, 46, 60, 22}},
        {"a thousand tabs", 1000, 1000, 16, 61, 63, 1448, {435, 1426, 61, 22}},
        {"narrower than one tab", 61, 2, 0, 60, 1, -1, {}},
        {"no width", 0, 1, 0, 60, 1, -1, {}},
        {"no tabs", 800, 0, 0, 0, 0, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TabLayout layout = LayoutTabs(c.width, c.count);
        EXPECT_EQ(layout.tabsPerRow, c.tabsPerRow);
        EXPECT_EQ(layout.tabWidth, c.tabWidth);
        EXPECT_EQ(layout.rows, c.rows);
        EXPECT_EQ(layout.height, c.height);
        if (c.tabsPerRow == 0) {
            EXPECT_TRUE(layout.tabs.empty());
            continue;
        }
        ASSERT_EQ(static_cast<int>(layout.tabs.size()), c.count);
        EXPECT_EQ(layout.tabs.back(), c.last);
    }
}

TEST(TabLayout, TabsStayInsideTheMarginsWithoutOverlapAndFillRowsInSlotOrder)
{
    for (int width = 0; width <= 1300; width += 7) {
        for (int count = 1; count <= 45; ++count) {
            const TabLayout layout = LayoutTabs(width, count);
            if (layout.tabsPerRow == 0) {
                EXPECT_LT(width, 2 * kTabBarMargin + kMinimumTabWidth) << width;
                continue;
            }
            for (int slot = 0; slot < count; ++slot) {
                const Rect& tab = layout.tabs[static_cast<size_t>(slot)];
                SCOPED_TRACE(testing::Message() << width << " wide, " << count << " tabs, slot " << slot);
                EXPECT_GE(tab.width, kMinimumTabWidth);
                EXPECT_LE(tab.width, kPreferredTabWidth);
                EXPECT_GE(tab.left, kTabBarMargin);
                // A bar too narrow for one 60-wide tab and its margins still shows it, cut.
                if (width >= kMinimumTabWidth + 2 * kTabBarMargin) {
                    EXPECT_LE(tab.left + tab.width, width - kTabBarMargin);
                }
                EXPECT_LE(tab.top + tab.height, layout.height);
                if (slot > 0) {
                    const Rect& before = layout.tabs[static_cast<size_t>(slot - 1)];
                    const bool sameRow = before.top == tab.top;
                    EXPECT_TRUE(sameRow ? before.left + before.width + kTabGap == tab.left
                                        : tab.top == before.top + kTabHeight + kRowGap && tab.left == kTabBarMargin);
                }
            }
            EXPECT_EQ(layout.tabs.back().top + kTabHeight, layout.height);
        }
    }
}

TEST(TabLayout, RenumberingClosesGapsAndKeepsTheOrder)
{
    EXPECT_EQ(RenumberSlots({0, 2}), (std::vector<int> {0, 1}));  // the second of three closed
    EXPECT_EQ(RenumberSlots({4, 0, 9, 2}), (std::vector<int> {2, 0, 3, 1}));
    EXPECT_EQ(RenumberSlots({1, 1, 0}), (std::vector<int> {1, 2, 0}));
    EXPECT_TRUE(RenumberSlots({}).empty());
}

TEST(TabLayout, DropMarkerFollowsTheMouseAndStopsAfterTheLastTab)
{
    // 20 tabs on 800: 13 a row, 60 wide, a second row of 7.
    const TabLayout layout = LayoutTabs(800, 20);
    struct Case {
        int x;
        int y;
        TabDropMarker marker;
        int dropSlot;
    };
    const Case cases[] = {
        {1, 5, {true, 0, 0, 0, 0}, 0},
        {31, 5, {true, 0, 0, 0, 0}, 0},      // the left half of the first tab
        {32, 5, {true, 1, 0, 61, 0}, 1},     // past its middle
        {0, -4, {true, 0, 0, 0, 0}, 0},      // above and left of the tabs
        {799, 5, {true, 13, 0, 793, 0}, 13}, // after the first row's last tab
        {799, 30, {true, 7, 1, 427, 23}, 20},// the partly filled row ends after its last tab
        {100, 500, {true, 2, 1, 122, 23}, 15},// below the bar counts as the last row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const TabDropMarker marker = DropMarkerAt(layout, c.x, c.y);
        EXPECT_EQ(marker, c.marker);
        EXPECT_EQ(DropSlot(layout, marker), c.dropSlot);
    }
    // A full last row ends after its last tab too.
    EXPECT_EQ(DropMarkerAt(LayoutTabs(800, 26), 799, 30).column, 13);
    EXPECT_FALSE(DropMarkerAt(LayoutTabs(800, 0), 5, 5).valid);
    EXPECT_FALSE(DropMarkerAt(LayoutTabs(40, 3), 5, 5).valid);
}

TEST(TabLayout, DropMovesTheTabsBetweenAndNothingNextToItself)
{
    struct Case {
        int source;
        int dropSlot;
        std::vector<int> slots;  // the new slot of the tabs now in slots 0 to 4
    };
    const Case cases[] = {
        {1, 3, {0, 2, 1, 3, 4}},  // right: the tab between moves left
        {3, 0, {1, 2, 3, 0, 4}},  // left: the tabs between move right
        {0, 5, {4, 0, 1, 2, 3}},  // to the end
        {4, 0, {1, 2, 3, 4, 0}},  // to the front
        {2, 2, {0, 1, 2, 3, 4}},  // on itself
        {2, 3, {0, 1, 2, 3, 4}},  // just right of itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.source << " to " << c.dropSlot);
        EXPECT_EQ(afterDrop(5, c.source, c.dropSlot), c.slots);
    }
}
