#include "core/pages/popup_decision.h"

#include <gtest/gtest.h>

#include <climits>

using namespace pelto::core;

TEST(PopupDecision, DecisionTable)
{
    struct Case {
        const char* name;
        bool blockerOn;
        bool clickedAtZero;  // the user-click window was opened at 0 ms
        bool contextMenu;
        bool closing;
        std::int64_t nowMs;
        bool allow;
    };
    const Case cases[] = {
        {"script popup while loading", true, false, false, false, 1000, false},
        {"blocker off", false, false, false, false, 1000, true},
        {"just after a click", true, true, false, false, 0, true},
        {"last moment of the click window", true, true, false, false, 299, true},
        {"click window over", true, true, false, false, 300, false},
        {"clock went back", true, true, false, false, -1, false},
        {"context menu", true, false, true, false, 1000, true},
        {"closing page, blocker off", false, true, true, true, 0, false},
        {"closing page after a click", true, true, false, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PopupBlockerState state;
        if (c.clickedAtZero)
            OpenUserClickWindow(state, 0);
        state.contextMenuSeen = c.contextMenu;
        const NewWindowVerdict verdict = DecideNewWindow(state, {c.blockerOn, c.closing, true, c.nowMs});
        EXPECT_EQ(verdict.allow, c.allow);
        EXPECT_EQ(verdict.startColourCycle, !c.allow);
        EXPECT_EQ(verdict.playSound, !c.allow);
        EXPECT_EQ(verdict.next.blockedCount, c.allow ? 0 : 1);
        if (c.allow) {
            // Letting a window through closes the click window and clears the mark.
            EXPECT_FALSE(verdict.next.userClickOpenedAtMs);
            EXPECT_FALSE(verdict.next.contextMenuSeen);
        } else {
            EXPECT_EQ(verdict.next.colourStep, 1);
        }
    }
}

TEST(PopupDecision, TwoRequestsAfterOneClick)
{
    PopupBlockerState state;
    OpenUserClickWindow(state, 1000);
    const NewWindowRequest request{true, false, false, 1100};
    const NewWindowVerdict first = DecideNewWindow(state, request);
    EXPECT_TRUE(first.allow);
    const NewWindowVerdict second = DecideNewWindow(first.next, request);
    EXPECT_FALSE(second.allow);
    EXPECT_FALSE(second.playSound);  // KPPlaySound off: blocked silently
    EXPECT_EQ(BlockedCounterText(second.next.blockedCount), "1 ");

    // A second click reopens it for its own 300 ms.
    PopupBlockerState again = second.next;
    OpenUserClickWindow(again, 1250);
    EXPECT_TRUE(UserClickWindowOpen(again, 1549));
    EXPECT_FALSE(UserClickWindowOpen(again, 1550));
    CloseUserClickWindow(again);
    EXPECT_FALSE(UserClickWindowOpen(again, 1251));

    // Times at the ends of the clock's range do not overflow.
    PopupBlockerState edge;
    OpenUserClickWindow(edge, INT64_MAX - 10);
    EXPECT_TRUE(UserClickWindowOpen(edge, INT64_MAX));
    OpenUserClickWindow(edge, INT64_MIN);
    EXPECT_FALSE(UserClickWindowOpen(edge, INT64_MAX));
}

TEST(PopupDecision, CounterTextAndColourCycle)
{
    EXPECT_EQ(BlockedCounterText(0), "0 ");
    EXPECT_EQ(BlockedCounterText(12), "12 ");
    PopupBlockerState full;
    full.blockedCount = LLONG_MAX;
    EXPECT_EQ(DecideNewWindow(full, {}).next.blockedCount, LLONG_MAX);

    const std::uint32_t red = 0xFF0000, green = 0x00FF00, magenta = 0xFF00FF, blue = 0x0000FF;
    const std::uint32_t expected[] = {red, green, magenta, blue, red, green, magenta, blue, 0x000000};
    int step = 1;
    int ticks = 0;
    for (;;) {
        const PopupColourTick tick = PopupCounterColourTick(step);
        ASSERT_TRUE(tick.colour);
        EXPECT_EQ(*tick.colour, expected[ticks]) << "step " << step;
        ++ticks;
        step = tick.nextStep;
        if (tick.stopTimer)
            break;
        ASSERT_LT(ticks, 9);
    }
    EXPECT_EQ(ticks, 9);
    EXPECT_EQ(PopupCounterColourTick(step), (PopupColourTick{std::nullopt, 10, true}));
    EXPECT_EQ(PopupCounterColourTick(0), (PopupColourTick{std::nullopt, 10, true}));
}
