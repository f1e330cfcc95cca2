#include "core/navigation/address_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace pelto::core;

TEST(ExtractHost, KeepsTheTextBetweenSchemeAndFirstSlash)
{
    struct Case {
        const char* address;
        const char* host;
    };
    const Case cases[] = {
        {"http://www.b.c/a/b.html", "www.b.c"},
        {"https://www.b.c", "www.b.c"},
        {"www.b.c/a", "www.b.c"},                           // no scheme
        {"http://127.0.0.1:8080/x", "127.0.0.1:8080"},      // the port stays
        {"http://user@a.b/x", "user@a.b"},
        {"http://a.b?q=1", "a.b?q=1"},                      // only "/" ends the host
        {"http://a.b/c://d.e/f", "a.b"},                    // the first "://" counts
        {"http://localhost/a.html", ""},                    // a single word
        {"about:blank", ""},
        {"http://.b.c/", ""},                               // "." in the first place
        {"http:///a.b", "/a.b"},                            // a "/" in the first place is kept
        {"file:///home/u/a.html", "/home/u/a.html"},
        {"http://", ""},
        {"", ""},
        {"a.", "a."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(ExtractHost(c.address), c.host);
    }
}

namespace {

// A plug-in that knows the keyword "pelto" and converts it to a fixed address.
class FakeKeywords : public KeywordConverter {
public:
    explicit FakeKeywords(Availability availability, std::optional<std::string> result = "http://pelto.example/")
        : m_availability(availability), m_result(std::move(result))
    {
    }
    Availability availability() const override { return m_availability; }
    bool isKeyword(std::string_view text) const override
    {
        ++asked;
        return m_availability == Availability::Usable && text == "pelto";
    }
    std::optional<std::string> convert(std::string_view) const override { return m_result; }

    mutable int asked = 0;

private:
    Availability m_availability;
    std::optional<std::string> m_result;
};

const NoKeywordConverter kNoPlugin;

// A file system in which only "docs" (a folder) and "notes.txt" exist.
bool fakeExists(std::string_view text)
{
    return text == "docs" || text == "notes.txt";
}

}  // namespace

TEST(UpOneLevel, CanGoUpAndParentFollowTheTables)
{
    struct Case {
        const char* address;
        bool canGoUp;
        const char* parent;
    };
    const Case cases[] = {
        {"s://www.b.c/a/b/c.html", true, "s://www.b.c/a/b/"},
        {"s://www.b.c/a/b/", true, "s://www.b.c/a/"},
        {"s://www.b.c/a", true, "s://www.b.c/"},
        {"s://news.b.c/", true, "s://www.b.c"},
        {"s://News.B.c", true, "s://www.B.c"},
        {"s://WWW.b.c/", false, ""},
        {"s://www.b.c/", false, ""},
        {"s://b.c/", false, ""},
        {"s://b.c/a/", true, "s://b.c/"},
        {"www.b.c/a/b", true, "www.b.c/a/"},        // no scheme
        {"s://localhost/", false, ""},
        {"s://localhost/a", true, "s://localhost/"}, // a path needs no host
        {"s://a.b.c//", true, "s://a.b.c/"},
        {"about:blank", false, ""},
        {"s://", false, ""},
        {"", false, ""},
        {"/", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(CanGoUp(c.address), c.canGoUp);
        EXPECT_EQ(ParentAddress(c.address), c.parent);
    }
    EXPECT_FALSE(UpCommandEnabled(false, "s://www.b.c/a"));
    EXPECT_TRUE(UpCommandEnabled(true, "s://www.b.c/a"));
}

TEST(UpOneLevel, ListHoldsEveryAncestorNearestFirst)
{
    EXPECT_EQ(UpOneLevelList("s://news.b.c/a/b/c.html"),
              (std::vector<std::string> {"s://news.b.c/a/b/", "s://news.b.c/a/", "s://news.b.c/", "s://www.b.c"}));
    EXPECT_TRUE(UpOneLevelList("s://www.b.c/").empty());
    EXPECT_TRUE(UpOneLevelList("").empty());
}

TEST(UpOneLevel, HostileAddressesGiveAShortList)
{
    // A megabyte of levels: the menu stays small and the work linear.
    std::string deep = "http://a.b.c";
    while (deep.size() < 1024 * 1024)
        deep += "/x";
    const auto list = UpOneLevelList(deep);
    ASSERT_EQ(list.size(), kMaxUpLevels);
    EXPECT_EQ(list.front(), deep.substr(0, deep.size() - 1));

    const std::string binary("s://a\0b.c.d/\xff\x01/", 15);
    EXPECT_EQ(UpOneLevelList(binary), (std::vector<std::string> {std::string("s://a\0b.c.d/", 12), "s://www.c.d"}));
}

TEST(AddressOnEnter, CleansCompletesAndPrefixes)
{
    struct Case {
        const char* text;
        EnterKeys keys;
        const char* result;
    };
    const EnterKeys none;
    const EnterKeys ctrl {true, false, false};
    const EnterKeys alt {false, false, true};
    const EnterKeys ctrlShift {true, true, false};
    const Case cases[] = {
        {"  \"b.c\"", none, "http://b.c"},
        {"\"\"b.c\"\"", none, "http://b.c"},
        {"\"b.c", none, "http://b.c"},
        {"\" b.c\"", none, "http:// b.c"},              // spaces uncovered by the quotes stay
        {"\"", none, "http://"},
        {"w", ctrl, "http://www.w.com"},
        {"w", alt, "http://www.w.net"},
        {"b.com", ctrl, "http://www.b.com.com"},        // the ending is doubled
        {"http://x", ctrl, "http://www.http://x.com"},  // nothing checks for a scheme
        {"w", ctrlShift, "http://w"},
        {"w", {true, true, true}, "http://www.w.net"},
        {"C:\\Users\\a.html", none, "C:\\Users\\a.html"},
        {"\\\\server\\share", none, "\\\\server\\share"},
        {"ftp://b.c/", none, "ftp://b.c/"},
        {"foo://whatever", none, "foo://whatever"},     // unknown schemes open as typed
        {"mailto:a@b.c", none, "http://mailto:a@b.c"},  // only "://" marks a scheme
        {"docs", none, "docs"},                         // an existing folder
        {"notes.txt", none, "notes.txt"},
        {"other.txt", none, "http://other.txt"},
        {"", none, "http://"},
        {"b.c/%zz%", none, "http://b.c/%zz%"},          // escapes are not decoded
        {"javascript:alert(1)", none, "http://javascript:alert(1)"},
        {"data:text/html,<b>x</b>", none, "http://data:text/html,<b>x</b>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AddressOnEnter(c.text, c.keys, fakeExists, kNoPlugin), c.result);
    }
}

TEST(AddressOnEnter, ControlCharactersAndHugeTextsAreHarmless)
{
    EXPECT_EQ(AddressOnEnter(std::string("\x01 b.\0c\r\n\x7f", 10), {}, fakeExists, kNoPlugin), "http://b.c");
    const std::string huge(1024 * 1024, 'a');
    EXPECT_EQ(AddressOnEnter(huge, {}, fakeExists, kNoPlugin), "http://" + huge);
    EXPECT_EQ(AddressOnEnter("b.c", {}, nullptr, kNoPlugin), "http://b.c");
}

TEST(AddressOnEnter, FileSystemIsAskedOnlyWhenTheTextLeavesItOpen)
{
    std::vector<std::string> asked;
    const PathExists record = [&](std::string_view text) {
        asked.emplace_back(text);
        return false;
    };
    for (const char* text : {"\\\\host\\share", "C:\\x", "http://b.c", ""})
        AddressOnEnter(text, {}, record, kNoPlugin);
    EXPECT_TRUE(asked.empty());
    AddressOnEnter("b.c", {}, record, kNoPlugin);
    EXPECT_EQ(asked, std::vector<std::string> {"b.c"});
}

TEST(AddressOnEnter, KeywordPluginDecidesThePrefix)
{
    using A = KeywordConverter::Availability;
    struct Case {
        A availability;
        const char* text;
        const char* result;
    };
    const Case cases[] = {
        {A::Usable, "pelto", "pelto"},          // a keyword keeps its text for the conversion
        {A::Usable, "b.c", "http://b.c"},
        {A::Usable, "docs", "docs"},
        {A::Unusable, "b.c", "b.c"},            // a broken library turns the prefix off
        {A::Absent, "pelto", "http://pelto"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FakeKeywords plugin(c.availability);
        EXPECT_EQ(AddressOnEnter(c.text, {}, fakeExists, plugin), c.result);
    }
}

TEST(AcceptedAddress, ConvertsKeywordsAndRefusesScripts)
{
    using A = KeywordConverter::Availability;
    const FakeKeywords usable(A::Usable);
    EXPECT_EQ(AcceptedAddress("pelto", usable), "http://pelto.example/");
    EXPECT_EQ(AcceptedAddress("other", usable), "other");
    EXPECT_EQ(AcceptedAddress("pelto", FakeKeywords(A::Usable, std::nullopt)), "pelto");
    EXPECT_EQ(AcceptedAddress("pelto", kNoPlugin), "pelto");
    EXPECT_EQ(AcceptedAddress("pelto", FakeKeywords(A::Usable, "javascript:alert(1)")), std::nullopt);
    EXPECT_EQ(AcceptedAddress("pelto", FakeKeywords(A::Usable, "http://a.b/\r\nX")), "http://a.b/X");

    const FakeKeywords unusable(A::Unusable);
    EXPECT_EQ(AcceptedAddress("pelto", unusable), "pelto");
    EXPECT_EQ(unusable.asked, 0);
}

TEST(OpenableAddress, ScriptAndOverlongAddressesAreRefused)
{
    const std::pair<std::string, bool> scripts[] = {
        {"javascript:alert(1)", true},
        {"JavaScript:alert(1)", true},
        {"  \"javascript:alert(1)\"", true},
        {"java\tscript:alert(1)", true},
        {"\x01\njavascript:alert(1)", true},
        {"\xE3\x80\x80javascript:x", true},     // behind a Unicode space
        {"vbscript:msgbox", true},
        {"http://javascript:alert(1)", false},
        {"http://a.b/?javascript:x", false},
        {"xjavascript:x", false},
        {"data:text/html,<script>1</script>", false},
        {"javascript", false},
        {"", false},
    };
    for (const auto& [address, script] : scripts) {
        SCOPED_TRACE(address);
        EXPECT_EQ(IsScriptAddress(address), script);
        EXPECT_EQ(OpenableAddress(address).has_value(), !script);
    }
    EXPECT_EQ(OpenableAddress(std::string(kMaxAddressLength, 'a'))->size(), kMaxAddressLength);
    EXPECT_FALSE(OpenableAddress(std::string(kMaxAddressLength + 1, 'a')));
    EXPECT_EQ(OpenableAddress(std::string("http://a\0.b/%G1%", 16)), "http://a.b/%G1%");
}

TEST(ClipboardAddress, OpensTheWholeTextWithoutControls)
{
    EXPECT_EQ(ClipboardAddress(""), "");
    const std::string longAddress = "http://a.b/" + std::string(400, 'x');
    EXPECT_EQ(ClipboardAddress(longAddress), longAddress);  // never cut to some other address
    EXPECT_EQ(ClipboardAddress(" \"http://a.b/\" "), " \"http://a.b/\" ");  // the page strips quotes
    EXPECT_EQ(ClipboardAddress(std::string("\0\x01\xff\xfe", 4)), "\xff\xfe");
    EXPECT_FALSE(ClipboardAddress("javascript:document.cookie"));
    EXPECT_FALSE(ClipboardAddress("\njavascript:document.cookie"));
}

TEST(WhereAddressOpens, NewPageWhenNoPageShiftOrSwitch)
{
    struct Case {
        bool hasPage, shift, newSwitch;
        AddressTarget target;
    };
    const Case cases[] = {
        {true, false, false, AddressTarget::ActivePage},
        {true, true, false, AddressTarget::NewPage},
        {true, false, true, AddressTarget::NewPage},
        {false, false, false, AddressTarget::NewPage},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WhereAddressOpens(c.hasPage, c.shift, c.newSwitch), c.target)
            << c.hasPage << c.shift << c.newSwitch;
}

TEST(AddressBoxWidth, FillsTheToolbarWithAMinimum)
{
    EXPECT_EQ(AddressBoxWidth(true, true, 1000, 80, 40), (AddressBoxLayout {868, true}));
    EXPECT_EQ(AddressBoxWidth(true, false, 1000, 80, 40), (AddressBoxLayout {917, false}));
    EXPECT_EQ(AddressBoxWidth(true, false, 80 + 3 + 150, 80, 40), (AddressBoxLayout {200, false}));
    EXPECT_EQ(AddressBoxWidth(true, true, 0, 80, 40), (AddressBoxLayout {200, true}));
    EXPECT_EQ(AddressBoxWidth(false, true, 1000, 80, 40), (AddressBoxLayout {380, std::nullopt}));
}

TEST(StartsAddressDrag, NeedsTextIconLeftButtonAndFiveSquaredPixels)
{
    EXPECT_TRUE(StartsAddressDrag("a", 10, 10, 22, true, 5, 10));   // 25
    EXPECT_FALSE(StartsAddressDrag("a", 10, 10, 22, true, 6, 10));  // 16
    EXPECT_TRUE(StartsAddressDrag("a", 20, 22, 22, true, 20, 17));
    EXPECT_FALSE(StartsAddressDrag("a", 21, 10, 22, true, 5, 10));
    EXPECT_FALSE(StartsAddressDrag("a", 10, 23, 22, true, 5, 10));
    EXPECT_FALSE(StartsAddressDrag("a", 10, 10, 22, false, 5, 10));
    EXPECT_FALSE(StartsAddressDrag("", 10, 10, 22, true, 5, 10));
    EXPECT_TRUE(StartsAddressDrag("a", -2000000000, 0, 22, true, 2000000000, 0));  // no overflow
}
