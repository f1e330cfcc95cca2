#include "core/app/window_placement.h"

#include <gtest/gtest.h>

using namespace pelto::core;

TEST(WindowPlacement, DefaultsLeaveATenthFreeOnEachSide)
{
    EXPECT_EQ(DefaultMainWindowBounds(1280, 1024), (Rect {128, 102, 1024, 820}));
    EXPECT_EQ(DefaultMainWindowBounds(1920, 1080), (Rect {192, 108, 1536, 864}));
}

TEST(WindowPlacement, StoredValuesKeepTheWindowReachable)
{
    const Rect monitor {0, 0, 1280, 1024};
    const Rect defaults = DefaultMainWindowBounds(1280, 1024);
    const int w0 = 640, h0 = 480;  // the window's size before placement
    struct Case {
        Rect stored;
        Rect expected;
    };
    const Case cases[] = {
        {{128, 102, 1024, 820}, {128, 102, 1024, 820}},
        {{10, 20, 800, 600}, {10, 20, 800, 600}},
        {{1180, 924, 800, 600}, {1180, 924, 800, 600}},            // exactly 100 pixels left on the monitor
        {{1181, 925, 800, 600}, {128, 102, 800, 600}},             // less than 100 pixels: default
        {{-539, -379, 800, 600}, {-539, -379, 800, 600}},          // left > monitor left - W0 + 100
        {{-540, -380, 800, 600}, {128, 102, 800, 600}},
        {{100, 100, 299, 199}, {100, 100, 1024, 820}},             // too small
        {{100, 100, 300, 200}, {100, 100, 300, 200}},
        {{100, 100, 1281, 1025}, {100, 100, 1024, 820}},           // larger than the monitor
        {{100, 100, 1280, 1024}, {100, 100, 1280, 1024}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored.left << "," << c.stored.top << " " << c.stored.width << "x"
                                        << c.stored.height);
        EXPECT_EQ(PlaceMainWindow(c.stored, defaults, monitor, w0, h0), c.expected);
    }
}

TEST(WindowPlacement, SecondMonitorIsMeasuredOnItsOwn)
{
    const Rect second {1280, 0, 1920, 1080};
    const Rect placed = PlaceMainWindow({2000, 50, 1800, 1000}, DefaultMainWindowBounds(1280, 1024), second, 640, 480);
    EXPECT_EQ(placed, (Rect {2000, 50, 1800, 1000}));
}

TEST(WindowPlacement, OnlyReachableBoundsAreWorthStoring)
{
    const Rect monitor {0, 0, 1280, 1024};
    struct Case {
        Rect window;
        bool left, top, width, height;
    };
    const Case cases[] = {
        {{128, 102, 1024, 820}, true, true, true, true},
        {{1180, 924, 400, 300}, true, true, true, true},
        {{1181, 925, 400, 300}, false, false, true, true},
        {{-299, -199, 400, 300}, true, true, true, true},
        {{-300, -200, 400, 300}, false, false, true, true},
        {{0, 0, 299, 199}, true, true, false, false},
        {{0, 0, 1281, 1025}, true, true, false, false},
    };
    for (const Case& c : cases) {
        const StoredBounds worth = BoundsWorthStoring(c.window, monitor);
        EXPECT_EQ(worth.storeLeft, c.left) << c.window.left;
        EXPECT_EQ(worth.storeTop, c.top) << c.window.top;
        EXPECT_EQ(worth.storeWidth, c.width) << c.window.width;
        EXPECT_EQ(worth.storeHeight, c.height) << c.window.height;
    }
}
