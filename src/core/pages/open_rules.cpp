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

namespace pelto::core {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> DroppedAddress(std::string_view text)
{
    // Programs put a list of addresses one per line; the first one is taken.
    const std::size_t lineEnd = text.find_first_of("\r\n");
    if (lineEnd != std::string_view::npos)
        text = text.substr(0, lineEnd);
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return std::nullopt;
    }
    constexpr std::string_view kWebSchemes[] = {"http://", "https://", "ftp://", "file:/"};
    for (const std::string_view scheme : kWebSchemes) {
        if (StartsWithNoCase(text, scheme) && text.size() > scheme.size())
            return text.find(' ') == std::string_view::npos || scheme == "file:/"
                ? std::optional<std::string>(text) : std::nullopt;
    }
    // A file path may hold blanks; a bare host may not.
    if (text.front() == '/')
        return std::string(text);
    if (StartsWithNoCase(text, "www.") && text.size() > 4 && text.find(' ') == std::string_view::npos)
        return std::string(text);
    return std::nullopt;
}

}  // namespace pelto::core
