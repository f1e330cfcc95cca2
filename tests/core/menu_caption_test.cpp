#include "core/app/menu_caption.h"

#include <gtest/gtest.h>

#include <string>

using namespace pelto::core;

TEST(MenuCaption, CutsLongTextsAndDoublesAmpersands)
{
    struct Case {
        std::string text;
        int maximum;
        std::string expected;
    };
    const Case cases[] = {
        {"Tom & Jerry", 0, "Tom && Jerry"},
        {"&&", 0, "&&&&"},
        {"abcdef", 0, "abcdef"},                  // 0: never shortened
        {"abcdef", -5, "abcdef"},
        {"abcdef", 6, "abcdef"},                  // exactly the maximum: kept whole
        {"abcdef", 5, "abcde..."},
        {"a&b&c&d", 3, "a&&b..."},                // cut first, then doubled
        {"", 30, ""},
        // Characters are code points: "äöü€" is 4 characters in 9 bytes.
        {"\xC3\xA4\xC3\xB6\xC3\xBC\xE2\x82\xAC", 4, "\xC3\xA4\xC3\xB6\xC3\xBC\xE2\x82\xAC"},
        {"\xC3\xA4\xC3\xB6\xC3\xBC\xE2\x82\xAC", 3, "\xC3\xA4\xC3\xB6\xC3\xBC..."},
        {"\xF0\x9F\x98\x80x", 1, "\xF0\x9F\x98\x80..."},  // a 4-byte character is not split
        // Broken UTF-8: each stray byte is one character, a truncated sequence too.
        {"\xFF\xFE" "ab", 2, "\xFF\xFE..."},
        {"a\xE2\x82", 2, "a\xE2..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" " << c.maximum);
        EXPECT_EQ(MenuCaption(c.text, c.maximum), c.expected);
    }
}

TEST(MenuCaption, HugeTitleIsShortenedToTheMaximum)
{
    const std::string title(1'000'000, 'x');
    EXPECT_EQ(MenuCaption(title, 50), std::string(50, 'x') + "...");
    EXPECT_EQ(MenuCaption(title, 0).size(), title.size());
}
