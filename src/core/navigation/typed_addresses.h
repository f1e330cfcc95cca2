#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pelto::core {

// Most addresses the typed-address list keeps.
inline constexpr std::size_t kMaxTypedAddresses = 25;

// Longest address the list remembers; longer ones still open, they are just not kept.
inline constexpr std::size_t kMaxTypedAddressLength = 4096;

// The list of addresses accepted in the address box: most recent first, no two alike (compared
// exactly), at most kMaxTypedAddresses, each one a valid typed address.
using TypedAddressList = std::vector<std::string>;

// True when the text may be kept in the list: not blank, at most kMaxTypedAddressLength bytes,
// well-formed UTF-8 without control characters, and not a script address.
bool IsValidTypedAddress(std::string_view address);

// The list with the address moved or inserted at the top and cut to kMaxTypedAddresses. An
// address that is not valid leaves the list as it is.
TypedAddressList AddTypedAddress(TypedAddressList list, std::string_view address);

// The list made sound: invalid entries and repeats dropped (the first one stays), cut to
// kMaxTypedAddresses.
TypedAddressList NormalizeTypedAddresses(const std::vector<std::string>& entries);

// The value name of the entry at a 0-based index: "Url1" for 0.
std::string TypedAddressValueName(std::size_t index);

// The number of a value name "Url<n>" (any case, n from 1 without leading zeros), or nothing for
// any other name.
std::optional<std::size_t> TypedAddressValueNumber(std::string_view valueName);

// The list kept as named values: the "Url<n>" values in the order of their numbers, other names
// and values that are not strings (nothing) skipped, then normalised, so a corrupt or overlong
// store gives at most kMaxTypedAddresses valid entries.
TypedAddressList TypedAddressesFromValues(
    const std::vector<std::pair<std::string, std::optional<std::string>>>& values);

// The entries that complete a typed prefix, in list order: those that begin with it, or whose
// text after the scheme ("...://"), or after the scheme and a "www.", does, ignoring ASCII case. An empty or
// blank prefix completes nothing.
std::vector<std::string> TypedAddressCompletions(const TypedAddressList& list, std::string_view prefix);

}  // namespace pelto::core
