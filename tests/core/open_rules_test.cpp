#include "core/pages/open_rules.h"

#include <gtest/gtest.h>

using namespace pelto::core;

TEST(OpenRules, ExtensionFollowsTheLastSeparator)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Favorites\\Site.URL", ".url"},
        {"/home/u/Links/site.Url", ".url"},
        {"/home/u/Links/site.url  ", ".url"},
        {"\"/home/u/site.url\"", ".url\""},  // the quote stays in the test
        {"/home/u.d/file", ""},
        {"http://example.com", ".com"},      // a host looks like a file name here
        {"http://example.com/a.html", ".html"},
        {"", ""},
        {"noext", ""},
    };
    for (const auto& [text, extension] : cases)
        EXPECT_EQ(TextFileExtension(text), extension) << text;
    EXPECT_TRUE(IsInternetShortcutText("  /x/Y.URL"));
    EXPECT_FALSE(IsInternetShortcutText("\"/x/y.url\""));
}

TEST(OpenRules, ShortcutTargetComesFromItsSection)
{
    EXPECT_EQ(InternetShortcutTarget("[InternetShortcut]\r\nURL=http://a.example/\r\n"), "http://a.example/");
    EXPECT_EQ(InternetShortcutTarget("[DEFAULT]\nBASEURL=x\n[internetshortcut]\nurl=http://b/\nIconIndex=0\n"),
              "http://b/");
    EXPECT_FALSE(InternetShortcutTarget("[Other]\nURL=http://c/\n"));
    EXPECT_FALSE(InternetShortcutTarget("[InternetShortcut]\nURL=\n"));
    EXPECT_FALSE(InternetShortcutTarget(""));
    EXPECT_FALSE(InternetShortcutTarget(std::string("\x00\xff\xfe[Intern\x00", 9)));
}
