#include "core/app/language_default.h"

#include <gtest/gtest.h>

#include <cstdint>

using pelto::core::DefaultLanguageFile;

TEST(DefaultLanguageFile, PicksTheFileOfTheSystemLanguage)
{
    struct Case {
        std::uint16_t langId;
        bool cp936;
        bool cp950;
        const char* file;
    };
    const Case cases[] = {
        // Chinese depends on its own code page only.
        {0x0804, true, false, "chs.lng"},
        {0x1004, true, false, "chs.lng"},
        {0x0804, false, true, "eng.lng"},
        {0x0404, false, true, "cht.lng"},
        {0x0C04, false, true, "cht.lng"},
        {0x0404, true, false, "eng.lng"},
        {0x1404, true, true, "eng.lng"},  // Macao is not in the list
        // Neighbours within a language group that differ.
        {0x380A, true, true, "uru.lng"},
        {0x340A, true, true, "spa.lng"},
        {0x3C0A, true, true, "spa.lng"},
        {0x500A, true, true, "spa.lng"},
        {0x540A, true, true, "eng.lng"},
        {0x0409, true, true, "eng.lng"},
        {0x0809, true, true, "euk.lng"},
        {0x0C09, true, true, "eng.lng"},
        {0x0414, true, true, "nor.lng"},
        {0x0814, true, true, "nyn.lng"},
        {0x0416, true, true, "por.lng"},
        {0x0816, true, true, "peu.lng"},
        {0x041A, true, true, "cro.lng"},
        {0x081A, true, true, "cro.lng"},
        {0x0C1A, true, true, "eng.lng"},
        // Ends of the ranges.
        {0x0401, true, true, "ara.lng"},
        {0x4001, true, true, "ara.lng"},
        {0x4401, true, true, "eng.lng"},
        {0x1407, true, true, "ger.lng"},
        {0x1807, true, true, "eng.lng"},
        {0x180C, true, true, "fre.lng"},
        {0x1C0C, true, true, "eng.lng"},
        {0x0812, true, true, "kor.lng"},
        {0x081D, true, true, "swe.lng"},
        {0x0436, true, true, "afr.lng"},
        {0x042A, true, true, "vna.lng"},
        {0x042F, true, true, "eng.lng"},  // Macedonian has a file but no identifier in the list
        {0x0000, true, true, "eng.lng"},
        {0xFFFF, true, true, "eng.lng"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultLanguageFile(c.langId, c.cp936, c.cp950), c.file)
            << std::hex << c.langId << " cp936=" << c.cp936 << " cp950=" << c.cp950;
    }
}
