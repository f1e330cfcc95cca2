// Feeds arbitrary bytes to the recents.dat reader: it must never crash, must keep only sane
// entries within the limit, and what it writes back must read back to the same list.
#include "core/collections/recent_pages.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pelto::core;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RecentList list = ReadRecentPages(bytes);
    if (list.pages().size() > kMaxRecentPages)
        std::abort();
    for (const RecentPage& page : list.pages()) {
        if (!IsRecordableAddress(page.address) || page.title.empty() ||
            page.title.size() > kMaxRecentTitleBytes)
            std::abort();
        for (const char c : page.title) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                std::abort();
        }
    }
    const std::string written = WriteRecentPages(list);
    if (!(ReadRecentPages(written) == list))
        std::abort();
    return 0;
}
