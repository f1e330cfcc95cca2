#include "core/system/key_store_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using pelto::core::KeyStoreDocument;

namespace {

constexpr const char* kMain = "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main";

KeyStoreDocument roundTrip(const KeyStoreDocument& document)
{
    std::size_t skipped = 99;
    KeyStoreDocument back = KeyStoreDocument::parse(document.serialize(), &skipped);
    EXPECT_EQ(skipped, 0u);
    return back;
}

}  // namespace

TEST(KeyStoreDocument, HostileValuesRoundTripToEqualContentAndIdenticalBytes)
{
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += static_cast<char>(c);
    const std::vector<std::string> values = {
        "",
        "http://example.com/?q=\"a\"&b=c\\d",
        "line1\nline2\r\n\tend",
        "\xFF\xFE raw 8-bit \xC3 \xE2\x82",  // not UTF-8
        "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",  // UTF-8 stays readable
        "\\x41 is not an escape in the value",
        "\"]\n[HKEY_CURRENT_USER\\Evil]\n\"x\"=\"y",
        every,
        std::string(100 * 1024, 'v') + "\"\\\n",
    };

    KeyStoreDocument document;
    for (std::size_t i = 0; i < values.size(); ++i)
        document.writeString(kMain, "Value " + std::to_string(i), values[i]);
    document.writeString(kMain, "", "default");
    document.writeString(kMain, "na\"me\\with\nodd\xFF bytes", "x");
    document.writeNumber(kMain, "Number", 0xFFFFFFFFu);
    document.writeNumber(kMain, "Zero", 0);
    document.createKey("HKEY_CURRENT_USER\\Empty key [x]]");

    const std::string text = document.serialize();
    const KeyStoreDocument back = roundTrip(document);
    EXPECT_EQ(back, document);
    EXPECT_EQ(back.serialize(), text);

    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.readString(kMain, "Value " + std::to_string(i)), values[i]) << i;
    EXPECT_EQ(back.readString(kMain, ""), "default");
    EXPECT_EQ(back.readString(kMain, "na\"me\\with\nodd\xFF bytes"), "x");
    EXPECT_EQ(back.readNumber(kMain, "Number"), 0xFFFFFFFFu);
    EXPECT_EQ(back.readNumber(kMain, "Zero"), 0u);
    EXPECT_TRUE(back.keyExists("HKEY_CURRENT_USER\\Empty key [x]]"));
    EXPECT_FALSE(back.keyExists("HKEY_CURRENT_USER\\Evil"));

    // One value per line, whatever the value holds.
    EXPECT_EQ(text.rfind(std::string(KeyStoreDocument::kHeader) + "\n", 0), 0u);
    EXPECT_NE(text.find("@=\"default\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"Number\"=dword:ffffffff\n"), std::string::npos);
    EXPECT_NE(text.find("\"Value 3\"=\"\\xff\\xfe raw"), std::string::npos);
}

TEST(KeyStoreDocument, PathsAndNamesIgnoreCaseAndKeepTheFirstSpelling)
{
    KeyStoreDocument document;
    document.writeString("HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs",
                         "Url1", "a");
    document.writeString("hkey_current_user\\SOFTWARE\\microsoft\\internet explorer\\typedurls",
                         "URL1", "b");
    document.writeString("\\HKEY_CURRENT_USER\\\\Software\\Microsoft\\Internet Explorer\\TypedURLs\\",
                         "url2", "c");

    const char* path = "Hkey_Current_User\\software\\MICROSOFT\\Internet explorer\\TYPEDURLS";
    EXPECT_EQ(document.readString(path, "url1"), "b");
    EXPECT_EQ(document.valueNames(path), (std::vector<std::string>{"Url1", "url2"}));
    EXPECT_EQ(document.subKeyNames("HKEY_CURRENT_USER\\SOFTWARE\\MICROSOFT"),
              std::vector<std::string>{"Internet Explorer"});
    EXPECT_EQ(document.subKeyNames(""), std::vector<std::string>{"HKEY_CURRENT_USER"});

    // Only ASCII letters fold: other bytes must match exactly.
    document.createKey("HKEY_CURRENT_USER\\\xC3\x84");
    EXPECT_FALSE(document.keyExists("HKEY_CURRENT_USER\\\xC3\xA4"));
}

TEST(KeyStoreDocument, TypesDoNotMixAndRewritesReplace)
{
    KeyStoreDocument document;
    document.writeNumber(kMain, "v", 42);
    EXPECT_EQ(document.readString(kMain, "v"), std::nullopt);
    EXPECT_EQ(document.readNumber(kMain, "v"), 42u);
    document.writeString(kMain, "V", "now text");
    EXPECT_EQ(document.readNumber(kMain, "v"), std::nullopt);
    EXPECT_EQ(document.readString(kMain, "v"), "now text");
    EXPECT_EQ(document.valueNames(kMain), std::vector<std::string>{"v"});

    // A string ends at its first NUL, as registry text does.
    document.writeString(kMain, "nul", std::string_view("ab\0cd", 5));
    EXPECT_EQ(document.readString(kMain, "nul"), "ab");
}

TEST(KeyStoreDocument, DeleteKeyTakesItsSubkeysAndNothingElse)
{
    KeyStoreDocument document;
    document.writeString("HKEY_CLASSES_ROOT\\http\\shell\\open\\command", "", "pelto \"%1\"");
    document.writeString("HKEY_CLASSES_ROOT\\http\\DefaultIcon", "", "icon");
    document.writeString("HKEY_CLASSES_ROOT\\https\\shell\\open\\command", "", "keep");
    document.writeString("HKEY_CLASSES_ROOT\\http", "URL Protocol", "");

    EXPECT_TRUE(document.deleteKey("hkey_classes_root\\HTTP"));
    EXPECT_FALSE(document.keyExists("HKEY_CLASSES_ROOT\\http"));
    EXPECT_FALSE(document.keyExists("HKEY_CLASSES_ROOT\\http\\shell\\open\\command"));
    EXPECT_EQ(document.readString("HKEY_CLASSES_ROOT\\https\\shell\\open\\command", ""), "keep");
    EXPECT_EQ(document.subKeyNames("HKEY_CLASSES_ROOT"), std::vector<std::string>{"https"});

    // Recreated, the key is empty and takes the new spelling.
    document.createKey("HKEY_CLASSES_ROOT\\HTTP\\shell");
    EXPECT_EQ(document.subKeyNames("HKEY_CLASSES_ROOT"),
              (std::vector<std::string>{"HTTP", "https"}));
    EXPECT_TRUE(document.valueNames("HKEY_CLASSES_ROOT\\http").empty());

    EXPECT_FALSE(document.deleteKey("HKEY_CLASSES_ROOT\\missing"));
    EXPECT_FALSE(document.deleteKey(""));
    EXPECT_TRUE(document.deleteValue("HKEY_CLASSES_ROOT\\https\\shell\\open\\command", ""));
    EXPECT_FALSE(document.deleteValue("HKEY_CLASSES_ROOT\\https\\shell\\open\\command", ""));
    EXPECT_TRUE(document.keyExists("HKEY_CLASSES_ROOT\\https\\shell\\open\\command"));
}

TEST(KeyStoreDocument, RefusedPathsChangeNothing)
{
    const std::string tooDeep = [] {
        std::string path = "HKEY_CURRENT_USER";
        for (std::size_t i = 1; i <= KeyStoreDocument::kMaxKeyDepth; ++i)
            path += "\\k";
        return path;
    }();
    for (const std::string& path : {std::string(), std::string("\\\\"),
                                    std::string("HKEY_CURRENT_USER\\a\nb"),
                                    std::string("HKEY_CURRENT_USER\\a\0b", 21), tooDeep}) {
        KeyStoreDocument document;
        document.createKey(path);
        document.writeString(path, "n", "v");
        document.writeNumber(path, "n", 1);
        EXPECT_TRUE(document.empty()) << path.size();
        EXPECT_FALSE(document.keyExists(path));
    }
    KeyStoreDocument deepest;
    deepest.writeNumber(tooDeep.substr(0, tooDeep.size() - 2), "n", 1);
    EXPECT_EQ(roundTrip(deepest), deepest);
}

TEST(KeyStoreDocument, JunkIsSkippedAndTheRestRead)
{
    struct Case {
        const char* what;
        std::string text;
        std::size_t skipped;
    };
    const std::string good = "[HKEY_CURRENT_USER\\A]\n\"keep\"=\"yes\"\n";
    const std::vector<Case> cases = {
        {"regedit style with CRLF, BOM and comments",
         "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n; note\r\n" + good, 1},
        {"truncated value at end", good + "\"cut\"=\"no end", 1},
        {"truncated key line at end", good + "[HKEY_CURRENT_USER\\B", 1},
        {"values under an unreadable key are not moved to the key before",
         good + "[HKEY_CURRENT_USER\\bad\x01]\n\"lost\"=\"x\"\n", 2},
        {"values before any key", "\"orphan\"=\"x\"\n" + good, 1},
        {"bad escapes, bad numbers, other types",
         good + "\"e\"=\"\\q\"\n\"h\"=\"\\xZ1\"\n\"n\"=dword:123456789\n\"m\"=dword:\n"
                "\"b\"=hex:01,02\n\"t\"=\"x\" trailing\n",
         6},
        {"binary garbage",
         std::string("\0\xFF\x01[\n\0\0\"\n", 9) + good + std::string("\xFF\xFE\x00\n", 4), 3},
        {"future header", "Pelto Browser key store 2\n" + good, 1},
    };
    for (const Case& c : cases) {
        std::size_t skipped = 0;
        const KeyStoreDocument document = KeyStoreDocument::parse(c.text, &skipped);
        EXPECT_EQ(document.readString("HKEY_CURRENT_USER\\A", "keep"), "yes") << c.what;
        EXPECT_EQ(document.valueNames("HKEY_CURRENT_USER\\A").size(), 1u) << c.what;
        EXPECT_EQ(skipped, c.skipped) << c.what;
    }

    const KeyStoreDocument lax = KeyStoreDocument::parse(
        "[HKEY_CURRENT_USER\\A]\n  \"n\" = DWORD:2A  \n@=\"d\"\n\"\"=\"also default\"\n"
        "\"dup\"=\"1\"\n\"DUP\"=\"2\"\n[hkey_current_user\\a]\n\"more\"=\"m\"\n");
    EXPECT_EQ(lax.readNumber("HKEY_CURRENT_USER\\A", "n"), 0x2Au);
    EXPECT_EQ(lax.readString("HKEY_CURRENT_USER\\A", ""), "also default");
    EXPECT_EQ(lax.readString("HKEY_CURRENT_USER\\A", "dup"), "2");
    EXPECT_EQ(lax.readString("HKEY_CURRENT_USER\\A", "more"), "m");
}

TEST(KeyStoreDocument, HugeHostileInputParsesWithoutCrashing)
{
    std::string deep = "[HKEY_CURRENT_USER";
    for (int i = 0; i < 200000; ++i)
        deep += "\\d";
    deep += "]\n\"v\"=\"x\"\n";
    std::string wide;
    for (int i = 0; i < 50000; ++i)
        wide += "[HKEY_CURRENT_USER\\k" + std::to_string(50000 - i) + "]\n\"v\"=dword:1\n";

    std::size_t skipped = 0;
    EXPECT_TRUE(KeyStoreDocument::parse(deep, &skipped).empty());
    EXPECT_EQ(skipped, 2u);
    const KeyStoreDocument document = KeyStoreDocument::parse(wide, &skipped);
    EXPECT_EQ(skipped, 0u);
    EXPECT_EQ(document.subKeyNames("HKEY_CURRENT_USER").size(), 50000u);
    EXPECT_EQ(KeyStoreDocument::parse(std::string(1 << 20, '\\')).empty(), true);
}
