#pragma once

#include <QLocale>

#include <cstdint>

namespace pelto::platform {

// The Windows language identifier of the system's locale, which picks the default language
// file. Locales the language table does not know give 0x0409 (English, United States).
std::uint16_t SystemLanguageId();

// The Windows language identifier for a language spoken in a territory. A language the table
// knows in a territory it does not list gives that language's main identifier.
std::uint16_t LanguageIdFor(QLocale::Language language, QLocale::Territory territory);

}  // namespace pelto::platform
