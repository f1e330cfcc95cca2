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

namespace pelto::core {

// The address to open for data dropped on the main window or a tab: a web address (http,
// https or ftp), a file address, an absolute file path, or a "www." host. Surrounding blanks
// are removed; only the first line of a text counts. Anything else (empty text, other schemes
// such as "javascript:", text with control characters, several words) gives nothing.
std::optional<std::string> DroppedAddress(std::string_view text);

}  // namespace pelto::core
