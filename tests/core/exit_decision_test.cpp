#include "core/collections/exit_decision.h"

#include <gtest/gtest.h>

using namespace pelto::core;

TEST(ExitDecision, DecisionForEachActionWhenExit)
{
    const std::vector<std::string> real = {"about:blank", "http://a/"};
    const std::vector<std::string> blank = {"", "about:blank"};
    struct Case {
        const char* name;
        std::vector<std::string> pages;
        bool saveRequested;
        int action;
        ExitDecision expected;
    };
    const Case cases[] = {
        {"prompt", real, false, 0, {true, PagesFileChange::Keep}},
        {"save", real, false, 1, {false, PagesFileChange::Save}},
        {"exit directly", real, false, 2, {false, PagesFileChange::Clear}},
        {"unknown value", real, false, 7, {false, PagesFileChange::Keep}},
        {"negative value", real, false, -1, {false, PagesFileChange::Keep}},
        {"save and exit beats prompt", real, true, 0, {false, PagesFileChange::Save}},
        {"save and exit beats exit directly", real, true, 2, {false, PagesFileChange::Save}},
        {"only blank pages", blank, false, 0, {false, PagesFileChange::Keep}},
        {"only blank pages with save and exit", blank, true, 1, {false, PagesFileChange::Keep}},
        {"no page", {}, false, 2, {false, PagesFileChange::Keep}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecideOpenPagesAtExit(c.pages, c.saveRequested, c.action), c.expected);
    }
}

TEST(ExitDecision, ExitPromptAnswers)
{
    // "Always exit directly" with Yes saves this time and stores 2 for the next exit.
    EXPECT_EQ(ResolveExitPrompt(ExitPromptAnswer::Yes, ActionWhenExit::ExitDirectly),
              (ExitPromptOutcome{true, PagesFileChange::Save, 2}));
    EXPECT_EQ(ResolveExitPrompt(ExitPromptAnswer::No, ActionWhenExit::Save),
              (ExitPromptOutcome{true, PagesFileChange::Clear, 1}));
    EXPECT_EQ(ResolveExitPrompt(ExitPromptAnswer::Yes, ActionWhenExit::Prompt),
              (ExitPromptOutcome{true, PagesFileChange::Save, 0}));
    // Cancel keeps the program running and changes nothing.
    EXPECT_EQ(ResolveExitPrompt(ExitPromptAnswer::Cancel, ActionWhenExit::ExitDirectly),
              (ExitPromptOutcome{false, PagesFileChange::Keep, std::nullopt}));
}

TEST(ExitDecision, ExitPromptOpensOnTheMainWindowsMonitor)
{
    const std::vector<Rect> monitors = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    EXPECT_EQ(ExitPromptBounds(monitors, 2000, 100, 396, 180), (Rect{1920 + 442, 422, 396, 180}));
    EXPECT_EQ(ExitPromptBounds(monitors, 0, 0, 396, 180), (Rect{762, 450, 396, 180}));
    // A position on no monitor (one that was unplugged) falls back to the first.
    EXPECT_EQ(ExitPromptBounds(monitors, -5000, 2147483647, 396, 180), (Rect{762, 450, 396, 180}));
    EXPECT_EQ(ExitPromptBounds({}, 10, 10, 396, 180), (Rect{0, 0, 396, 180}));
}

TEST(ExitDecision, RecordingClosedPages)
{
    RecentList list;
    EXPECT_TRUE(AddRecentPage(list, {"A", "http://a/"}, true, false));
    EXPECT_FALSE(AddRecentPage(list, {"B", "about:blank"}, true, false));
    EXPECT_FALSE(AddRecentPage(list, {"C", "http://c/"}, false, false));  // recent pages off
    EXPECT_FALSE(AddRecentPage(list, {"D", "http://d/"}, true, true));    // the exit records them
    EXPECT_EQ(list.pages().size(), 1u);

    const std::vector<ClosingPageEntry> open = {{"Current", "http://current/"}, {"", "http://other/"},
                                                {"Blank", "about:blank"}};
    EXPECT_TRUE(RecordPagesAtExit(list, open, true));
    ASSERT_EQ(list.pages().size(), 3u);
    EXPECT_EQ(list.pages()[1].address, "http://current/");
    EXPECT_EQ(list.pages()[2].title, "http://other/");

    RecentList untouched;
    EXPECT_FALSE(RecordPagesAtExit(untouched, open, false));
    EXPECT_FALSE(RecordPagesAtExit(untouched, {}, true));
    EXPECT_TRUE(untouched.empty());
}

TEST(ExitDecision, RestoreAfterOrderlyExitAndAfterCrash)
{
    const std::string saved = "http://current/\r\nhttp://second/\r\nhttp://third/\r\n";
    const std::vector<std::string> openingOrder = {"http://third/", "http://second/", "http://current/"};

    EXPECT_EQ(PlanRestoreOpenPages(saved, "yes"), (RestorePlan{RestoreStep::Reopen, openingOrder}));
    // Only exactly "no" means a crash.
    EXPECT_EQ(PlanRestoreOpenPages(saved, "No").step, RestoreStep::Reopen);
    EXPECT_EQ(PlanRestoreOpenPages(saved, "no"), (RestorePlan{RestoreStep::AskRecover, openingOrder}));
    EXPECT_EQ(PlanRestoreOpenPages("", "no"), RestorePlan{});
    EXPECT_EQ(PlanRestoreOpenPages("\r\n\r\nabout:blank\r\n", "yes"), RestorePlan{});

    // The saved pages stay on disk until the answer; only No empties the file.
    EXPECT_EQ(AnswerRecoverQuestion(true), (RecoverAnswer{true, false}));
    EXPECT_EQ(AnswerRecoverQuestion(false), (RecoverAnswer{false, true}));
}
