// Feeds arbitrary bytes to the key store reader: it must never crash, and what it writes back
// must read back to the same content.
#include "core/system/key_store_document.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto document = pelto::core::KeyStoreDocument::parse(text);
    const std::string written = document.serialize();
    const auto again = pelto::core::KeyStoreDocument::parse(written);
    if (!(again == document) || again.serialize() != written)
        std::abort();
    return 0;
}
