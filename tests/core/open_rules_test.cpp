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

TEST(OpenRules, DroppedDataOpensOnlyAddressesAndPaths)
{
    const struct {
        const char* dropped;
        const char* opens;  // null: nothing opens
    } cases[] = {
        {"http://127.0.0.1/a", "http://127.0.0.1/a"},
        {"  HTTPS://example.org/x?y=1  ", "HTTPS://example.org/x?y=1"},
        {"ftp://files.example.org/", "ftp://files.example.org/"},
        {"file:///home/user/My Page.html", "file:///home/user/My Page.html"},
        {"/home/user/My Page.html", "/home/user/My Page.html"},
        {"www.example.org", "www.example.org"},
        {"http://first.example/\r\nhttp://second.example/", "http://first.example/"},
        {"", nullptr},
        {"   \t ", nullptr},
        {"\n", nullptr},
        {"javascript:alert(1)", nullptr},
        {"data:text/html,<b>x</b>", nullptr},
        {"some words of text", nullptr},
        {"http://", nullptr},
        {"http://exa mple.org/", nullptr},
        {"www.", nullptr},
        {"relative/path.html", nullptr},
    };
    for (const auto& c : cases) {
        const auto result = pelto::core::DroppedAddress(c.dropped);
        if (c.opens)
            EXPECT_EQ(result.value_or("<nothing>"), c.opens) << c.dropped;
        else
            EXPECT_FALSE(result.has_value()) << c.dropped;
    }
    EXPECT_FALSE(pelto::core::DroppedAddress(std::string_view("http://a\0b", 10)).has_value());
    EXPECT_FALSE(pelto::core::DroppedAddress(std::string("http://x/\x01\x02")).has_value());
}
