#include "core/navigation/address_rules.h"

namespace pelto::core {

std::string ExtractHost(std::string_view address)
{
    std::string_view rest = address;
    if (const std::size_t scheme = rest.find("://"); scheme != std::string_view::npos)
        rest.remove_prefix(scheme + 3);
    // A "/" in the first place is kept: only a "/" after at least one character ends the host.
    if (const std::size_t slash = rest.find('/'); slash != std::string_view::npos && slash > 0)
        rest = rest.substr(0, slash);
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    return std::string(rest);
}

}  // namespace pelto::core
