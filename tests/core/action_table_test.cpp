#include "core/app/action_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace pelto::core;

TEST(ActionTable, NamesAreUniqueAndShortcutsDoNotCollide)
{
    std::set<std::string_view> names;
    std::set<std::string_view> shortcuts;
    for (const ActionSpec& action : MainWindowActions()) {
        EXPECT_TRUE(names.insert(action.name).second) << "duplicate name " << action.name;
        EXPECT_EQ(action.name.substr(0, 3), "act") << action.name;
        EXPECT_FALSE(action.caption.empty()) << action.name;
        if (!action.shortcut.empty()) {
            EXPECT_TRUE(shortcuts.insert(action.shortcut).second) << "shortcut " << action.shortcut << " twice";
        }
        EXPECT_EQ(action.group != 0, action.check == ActionCheck::Radio) << action.name;
    }
    EXPECT_EQ(FindAction("actClose")->shortcut, "Ctrl+F4");
    EXPECT_EQ(FindAction("actNoSuchThing"), nullptr);
}
