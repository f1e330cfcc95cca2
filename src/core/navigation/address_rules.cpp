#include "core/navigation/address_rules.h"

#include <algorithm>
#include <iterator>

namespace pelto::core {

namespace {

constexpr std::string_view kSchemeMark = "://";
constexpr std::string_view kHttpPrefix = "http://";

bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord)
{
    return text.size() == lowerWord.size()
        && std::equal(text.begin(), text.end(), lowerWord.begin(),
                      [](char a, char b) { return asciiLower(a) == b; });
}

// The address after its first "://", or the whole address.
std::string_view withoutScheme(std::string_view address)
{
    if (const std::size_t mark = address.find(kSchemeMark); mark != std::string_view::npos)
        address.remove_prefix(mark + kSchemeMark.size());
    return address;
}

// True for a host of three or more labels whose first label is not "www": such a host's
// parent is the same host under "www".
bool hasSubdomainParent(std::string_view host)
{
    const std::size_t dot = host.find('.');
    if (dot == std::string_view::npos || dot == 0)
        return false;
    if (equalsIgnoringCase(host.substr(0, dot), "www"))
        return false;
    const std::string_view after = host.substr(dot + 1);
    return after.find('.', 1) != std::string_view::npos;
}

}  // namespace

std::string ExtractHost(std::string_view address)
{
    std::string_view rest = withoutScheme(address);
    // A "/" in the first place is kept: only a "/" after at least one character ends the host.
    if (const std::size_t slash = rest.find('/'); slash != std::string_view::npos && slash > 0)
        rest = rest.substr(0, slash);
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return std::string(rest);
}

bool CanGoUp(std::string_view address)
{
    const std::string_view rest = withoutScheme(address);
    const std::size_t slash = rest.find('/');
    if (slash != std::string_view::npos && slash > 0 && slash + 1 < rest.size())
        return true;
    return hasSubdomainParent(ExtractHost(rest));
}

std::string ParentAddress(std::string_view address)
{
    std::string_view prefix;
    std::string_view rest = address;
    if (const std::size_t mark = address.find(kSchemeMark); mark != std::string_view::npos) {
        prefix = address.substr(0, mark + kSchemeMark.size());
        rest = address.substr(mark + kSchemeMark.size());
    }
    // The last character is skipped, so that a trailing "/" does not count as a level.
    if (rest.size() >= 2) {
        const std::size_t slash = rest.rfind('/', rest.size() - 2);
        if (slash != std::string_view::npos && slash >= 1)
            return std::string(prefix) + std::string(rest.substr(0, slash + 1));
    }
    const std::string host = ExtractHost(rest);
    if (!hasSubdomainParent(host))
        return {};
    return std::string(prefix) + "www" + host.substr(host.find('.'));
}

std::vector<std::string> UpOneLevelList(std::string_view address)
{
    std::vector<std::string> ancestors;
    std::string current(address);
    // Each step makes the address shorter or turns its host into a "www" host, which has no
    // parent; the cap keeps the menu (and the work) small for hostile addresses of many levels.
    while (ancestors.size() < kMaxUpLevels && CanGoUp(current)) {
        current = ParentAddress(current);
        if (current.empty())
            break;
        ancestors.push_back(current);
    }
    return ancestors;
}

bool UpCommandEnabled(bool hasPage, std::string_view address)
{
    return hasPage && CanGoUp(address);
}

std::string RemoveControlCharacters(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char c) { return !isControl(c); });
    return out;
}

std::string CleanTypedText(std::string_view text)
{
    const std::string clean = RemoveControlCharacters(text);
    std::string_view rest = clean;
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    // Spaces uncovered by dropping the quotes stay.
    while (!rest.empty() && rest.front() == '"') {
        rest.remove_prefix(1);
        if (!rest.empty() && rest.back() == '"')
            rest.remove_suffix(1);
    }
    return std::string(rest);
}

std::string CompleteByKeys(std::string_view text, EnterKeys keys)
{
    if (keys.ctrl && !keys.shift)
        return "http://www." + std::string(text) + ".com";
    if (keys.alt)
        return "http://www." + std::string(text) + ".net";
    return std::string(text);
}

bool NeedsHttpPrefix(std::string_view text, const PathExists& pathExists)
{
    if (text.find("\\\\") != std::string_view::npos || text.find(":\\") != std::string_view::npos
        || text.find(kSchemeMark) != std::string_view::npos)
        return false;
    // The file system is asked last: a text that already shows it is no web address never
    // reaches it, so typing a network path does not touch the network here.
    return text.empty() || !pathExists || !pathExists(text);
}

std::string ApplyPrefixRule(std::string_view text, const PathExists& pathExists,
                            const KeywordConverter& keywords)
{
    bool prefix = false;
    switch (keywords.availability()) {
    case KeywordConverter::Availability::Absent:
        prefix = NeedsHttpPrefix(text, pathExists);
        break;
    case KeywordConverter::Availability::Usable:
        prefix = !keywords.isKeyword(text) && NeedsHttpPrefix(text, pathExists);
        break;
    case KeywordConverter::Availability::Unusable:
        break;
    }
    return prefix ? std::string(kHttpPrefix) + std::string(text) : std::string(text);
}

std::string AddressOnEnter(std::string_view text, EnterKeys keys, const PathExists& pathExists,
                           const KeywordConverter& keywords)
{
    return ApplyPrefixRule(CompleteByKeys(CleanTypedText(text), keys), pathExists, keywords);
}

bool IsScriptAddress(std::string_view address)
{
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos)
        return false;
    // URL parsers drop leading spaces and controls and tabs or line breaks anywhere, and the
    // page drops quotes: the scheme is judged by its letters alone, so that no such filler
    // (nor a Unicode space) lets a script address through.
    std::string scheme;
    for (const char c : address.substr(0, colon)) {
        const char lower = asciiLower(c);
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9'))
            scheme += lower;
    }
    return scheme == "javascript" || scheme == "vbscript";
}

std::optional<std::string> OpenableAddress(std::string_view address)
{
    if (address.size() > kMaxAddressLength)
        return std::nullopt;
    std::string clean = RemoveControlCharacters(address);
    if (IsScriptAddress(clean))
        return std::nullopt;
    return clean;
}

std::optional<std::string> AcceptedAddress(std::string_view url, const KeywordConverter& keywords)
{
    if (url.size() > kMaxAddressLength)
        return std::nullopt;
    const std::string clean = RemoveControlCharacters(url);
    if (keywords.availability() == KeywordConverter::Availability::Usable && keywords.isKeyword(clean)) {
        if (std::optional<std::string> converted = keywords.convert(clean))
            return OpenableAddress(*converted);
    }
    return OpenableAddress(clean);
}

std::optional<std::string> ClipboardAddress(std::string_view clipboardText)
{
    return OpenableAddress(clipboardText);
}

AddressTarget WhereAddressOpens(bool hasPage, bool shiftHeld, bool newPageSwitch)
{
    return (!hasPage || shiftHeld || newPageSwitch) ? AddressTarget::NewPage : AddressTarget::ActivePage;
}

AddressBoxLayout AddressBoxWidth(bool docked, bool goButtonVisible, int toolbarClientWidth,
                                 int boxLeft, int goButtonWidth)
{
    if (!docked)
        return {kFloatingAddressBoxWidth, std::nullopt};
    const int width = goButtonVisible ? toolbarClientWidth - boxLeft - goButtonWidth - 12
                                      : toolbarClientWidth - boxLeft - 3;
    return {std::max(width, kMinAddressBoxWidth), goButtonVisible};
}

bool StartsAddressDrag(std::string_view addressText, int x, int y, int boxHeight,
                       bool leftButtonDown, int pressX, int pressY)
{
    if (addressText.empty() || x > 20 || y > boxHeight || !leftButtonDown)
        return false;
    // In floating point: the squares of far-apart coordinates do not fit an integer.
    const double dx = static_cast<double>(x) - pressX;
    const double dy = static_cast<double>(y) - pressY;
    return dx * dx + dy * dy > 24;
}

}  // namespace pelto::core
