#include "core/navigation/typed_addresses.h"

#include "core/navigation/address_rules.h"

#include <algorithm>
#include <map>

namespace pelto::core {

namespace {

constexpr std::string_view kValuePrefix = "Url";

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
        && std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return asciiLower(a) == asciiLower(b); });
}

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates or code points
// above U+10FFFF.
bool isWellFormedUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else
            return false;
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xBF;
            if (byte < min || byte > max)
                return false;
        }
        i += length;
    }
    return true;
}

// True when the entry, or its text after a "...://" and then after a "www.", begins with the
// prefix: users type the host first.
bool completes(std::string_view entry, std::string_view prefix)
{
    if (startsWithIgnoringCase(entry, prefix))
        return true;
    if (const std::size_t mark = entry.find("://"); mark != std::string_view::npos)
        entry.remove_prefix(mark + 3);
    if (startsWithIgnoringCase(entry, prefix))
        return true;
    return startsWithIgnoringCase(entry, "www.") && startsWithIgnoringCase(entry.substr(4), prefix);
}

}  // namespace

bool IsValidTypedAddress(std::string_view address)
{
    if (address.size() > kMaxTypedAddressLength)
        return false;
    if (address.find_first_not_of(' ') == std::string_view::npos)
        return false;
    const bool control = std::any_of(address.begin(), address.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
    return !control && isWellFormedUtf8(address) && !IsScriptAddress(address);
}

TypedAddressList AddTypedAddress(TypedAddressList list, std::string_view address)
{
    if (!IsValidTypedAddress(address))
        return list;
    list.erase(std::remove(list.begin(), list.end(), address), list.end());
    list.insert(list.begin(), std::string(address));
    if (list.size() > kMaxTypedAddresses)
        list.resize(kMaxTypedAddresses);
    return list;
}

TypedAddressList NormalizeTypedAddresses(const std::vector<std::string>& entries)
{
    TypedAddressList list;
    for (const std::string& entry : entries) {
        if (list.size() == kMaxTypedAddresses)
            break;
        if (IsValidTypedAddress(entry) && std::find(list.begin(), list.end(), entry) == list.end())
            list.push_back(entry);
    }
    return list;
}

std::string TypedAddressValueName(std::size_t index)
{
    return std::string(kValuePrefix) + std::to_string(index + 1);
}

std::optional<std::size_t> TypedAddressValueNumber(std::string_view valueName)
{
    if (!startsWithIgnoringCase(valueName, kValuePrefix))
        return std::nullopt;
    const std::string_view digits = valueName.substr(kValuePrefix.size());
    // Nine digits at most: no overflow, and no store holds that many values.
    if (digits.empty() || digits.size() > 9 || digits.front() == '0')
        return std::nullopt;
    std::size_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number;
}

TypedAddressList TypedAddressesFromValues(
    const std::vector<std::pair<std::string, std::optional<std::string>>>& values)
{
    std::map<std::size_t, const std::string*> byNumber;
    for (const auto& [name, value] : values) {
        const std::optional<std::size_t> number = TypedAddressValueNumber(name);
        if (number && value)
            byNumber.emplace(*number, &*value);
    }
    std::vector<std::string> entries;
    for (const auto& [number, value] : byNumber) {
        if (IsValidTypedAddress(*value) && std::find(entries.begin(), entries.end(), *value) == entries.end())
            entries.push_back(*value);
        if (entries.size() == kMaxTypedAddresses)
            break;
    }
    return entries;
}

std::vector<std::string> TypedAddressCompletions(const TypedAddressList& list, std::string_view prefix)
{
    std::vector<std::string> matches;
    if (prefix.find_first_not_of(' ') == std::string_view::npos)
        return matches;
    for (const std::string& entry : list) {
        if (completes(entry, prefix))
            matches.push_back(entry);
    }
    return matches;
}

}  // namespace pelto::core
