#pragma once

#include <span>
#include <string_view>

namespace pelto::core {

// How an action shows a check mark.
enum class ActionCheck {
    None,   // a plain command
    Auto,   // toggles its check mark when run
    Radio,  // one of a group of which exactly one is checked
};

// One command of the main window: its given name (also the object name that language files and
// toolbar layouts address), caption, hint, shortcut in the toolkit's portable text form
// ("Ctrl+F4"; empty for none), check behaviour and radio group (0 for none).
struct ActionSpec {
    std::string_view name;
    std::string_view caption;
    std::string_view hint;
    std::string_view shortcut;
    ActionCheck check = ActionCheck::None;
    int group = 0;
};

// Every action of the main window.
std::span<const ActionSpec> MainWindowActions();

// The action with the given name, or null.
const ActionSpec* FindAction(std::string_view name);

}  // namespace pelto::core
