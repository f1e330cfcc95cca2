#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelto::core {

// The extension of a text that names a file: from the last "." after the last path separator
// ("\", "/" or ":"), in lower case and trimmed of spaces; empty when there is none. The text is
// taken as received, quotes included.
std::string TextFileExtension(std::string_view text);

// True when the text names an Internet shortcut file (extension ".url").
bool IsInternetShortcutText(std::string_view text);

// The target address of an Internet shortcut file: the "URL" value of its "[InternetShortcut]"
// section. Nothing when the file has none (or is not such a file at all).
std::optional<std::string> InternetShortcutTarget(std::string_view fileText);

}  // namespace pelto::core
