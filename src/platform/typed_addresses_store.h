#pragma once

#include <string_view>

#include "core/navigation/typed_addresses.h"
#include "platform/key_store.h"

namespace pelto::platform {

// The key that holds the typed-address list as string values "Url1" to "Url25".
inline constexpr std::string_view kTypedUrlsKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs";

// The typed-address list as kept in the key store: read sound (a corrupt or overlong list gives
// at most 25 valid entries, and reading changes nothing), written whole.
class TypedAddressesStore {
public:
    explicit TypedAddressesStore(KeyStore& store) : m_store(store) {}

    // The list as stored now; empty when the key is missing.
    core::TypedAddressList load() const;
    // Writes the list (made sound first) as Url1 onwards and removes every other "Url<n>" value,
    // so that a list left corrupt or overlong is cut; values that already hold their text are
    // not rewritten. False when some change could not be saved.
    bool save(const core::TypedAddressList& list);
    // An accepted address: moved or put at the top of the stored list, which is written back.
    // Gives the new list; an address the list does not keep changes nothing.
    core::TypedAddressList remember(std::string_view address);
    // Removes every "Url<n>" value; false when some could not be removed.
    bool clear();

private:
    KeyStore& m_store;
};

}  // namespace pelto::platform
