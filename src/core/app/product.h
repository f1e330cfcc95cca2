#pragma once

#include <string_view>

namespace pelto::core {

// The program's title, as windows and messages show it.
inline constexpr std::string_view kApplicationTitle = "Pelto Browser";

// The program's web address, named in the requests the program makes on its own (site icons,
// the update check).
inline constexpr std::string_view kProductWebAddress = "https://peltobrowser.org/";

}  // namespace pelto::core
