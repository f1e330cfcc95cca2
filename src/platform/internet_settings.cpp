#include "platform/internet_settings.h"

namespace pelto::platform {

bool SetStartPage(KeyStore& store, std::string_view address)
{
    return store.writeString(std::string(kMainSettingsKey), std::string(kStartPageValue), std::string(address));
}

std::string StartPage(const KeyStore& store)
{
    return store.readString(std::string(kMainSettingsKey), std::string(kStartPageValue)).value_or(std::string());
}

}  // namespace pelto::platform
