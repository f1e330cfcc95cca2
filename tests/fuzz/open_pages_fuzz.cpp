// Feeds arbitrary bytes to the pages.dat reader and the start-time recovery plan: never a
// crash, only recordable addresses within the limit, and a written file reads back the same.
#include "core/collections/exit_decision.h"
#include "core/collections/recent_pages.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pelto::core;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> addresses = ReadOpenPages(bytes);
    if (addresses.size() > kMaxSavedPages)
        std::abort();
    std::vector<OpenPageEntry> pages;
    for (const std::string& address : addresses) {
        if (!IsRecordableAddress(address))
            std::abort();
        pages.push_back({address, false});
    }
    if (ReadOpenPages(WriteOpenPages(pages)) != addresses)
        std::abort();

    RestorePlan plan = PlanRestoreOpenPages(bytes, "no");
    std::reverse(plan.addresses.begin(), plan.addresses.end());
    if (plan.addresses != addresses || (plan.step == RestoreStep::Nothing) != addresses.empty())
        std::abort();
    return 0;
}
