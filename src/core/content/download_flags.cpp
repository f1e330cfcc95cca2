#include "core/content/download_flags.h"

namespace pelto::core {

std::uint32_t DownloadFlagsFor(const GeneralSettings& settings)
{
    std::uint32_t flags = 0;
    if (settings.ShowPictures)
        flags |= kDownloadImages;
    if (settings.PlayVideos)
        flags |= kDownloadVideos;
    if (settings.PlaySounds)
        flags |= kDownloadBackgroundSounds;
    if (!settings.EnableScripts)
        flags |= kNoScripts;
    if (!settings.EnableJavaApplets)
        flags |= kNoJava;
    if (!settings.EnableActiveX)
        flags |= kNoRunActiveX | kNoDownloadActiveX | kSilent;
    return flags;
}

}  // namespace pelto::core
