#include "core/content/download_flags.h"

#include <gtest/gtest.h>

using namespace pelto::core;

TEST(DownloadFlags, FollowTheContentSwitches)
{
    GeneralSettings settings;
    EXPECT_EQ(DownloadFlagsFor(settings), 0x70u);
    settings.ShowPictures = settings.PlayVideos = settings.PlaySounds = false;
    settings.EnableScripts = settings.EnableJavaApplets = settings.EnableActiveX = false;
    EXPECT_EQ(DownloadFlagsFor(settings), 0x40000780u);
    settings = GeneralSettings {};
    settings.EnableScripts = false;
    EXPECT_EQ(DownloadFlagsFor(settings), 0xF0u);
}
