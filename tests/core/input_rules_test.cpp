#include "core/app/input_rules.h"
#include "core/app/panel_auto_hide.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

using namespace pelto::core;

namespace {

// Builds a key press from a short modifier text: "c" Ctrl, "s" Shift, "a" Alt, "g" AltGr,
// "k" keypad.
KeyPress press(Key key, std::string_view modifiers = "")
{
    KeyPress p;
    p.key = key;
    p.ctrl = modifiers.find('c') != std::string_view::npos;
    p.shift = modifiers.find('s') != std::string_view::npos;
    p.alt = modifiers.find('a') != std::string_view::npos;
    p.altGr = modifiers.find('g') != std::string_view::npos;
    p.keypad = modifiers.find('k') != std::string_view::npos;
    return p;
}

KeyDecision run(std::string_view action)
{
    return {KeyEffect::RunAction, action, false};
}

}  // namespace

TEST(InputRules, KeyTables)
{
    const KeyTarget addressBox{false, false, false, true, true};
    const KeyTarget page{true, true, false, true, true};
    const KeyTarget pageFormOnly{false, true, false, true, true};
    const KeyTarget noBars{false, false, false, false, false};
    const KeyDecision unhandled{};
    const KeyDecision toPage{KeyEffect::HandToPage, {}, false};
    struct Case {
        const char* name;
        KeyPress press;
        KeyTarget target;
        KeyDecision expected;
    };
    const Case cases[] = {
        {"Ctrl+W in the address box", press(Key::W, "c"), addressBox, run("actClose")},
        {"Ctrl+Shift+W", press(Key::W, "cs"), page, run("actCloseAll")},
        {"Ctrl+F4", press(Key::F4, "c"), page, run("actClose")},
        {"Ctrl+Shift+F4", press(Key::F4, "cs"), addressBox, run("actCloseAll")},
        {"Ctrl+C in the address box", press(Key::C, "c"), addressBox, {KeyEffect::Copy, {}, false}},
        {"Ctrl+A in the address box", press(Key::A, "c"), addressBox, {KeyEffect::SelectAll, {}, false}},
        {"Ctrl+C in the page", press(Key::C, "c"), page, unhandled},
        {"Ctrl+V in the page's window", press(Key::V, "c"), pageFormOnly, unhandled},
        {"AltGr+C types", press(Key::C, "cg"), addressBox, unhandled},
        {"AltGr reported alone types", press(Key::C, "g"), addressBox, unhandled},
        {"Ctrl+Alt+N", press(Key::N, "ca"), addressBox, unhandled},
        {"Ctrl+Shift+N is New", press(Key::N, "cs"), page, run("actNew")},
        {"Ctrl+R", press(Key::R, "c"), page, run("actRefresh")},
        {"Ctrl+Shift+R", press(Key::R, "cs"), page, run("actRefreshAll")},
        {"Ctrl+P", press(Key::P, "c"), page, run("actPrintDlg")},
        {"Ctrl+L", press(Key::L, "c"), page, run("actOpenLink")},
        {"Ctrl+Up", press(Key::Up, "c"), page, run("actPreviousPage")},
        {"Ctrl+Q not in the table", press(Key::Q, "c"), page, unhandled},
        {"Ctrl+Tab", press(Key::Tab, "c"), page, run("actNextPage")},
        {"Ctrl+Shift+Tab", press(Key::Tab, "cs"), addressBox, run("actPreviousPage")},
        {"Esc", press(Key::Escape), page, run("actStop")},
        {"Shift+Esc", press(Key::Escape, "s"), page, run("actStopAll")},
        {"Shift+F7 acts like F7", press(Key::F7, "s"), page, run("actPreviousPage")},
        {"Shift+F5", press(Key::F5, "s"), page, run("actRefreshAll")},
        {"F3", press(Key::F3), page, run("actFindKeyword")},
        {"F12", press(Key::F12), page, run("actFullDesktop")},
        {"F6", press(Key::F6), page, {KeyEffect::FocusAddressBox, {}, false}},
        {"F6 without address bar", press(Key::F6), noBars, unhandled},
        {"F2 not in the table", press(Key::F2), page, unhandled},
        {"Alt+Left", press(Key::Left, "a"), page, run("actBack")},
        {"Alt+Home", press(Key::Home, "a"), addressBox, run("actHome")},
        {"Alt+S", press(Key::S, "a"), page, {KeyEffect::FocusSearchBox, {}, false}},
        {"Alt+S without search bar", press(Key::S, "a"), noBars, unhandled},
        {"Alt+D without address bar", press(Key::D, "a"), noBars, unhandled},
        {"Alt+F5 is a system key", press(Key::F5, "a"), page, unhandled},
        {"Tab in a page's form field", press(Key::Tab), page, toPage},
        {"Backspace in the page", press(Key::Backspace), page, toPage},
        {"Ctrl+Left in the page", press(Key::Left, "c"), page, toPage},
        {"Delete of the cursor block", press(Key::Delete), page, toPage},
        {"Delete of the keypad", press(Key::Delete, "k"), page, unhandled},
        {"Backspace in the address box", press(Key::Backspace), addressBox, unhandled},
        {"Enter in the page", press(Key::Enter), page, {KeyEffect::HandToPage, {}, true}},
        {"Enter in the history search box", press(Key::Enter), KeyTarget{false, false, true, true, true},
         {KeyEffect::HistorySearchEnter, {}, false}},
        {"Enter in the address box", press(Key::Enter), addressBox, unhandled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecideKeyDown(c.press, c.target), c.expected);
    }
}

TEST(InputRules, TablesHaveNoCollidingEntries)
{
    for (const auto table : {CtrlKeyTable(), PlainKeyTable(), SystemKeyTable()}) {
        std::set<std::pair<Key, ShiftMatch>> seen;
        for (const KeyBinding& binding : table) {
            EXPECT_TRUE(seen.insert({binding.key, binding.shift}).second);
            // An Any entry shadows any other entry of its key.
            if (binding.shift == ShiftMatch::Any) {
                EXPECT_FALSE(seen.contains({binding.key, ShiftMatch::With}));
                EXPECT_FALSE(seen.contains({binding.key, ShiftMatch::Without}));
            }
            EXPECT_EQ(binding.effect == KeyEffect::RunAction, binding.action.starts_with("act"));
        }
    }
}

TEST(InputRules, RockerGestures)
{
    MouseInput base;
    base.insidePage = true;
    const auto with = [&](MouseEvent event, bool leftHeld, bool rightHeld) {
        MouseInput input = base;
        input.event = event;
        input.leftHeld = leftHeld;
        input.rightHeld = rightHeld;
        return input;
    };

    // Hold right, click left: Back, and the right release opens no context menu.
    MouseGestures back;
    EXPECT_FALSE(back.decide(with(MouseEvent::LeftDown, false, true)).handled);
    const MouseDecision backUp = back.decide(with(MouseEvent::LeftUp, false, true));
    EXPECT_TRUE(backUp.handled);
    EXPECT_EQ(backUp.action, "actBack");
    EXPECT_FALSE(backUp.openUserClickWindow);
    EXPECT_TRUE(back.decide(with(MouseEvent::RightUp, false, false)).handled);
    // The next ordinary right click gets its context menu again.
    EXPECT_FALSE(back.decide(with(MouseEvent::RightUp, false, false)).handled);

    // Hold left, click right: Forward; this release is swallowed, the next right click is not.
    MouseGestures forward;
    EXPECT_TRUE(forward.decide(with(MouseEvent::RightDown, true, false)).handled);
    const MouseDecision forwardUp = forward.decide(with(MouseEvent::RightUp, true, false));
    EXPECT_TRUE(forwardUp.handled);
    EXPECT_EQ(forwardUp.action, "actForward");
    EXPECT_TRUE(forward.decide(with(MouseEvent::LeftUp, false, false)).openUserClickWindow);
    EXPECT_FALSE(forward.decide(with(MouseEvent::RightDown, false, false)).handled);
    EXPECT_FALSE(forward.decide(with(MouseEvent::RightUp, false, false)).handled);

    // Gestures off, or outside the page: plain clicks and the context menu opens.
    for (const bool gesturesOn : {false, true}) {
        MouseGestures off;
        base.enableBFGestures = gesturesOn;
        base.insidePage = !gesturesOn;
        const MouseDecision up = off.decide(with(MouseEvent::LeftUp, false, true));
        EXPECT_FALSE(up.handled);
        EXPECT_TRUE(up.action.empty());
        EXPECT_FALSE(off.decide(with(MouseEvent::RightUp, false, false)).handled);
    }
}

TEST(InputRules, OtherMouseRules)
{
    MouseGestures mouse;
    MouseInput input;
    input.event = MouseEvent::LeftDown;
    input.insidePage = true;
    EXPECT_EQ(mouse.decide(input), (MouseDecision{false, {}, true, true, false}));
    input.insidePage = false;
    input.onAddressBox = true;
    EXPECT_EQ(mouse.decide(input), (MouseDecision{false, {}, false, false, false}));
    input.event = MouseEvent::LeftUp;
    input.favoritesEditingElsewhere = true;
    EXPECT_TRUE(mouse.decide(input).endFavoritesEditing);

    const std::pair<int, std::string_view> extra[] = {{1, "actBack"}, {2, "actForward"}, {3, ""}};
    for (const auto& [button, action] : extra) {
        input.extraButton = button;
        input.event = MouseEvent::ExtraDown;
        EXPECT_EQ(mouse.decide(input), (MouseDecision{true, {}, false, false, false}));
        input.event = MouseEvent::ExtraUp;
        EXPECT_EQ(mouse.decide(input).action, action);
        EXPECT_TRUE(mouse.decide(input).handled);
    }

    const std::pair<int, std::string_view> commands[] = {
        {0, ""},          {1, "actBack"},          {2, "actForward"},       {3, "actRefresh"}, {4, "actStop"},
        {5, "actSearchBand"}, {6, "actFavoritesBand"}, {7, "actHome"}, {8, ""}, {-1, ""}};
    for (const auto& [command, action] : commands)
        EXPECT_EQ(AppCommandAction(command), action) << command;

    EXPECT_TRUE(WheelFocusesPage(false, true));
    EXPECT_FALSE(WheelFocusesPage(true, true));
    EXPECT_FALSE(WheelFocusesPage(false, false));

    EXPECT_TRUE(StatusTextShowsLink("  http://example.com/"));
    EXPECT_FALSE(StatusTextShowsLink(" http://example.com/"));
    EXPECT_FALSE(StatusTextShowsLink("  https://example.com/"));  // as the page writes it: only http
    EXPECT_FALSE(StatusTextShowsLink("Done"));
}

TEST(InputRules, PanelAutoHide)
{
    const int h = 800;
    const FloatingPanel hiddenTop{true, true, -h, 60, false, false};
    const FloatingPanel shownTop{true, true, 2, 60, false, false};
    const FloatingPanel hiddenBottom{true, true, h + 10, 40, false, false};
    const FloatingPanel shownBottom{true, true, h - 41, 40, false, false};
    const FloatingPanel fixed{};
    struct Case {
        const char* name;
        AutoHideInput input;
        AutoHideMoves moves;
    };
    const Case cases[] = {
        {"near the top shows the top panel", {10, h, false, hiddenTop, fixed}, {2, std::nullopt}},
        {"11 pixels down does not", {11, h, false, hiddenTop, fixed}, {}},
        {"below the panel hides it", {300, h, false, shownTop, fixed}, {-h, std::nullopt}},
        {"not while its list is open", {300, h, false, {true, true, 2, 60, false, true}, fixed}, {}},
        {"over the panel it stays", {50, h, false, {true, true, 2, 60, true, false}, hiddenBottom}, {}},
        {"over its inner edge above a PDF it hides", {50, h, true, {true, true, 2, 60, true, false}, fixed},
         {-h, std::nullopt}},
        {"near the bottom shows the bottom panel", {h - 8, h, false, fixed, hiddenBottom},
         {std::nullopt, h - 41}},
        {"above the bottom panel hides it", {400, h, false, fixed, shownBottom}, {std::nullopt, h + 10}},
        {"over the bottom panel above a PDF", {h - 40, h, true, fixed, {true, true, h - 41, 40, true, false}},
         {std::nullopt, h + 10}},
        {"panels that do not float stay", {0, h, true, fixed, fixed}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecidePanelAutoHide(c.input), c.moves);
    }

    EXPECT_TRUE(PageShowsPdf("http://a.example/doc.PDF"));
    EXPECT_FALSE(PageShowsPdf("a.pdf"));
    EXPECT_FALSE(PageShowsPdf("http://a.example/"));
}
