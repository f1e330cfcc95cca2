#include "platform/typed_addresses_store.h"

#include <string>
#include <utility>
#include <vector>

namespace pelto::platform {

core::TypedAddressList TypedAddressesStore::load() const
{
    std::vector<std::pair<std::string, std::optional<std::string>>> values;
    for (std::string& name : m_store.valueNames(kTypedUrlsKey)) {
        if (!core::TypedAddressValueNumber(name))
            continue;
        std::optional<std::string> text = m_store.readString(kTypedUrlsKey, name);
        values.emplace_back(std::move(name), std::move(text));
    }
    return core::TypedAddressesFromValues(values);
}

bool TypedAddressesStore::save(const core::TypedAddressList& list)
{
    const core::TypedAddressList sound = core::NormalizeTypedAddresses(list);
    bool saved = true;
    // The new entries first: a change that fails halfway leaves a list, never a hole at the top.
    for (std::size_t i = 0; i < sound.size(); ++i) {
        const std::string name = core::TypedAddressValueName(i);
        if (m_store.readString(kTypedUrlsKey, name) != sound[i])
            saved = m_store.writeString(kTypedUrlsKey, name, sound[i]) && saved;
    }
    for (const std::string& name : m_store.valueNames(kTypedUrlsKey)) {
        const std::optional<std::size_t> number = core::TypedAddressValueNumber(name);
        if (number && *number > sound.size())
            saved = m_store.deleteValue(kTypedUrlsKey, name) && saved;
    }
    return saved;
}

core::TypedAddressList TypedAddressesStore::remember(std::string_view address)
{
    const core::TypedAddressList before = load();
    core::TypedAddressList after = core::AddTypedAddress(before, address);
    if (after != before)
        save(after);
    return after;
}

bool TypedAddressesStore::clear()
{
    return save({});
}

}  // namespace pelto::platform
