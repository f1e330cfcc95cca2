#pragma once

#include <cstdint>
#include <string>

namespace pelto::core {

// The language file (name without folder) that fits the system's default language identifier,
// the default of `LangFile` at start. The Chinese files are chosen only when their code page
// (936 Simplified, 950 Traditional) is installed; anything unknown gives "eng.lng".
std::string DefaultLanguageFile(std::uint16_t langId, bool codePage936Installed,
                                bool codePage950Installed);

}  // namespace pelto::core
