#include "core/pages/open_rules.h"

#include "core/app/ini_document.h"

#include <algorithm>
#include <cctype>

namespace pelto::core {

std::string TextFileExtension(std::string_view text)
{
    const std::size_t separator = text.find_last_of("\\/:");
    const std::size_t dot = text.rfind('.');
    if (dot == std::string_view::npos || (separator != std::string_view::npos && dot < separator))
        return {};
    std::string extension(text.substr(dot));
    const auto notSpace = [](unsigned char c) { return c != ' '; };
    extension.erase(extension.begin(), std::find_if(extension.begin(), extension.end(), notSpace));
    extension.erase(std::find_if(extension.rbegin(), extension.rend(), notSpace).base(), extension.end());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool IsInternetShortcutText(std::string_view text)
{
    return TextFileExtension(text) == ".url";
}

std::optional<std::string> InternetShortcutTarget(std::string_view fileText)
{
    const IniDocument document = IniDocument::parse(fileText);
    std::optional<std::string> target = document.readValue("InternetShortcut", "URL");
    if (target && target->empty())
        return std::nullopt;
    return target;
}

}  // namespace pelto::core
