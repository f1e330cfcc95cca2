#include "core/navigation/address_rules.h"

#include <gtest/gtest.h>

#include <string>

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
