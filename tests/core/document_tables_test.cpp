#include "core/navigation/document_tables.h"

#include "core/app/action_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

using namespace pelto::core;

namespace {

TEST(DocumentTables, TextSizesRunLargestFirstAndMapBackFromTheirFactors)
{
    ASSERT_EQ(TextSizes().size(), 5u);
    double previous = 100.0;
    for (const TextSize& size : TextSizes()) {
        EXPECT_LT(size.factor, previous) << size.caption;
        previous = size.factor;
        EXPECT_EQ(TextSizeLevelOf(size.factor), size.level) << size.caption;
        // The engine hands back a factor close to the one it was given.
        EXPECT_EQ(TextSizeLevelOf(size.factor + 0.001), size.level) << size.caption;
        const ActionSpec* action = FindAction(size.action);
        ASSERT_NE(action, nullptr) << size.action;
        EXPECT_EQ(action->caption, size.caption);
        EXPECT_EQ(action->check, ActionCheck::Radio);
    }
    EXPECT_EQ(TextSizes().front().caption, "Largest");
    EXPECT_EQ(TextSizeFactor(kTextSizeMedium), 1.0);
    EXPECT_EQ(TextSizeFactor(99), 1.0);
    EXPECT_EQ(TextSizeLevelOf(1.1), std::nullopt);
}

TEST(DocumentTables, ZoomIsClampedIntoTheEngineRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double factor, low, high, expected;
    } cases[] = {
        {1.5, 0.25, 5.0, 1.5},
        {1.5, 0.25, 1.2, 1.2},  // a control that allows less than the level gets its highest
        {0.1, 0.25, 5.0, 0.25},
        {nan, 0.25, 5.0, 1.0},
        {1.5, 2.0, 1.0, 1.0},   // a broken range
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampZoom(c.factor, c.low, c.high), c.expected) << c.factor << " in " << c.low << ".." << c.high;
}

TEST(DocumentTables, EncodingsHaveTheirCharsetsActionsAndMenuOrder)
{
    ASSERT_EQ(Encodings().size(), 15u);
    for (int index = 0; index < 15; ++index) {
        const EncodingEntry* entry = EncodingAt(index);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->index, index);
        const ActionSpec* action = FindAction(entry->action);
        ASSERT_NE(action, nullptr) << entry->action;
        EXPECT_EQ(action->caption, entry->caption);
        EXPECT_EQ(action->check, ActionCheck::Radio);
        EXPECT_EQ(EncodingForCharset(entry->charset), entry);
    }
    EXPECT_EQ(EncodingAt(14)->charset, "Windows-1252");
    EXPECT_EQ(EncodingForCharset("windows-1252")->action, "actLWesternEuropean");
    EXPECT_EQ(EncodingForCharset("iso-8859-1"), nullptr);
    EXPECT_EQ(EncodingAt(-1), nullptr);
    EXPECT_EQ(EncodingAt(15), nullptr);

    // Every tag once, English first, four separators, never two in a row.
    std::set<int> seen;
    int separators = 0;
    int previous = 0;
    for (const int tag : EncodingMenuOrder()) {
        if (tag < 0) {
            ++separators;
            EXPECT_GE(previous, 0);
        } else {
            EXPECT_TRUE(seen.insert(tag).second) << tag;
        }
        previous = tag;
    }
    EXPECT_EQ(seen.size(), 15u);
    EXPECT_EQ(separators, 4);
    EXPECT_EQ(EncodingAt(EncodingMenuOrder().front())->caption, "English (Unicode)");
}

TEST(DocumentTables, EnablingRulesFollowTheActivePage)
{
    const ActivePageState none;
    const ActivePageState blank {true, false, false, false};
    const ActivePageState loaded {true, true, true, false};
    const ActivePageState selection {true, true, true, true};
    struct Case {
        const char* action;
        bool none, blank, loaded, selection;
    } cases[] = {
        {"actOpen", true, true, true, true},
        {"actHelp", true, true, true, true},
        {"actSave", false, false, true, true},
        {"actPrint", false, false, true, true},
        {"actTSLargest", false, false, true, true},
        {"actLWesternEuropean", false, false, true, true},
        {"actCopy", false, false, false, true},
        {"actSelectAll", false, false, false, true},
    };
    for (const Case& c : cases) {
        const auto rule = DocumentCommandRule(c.action);
        ASSERT_TRUE(rule) << c.action;
        EXPECT_EQ(RuleAllows(*rule, none), c.none) << c.action;
        EXPECT_EQ(RuleAllows(*rule, blank), c.blank) << c.action;
        EXPECT_EQ(RuleAllows(*rule, loaded), c.loaded) << c.action;
        EXPECT_EQ(RuleAllows(*rule, selection), c.selection) << c.action;
    }
    EXPECT_FALSE(DocumentCommandRule("actBack"));
    // A control that says yes with no page behind it does not count.
    EXPECT_FALSE(RuleAllows(DocumentRule::Edit, ActivePageState {false, true, true, true}));
    EXPECT_TRUE(RuleAllows(DocumentRule::Address, loaded));
    EXPECT_FALSE(RuleAllows(DocumentRule::Address, blank));
}

TEST(DocumentTables, SaveNamesAreSafeFileNames)
{
    struct Case {
        std::string title, address, expected;
    } cases[] = {
        {"Weekly report", "http://h/", "Weekly report.html"},
        {"../../etc/passwd", "http://h/", "etc_passwd.html"},
        {"a<b>c:d\"e|f?g*h\\i", "", "a_b_c_d_e_f_g_h_i.html"},
        {std::string("tab\there\x01"), "", "tab_here.html"},
        {"  ...  ", "http://host/dir/report.php?x=1#top", "report.html"},
        {"", "http://example.org/", "example.org.html"},
        {"", "", "page.html"},
        {"CON", "", "_CON.html"},
        {"nul.txt", "", "_nul.txt.html"},
        {"Résumé – Ünïcode", "", "Résumé – Ünïcode.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SuggestedSaveName(c.title, c.address, ".html"), c.expected) << c.title;

    // A huge title is cut to a sane length and never in the middle of a character.
    std::string huge;
    for (int i = 0; i < 500; ++i)
        huge += "é";
    const std::string name = SuggestedSaveName(huge, "", ".html");
    EXPECT_LE(name.size(), 110u);
    EXPECT_EQ(name.substr(name.size() - 5), ".html");
    EXPECT_EQ(name.size() % 2, 1u);  // whole two-byte characters plus the five-byte extension
}

TEST(DocumentTables, PropertiesCaptionsAndProductAddresses)
{
    EXPECT_EQ(ProtocolCaption("https"), "HyperText Transfer Protocol with Privacy");
    EXPECT_EQ(ProtocolCaption("HTTP"), "HyperText Transfer Protocol");
    EXPECT_EQ(ProtocolCaption("file"), "File Protocol");
    EXPECT_EQ(ProtocolCaption("gopher"), "GOPHER Protocol");
    EXPECT_EQ(ProtocolCaption(""), "Unknown Protocol");
    EXPECT_EQ(ProtocolCaption("<script>"), "Unknown Protocol");

    EXPECT_EQ(SizeCaption(0), "0 bytes");
    EXPECT_EQ(SizeCaption(1), "1 byte");
    EXPECT_EQ(SizeCaption(999), "999 bytes");
    EXPECT_EQ(SizeCaption(1234567), "1,234,567 bytes");
    EXPECT_EQ(SizeCaption(-1), "Not available");

    EXPECT_EQ(ProductHomePage("english.lng"), "https://peltobrowser.org/");
    EXPECT_EQ(ProductHomePage("/opt/pelto/Lang/CHS.lng"), "https://peltobrowser.org/zh/");
    EXPECT_EQ(CommentsMailLink().rfind("mailto:", 0), 0u);
    EXPECT_NE(CommentsMailLink().find("?SUBJECT=COMMENTS"), std::string::npos);
}

}  // namespace
