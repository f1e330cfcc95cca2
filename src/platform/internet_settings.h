#pragma once

#include "platform/key_store.h"

#include <string>
#include <string_view>

namespace pelto::platform {

// Key of the shared browser settings that hold the start page.
inline constexpr std::string_view kMainSettingsKey = "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main";
// Value name of the start page under kMainSettingsKey.
inline constexpr std::string_view kStartPageValue = "Start Page";

// Writes the start page (the key is created when missing). False when it could not be saved.
bool SetStartPage(KeyStore& store, std::string_view address);

// The start page, or the empty text when none is set.
std::string StartPage(const KeyStore& store);

}  // namespace pelto::platform
