#include "core/collections/recent_pages.h"

#include <gtest/gtest.h>

#include <string>

using namespace pelto::core;
using namespace std::string_literals;

namespace {

std::string addressOf(int n)
{
    return "http://site" + std::to_string(n) + ".example/";
}

}  // namespace

TEST(RecentPages, ThirtyClosedPagesLeaveTheNewestTwentyFive)
{
    RecentList list;
    for (int n = 1; n <= 30; ++n)
        ASSERT_TRUE(list.add("Page " + std::to_string(n), addressOf(n)));
    ASSERT_EQ(list.pages().size(), 25u);
    EXPECT_EQ(list.pages().front().address, addressOf(6));
    EXPECT_EQ(list.pages().back().address, addressOf(30));
    EXPECT_EQ(list.newestFirst().front().title, "Page 30");

    const std::string file = WriteRecentPages(list);
    std::size_t lines = 0;
    for (std::size_t at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 50u);
    EXPECT_TRUE(file.ends_with(addressOf(30) + "\r\n"));
    EXPECT_EQ(ReadRecentPages(file), list);
}

TEST(RecentPages, AddingRules)
{
    RecentList list;
    list.add("A", "http://a/");
    list.add("B", "http://b/");
    // The same address again moves to the newest place under its new title.
    EXPECT_TRUE(list.add("A again", "http://a/"));
    ASSERT_EQ(list.pages().size(), 2u);
    EXPECT_EQ(list.pages().back(), (RecentPage{"A again", "http://a/"}));
    // Comparison is exact: another case is another address.
    list.add("A upper", "HTTP://A/");
    EXPECT_EQ(list.pages().size(), 3u);

    // Pages without a title are listed under their address.
    list.add("", "http://untitled/");
    list.add("about:blank", "http://blanktitle/");
    EXPECT_EQ(list.pages()[3].title, "http://untitled/");
    EXPECT_EQ(list.pages()[4].title, "http://blanktitle/");

    // Addresses not worth recording change nothing.
    const RecentList before = list;
    for (const std::string_view refused :
         {std::string_view(""), std::string_view("about:blank"), std::string_view("http://a/\r\nx"),
          std::string_view("http://a/\tb"), std::string_view("http://\xff/")}) {
        EXPECT_FALSE(list.add("T", refused)) << refused;
    }
    EXPECT_FALSE(list.add("T", std::string(kMaxRecentAddressBytes + 1, 'a')));
    EXPECT_EQ(list, before);
}

TEST(RecentPages, TitlesCannotBreakTheFile)
{
    RecentList list;
    list.add("Two\r\nlines\x01", "http://a/");
    list.add("\r\n", "http://b/");
    list.add(std::string(3 * 1024 * 1024, 'x'), "http://c/");
    // A two-byte character straddling the cut is dropped whole.
    list.add(std::string(kMaxRecentTitleBytes - 1, 'y') + "\xc3\xa9", "http://d/");
    EXPECT_EQ(list.pages()[0].title, "Two  lines ");
    EXPECT_EQ(list.pages()[1].title, "http://b/");
    EXPECT_EQ(list.pages()[2].title.size(), kMaxRecentTitleBytes);
    EXPECT_EQ(list.pages()[3].title, std::string(kMaxRecentTitleBytes - 1, 'y'));
    EXPECT_EQ(ReadRecentPages(WriteRecentPages(list)), list);
}

TEST(RecentPages, ReaderKeepsOnlySaneEntries)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<RecentPage> pages;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"one line", "Title only\r\n", {}},
        {"mixed line ends", "A\rhttp://a/\nB\r\nhttp://b/", {{"A", "http://a/"}, {"B", "http://b/"}}},
        {"odd line count", "A\r\nhttp://a/\r\nOrphan title\r\n", {{"A", "http://a/"}}},
        // An empty line is a line: the pairs stay in step.
        {"empty title", "\r\nhttp://a/\r\nB\r\nhttp://b/\r\n", {{"http://a/", "http://a/"}, {"B", "http://b/"}}},
        {"blank address", "A\r\nabout:blank\r\nB\r\nhttp://b/\r\n", {{"B", "http://b/"}}},
        {"control character", "A\r\nhttp://a/\0x\r\nB\r\nhttp://b/\r\n"s, {{"B", "http://b/"}}},
        {"duplicates", "A\nhttp://a/\nB\nhttp://b/\nA2\nhttp://a/\n", {{"B", "http://b/"}, {"A2", "http://a/"}}},
        {"binary", "\x00\xff\xfe\x01\r\x80\x80\n\x1b[2J"s, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRecentPages(c.bytes).pages(), c.pages);
    }
}

TEST(RecentPages, ReaderCopesWithHugeFiles)
{
    std::string many;
    for (int n = 0; n < 50000; ++n)
        many += "Title\r\n" + addressOf(n) + "\r\n";
    const RecentList list = ReadRecentPages(many);
    ASSERT_EQ(list.pages().size(), kMaxRecentPages);
    EXPECT_EQ(list.pages().back().address, addressOf(49999));

    // A several-megabyte line as address is dropped, as title it is cut.
    const std::string longLine(5 * 1024 * 1024, 'h');
    EXPECT_TRUE(ReadRecentPages("T\r\n" + longLine + "\r\n").empty());
    EXPECT_EQ(ReadRecentPages(longLine + "\r\nhttp://a/\r\n").pages().at(0).title.size(), kMaxRecentTitleBytes);

    // Millions of empty lines give nothing and cost no memory per line.
    EXPECT_TRUE(ReadRecentPages(std::string(4 * 1024 * 1024, '\n')).empty());
    EXPECT_TRUE(ReadOpenPages(std::string(4 * 1024 * 1024, '\r')).empty());
}

TEST(RecentPages, OpenPagesFile)
{
    const std::vector<OpenPageEntry> pages = {
        {"http://current/", false}, {"", false},          {"about:blank", false},
        {"http://closing/", true},  {"http://other/", false},
    };
    EXPECT_EQ(WriteOpenPages(pages), "http://current/\r\nhttp://other/\r\n");
    EXPECT_EQ(WriteOpenPages({}), "");
    EXPECT_EQ(WriteOpenPages({{"about:blank", false}}), "");

    EXPECT_EQ(SaveOpenPages(pages, false, false), WriteOpenPages(pages));
    EXPECT_FALSE(SaveOpenPages(pages, true, false));  // the exit writes it itself
    EXPECT_FALSE(SaveOpenPages(pages, false, true));  // the last run's pages await an answer

    EXPECT_EQ(ReadOpenPages("http://a/\rhttp://b/\n\nabout:blank\r\nhttp://c/\x7f\r\nhttp://d/"),
              (std::vector<std::string>{"http://a/", "http://b/", "http://d/"}));

    std::string many;
    for (int n = 0; n < 100000; ++n)
        many += addressOf(n) + "\n";
    const auto read = ReadOpenPages(many);
    ASSERT_EQ(read.size(), kMaxSavedPages);
    EXPECT_EQ(read.front(), addressOf(0));
}
