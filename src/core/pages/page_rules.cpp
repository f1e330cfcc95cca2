#include "core/pages/page_rules.h"

#include "core/navigation/address_rules.h"

#include <climits>
#include <cstdint>

namespace pelto::core {

int ProgressPicture(int progress, int maximum)
{
    if (progress == 0)
        return kPlainPagePicture;
    // 64-bit: engines report byte counts, and progress * 1000 must not overflow.
    const std::int64_t frame = maximum > 0
        ? std::int64_t {progress} * 1000 / (std::int64_t {maximum} * 125) + 1
        : 0;
    return frame >= 0 && frame <= 8 ? static_cast<int>(frame) : 0;
}

int ProgressPercent(int progress, int maximum)
{
    if (maximum <= 0)
        return 0;
    const std::int64_t percent = std::int64_t {progress} * 100 / maximum;
    if (percent > INT_MAX)
        return INT_MAX;
    if (percent < INT_MIN)
        return INT_MIN;
    return static_cast<int>(percent);
}

bool AcceptScriptWidth(int width)
{
    return width > 150;
}

bool AcceptScriptHeight(int height)
{
    return height > 150;
}

bool AcceptScriptLeft(int x, int mainClientWidth)
{
    return x > 0 && std::int64_t {x} < std::int64_t {mainClientWidth} - 100;
}

bool AcceptScriptTop(int y, int pageAreaHeight)
{
    return y > 0 && std::int64_t {y} < std::int64_t {pageAreaHeight} - 30;
}

SecurePresentation PresentSecureState(int secureLockState)
{
    if (secureLockState < 0)
        return {};
    if (secureLockState == 0)
        return {false, true, "", "You are browsing an ordinary web site."};
    switch (secureLockState) {
    case 3:
        return {true, false, "sSecureSite40", "You are browsing a 40 bit SSL secured web site."};
    case 4:
        return {true, false, "sSecureSite56", "You are browsing a 56 bit SSL secured web site."};
    case 6:
        return {true, false, "sSecureSite128", "You are browsing a 128 bit SSL secured web site."};
    default:
        return {true, false, "sSecureSite", "You are browsing a secure web site."};
    }
}

std::string SiteIconAddress(std::string_view address)
{
    const std::string host = ExtractHost(address);
    if (host.empty())
        return {};
    std::string icon = "http://" + host + "/favicon.ico";
    for (char& c : icon) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return icon;
}

std::string StripQuotes(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    text = first == std::string_view::npos ? std::string_view {} : text.substr(first);
    while (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
        if (!text.empty() && text.back() == '"')
            text.remove_suffix(1);
    }
    return std::string(text);
}

}  // namespace pelto::core
