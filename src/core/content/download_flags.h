#pragma once

#include "core/app/general_settings.h"

#include <cstdint>

namespace pelto::core {

// Download options a page's control honours, one bit each.
inline constexpr std::uint32_t kDownloadImages = 0x10;
inline constexpr std::uint32_t kDownloadVideos = 0x20;
inline constexpr std::uint32_t kDownloadBackgroundSounds = 0x40;
inline constexpr std::uint32_t kNoScripts = 0x80;
inline constexpr std::uint32_t kNoJava = 0x100;
inline constexpr std::uint32_t kNoRunActiveX = 0x200;
inline constexpr std::uint32_t kNoDownloadActiveX = 0x400;
inline constexpr std::uint32_t kSilent = 0x40000000;

// The download options of all pages from the content switches: 0x70 with every switch at its
// default, 0x40000780 with every switch off.
std::uint32_t DownloadFlagsFor(const GeneralSettings& settings);

}  // namespace pelto::core
