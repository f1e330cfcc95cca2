#include "core/pages/page_rules.h"

#include <gtest/gtest.h>

#include <climits>

using namespace pelto::core;

TEST(PageRules, ProgressPictureAndPercent)
{
    struct Case {
        int progress;
        int maximum;
        int picture;
        int percent;
    };
    const Case cases[] = {
        {0, 10, 9, 0},          // nothing loading: the plain page
        {0, 0, 9, 0},
        {1, 10, 1, 10},
        {5, 10, 5, 50},
        {9, 10, 8, 90},
        {10, 10, 0, 100},       // complete: frame 0
        {11, 10, 0, 110},       // beyond the maximum
        {1, 1000, 1, 0},
        {124, 1000, 1, 12},
        {125, 1000, 2, 12},
        {875, 1000, 8, 87},
        {5, 0, 0, 0},           // no maximum
        {5, -1, 0, 0},
        {-1, 10, 1, -10},       // division truncates toward zero
        {-5, 10, 0, -50},
        {INT_MAX, INT_MAX, 0, 100},              // no overflow
        {INT_MAX / 2, INT_MAX, 4, 49},
        {INT_MAX, 1, 0, INT_MAX},                // percent saturates
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.progress << " of " << c.maximum);
        EXPECT_EQ(ProgressPicture(c.progress, c.maximum), c.picture);
        EXPECT_EQ(ProgressPercent(c.progress, c.maximum), c.percent);
    }
}

TEST(PageRules, ScriptPlacementLimits)
{
    EXPECT_FALSE(AcceptScriptWidth(150));
    EXPECT_TRUE(AcceptScriptWidth(151));
    EXPECT_FALSE(AcceptScriptWidth(-1000));
    EXPECT_FALSE(AcceptScriptHeight(150));
    EXPECT_TRUE(AcceptScriptHeight(151));

    struct Case {
        int value;
        int limit;  // main window client width for left, page area height for top
        bool left;
        bool top;
    };
    const Case cases[] = {
        {0, 800, false, false},
        {1, 800, true, true},
        {-5, 800, false, false},
        {699, 800, true, true},
        {700, 800, false, true},     // less than 100 pixels of the client width left
        {769, 800, false, true},
        {770, 800, false, false},    // less than 30 pixels of the page area below
        {1, 0, false, false},        // a window too small for any position
        {INT_MAX, INT_MIN, false, false},
        {5, INT_MIN, false, false},  // no overflow in the limit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " within " << c.limit);
        EXPECT_EQ(AcceptScriptLeft(c.value, c.limit), c.left);
        EXPECT_EQ(AcceptScriptTop(c.value, c.limit), c.top);
    }
}

TEST(PageRules, SecureStatePresentation)
{
    struct Case {
        int state;
        SecurePresentation expected;
    };
    const Case cases[] = {
        {-1, {false, false, "", ""}},
        {INT_MIN, {false, false, "", ""}},
        {0, {false, true, "", "You are browsing an ordinary web site."}},
        {3, {true, false, "sSecureSite40", "You are browsing a 40 bit SSL secured web site."}},
        {4, {true, false, "sSecureSite56", "You are browsing a 56 bit SSL secured web site."}},
        {6, {true, false, "sSecureSite128", "You are browsing a 128 bit SSL secured web site."}},
        {1, {true, false, "sSecureSite", "You are browsing a secure web site."}},
        {5, {true, false, "sSecureSite", "You are browsing a secure web site."}},
        {INT_MAX, {true, false, "sSecureSite", "You are browsing a secure web site."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        EXPECT_EQ(PresentSecureState(c.state), c.expected);
    }
}

TEST(PageRules, SiteIconAddress)
{
    struct Case {
        const char* address;
        const char* icon;
    };
    const Case cases[] = {
        {"http://www.Example.COM/Some/Page.html", "http://www.example.com/favicon.ico"},
        {"HTTPS://a.b", "http://a.b/favicon.ico"},            // always plain http
        {"www.b.c/x", "http://www.b.c/favicon.ico"},
        {"http://127.0.0.1:8080/a", "http://127.0.0.1:8080/favicon.ico"},
        {"http://\xC3\x84.b/", "http://\xC3\x84.b/favicon.ico"},  // only ASCII letters change
        {"http://localhost/", ""},                            // no host: nothing to fetch
        {"about:blank", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(SiteIconAddress(c.address), c.icon);
    }
}

TEST(PageRules, StripQuotes)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"  \"C:\\My Files\\a.html\"", "C:\\My Files\\a.html"},
        {"\"\"a b\"\"", "a b"},
        {"\"a", "a"},                       // no closing quote
        {"a\"", "a\""},                     // a quote only at the end stays
        {"\"", ""},
        {"\"\"\"", ""},
        {"   ", ""},
        {" \" a\"", " a"},                  // spaces inside the quotes stay
        {"http://a.b/", "http://a.b/"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StripQuotes(c.text), c.expected);
    }
}
