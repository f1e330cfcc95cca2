#pragma once

#include <string>
#include <string_view>

namespace pelto::core {

// A text made ready for a menu item, tab caption or status bar: when maximumLength is above 0
// and the text has more characters than that, it is cut to maximumLength characters and "..."
// is appended; then every "&" is doubled so that it shows instead of marking a shortcut
// letter. Characters are UTF-8 code points (a byte that starts no valid sequence counts as
// one), and a cut never splits one.
std::string MenuCaption(std::string_view text, int maximumLength);

}  // namespace pelto::core
