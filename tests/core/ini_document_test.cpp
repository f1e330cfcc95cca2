#include "core/app/ini_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using pelto::core::IniDocument;

namespace {

using Content = std::vector<std::tuple<std::string, std::string, std::string>>;

// Everything a reader can find in a document: section, key and value, in order.
Content contentOf(const IniDocument& doc) {
  Content content;
  for (const std::string& section : doc.sectionNames()) {
    for (const std::string& key : doc.keyNames(section)) {
      content.emplace_back(section, key, doc.readValue(section, key).value_or("<missing>"));
    }
  }
  return content;
}

// parse(serialize(doc)) finds the same content and writes the same bytes.
void expectStableRoundTrip(const IniDocument& doc, const std::string& label) {
  const std::string first = doc.serialize();
  const IniDocument again = IniDocument::parse(first);
  EXPECT_EQ(contentOf(again), contentOf(doc)) << label;
  EXPECT_EQ(again.serialize(), first) << label;
}

using namespace std::string_literals;

struct ReadCase {
  const char* name;
  std::string text;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

const std::vector<ReadCase>& readCases() {
  static const std::vector<ReadCase> cases = {
      {"plain", "[S]\nk=v\n", "S", "k", "v"},
      {"utf8 bom skipped", "\xEF\xBB\xBF[S]\nk=v", "S", "k", "v"},
      {"bom later is a character", "[S]\n\xEF\xBB\xBFk=v", "S", "k", std::nullopt},
      {"cr only", "[S]\rk=v\rj=w", "S", "j", "w"},
      {"crlf", "[S]\r\nk=v\r\n", "S", "k", "v"},
      {"mixed line ends", "[S]\r\na=1\rb=2\nc=3\r\n\rd=4", "S", "d", "4"},
      {"no line end at all", "[S]", "S", "k", std::nullopt},
      {"hand-edited spaces", "[S]\nk = v \n", "S", "k", "v"},
      {"hand-edited tabs", "[S]\nk\t=\t v\t\n", "S", "k", "v"},
      {"blank after = only is kept", "[S]\nk= v \n", "S", "k", " v "},
      {"trailing blank kept", "[S]\nk=v \t\n", "S", "k", "v \t"},
      {"indented key", "[S]\n\t  k=v\n", "S", "k", "v"},
      {"value holds =", "[S]\nk=a=b\n", "S", "k", "a=b"},
      {"empty value", "[S]\nLangFile=\n", "S", "LangFile", ""},
      {"absent key", "[S]\nk=v\n", "S", "j", std::nullopt},
      {"absent section", "[S]\nk=v\n", "T", "k", std::nullopt},
      {"key case", "[pelto browser settings]\nshowsplash=no\n", "Pelto Browser Settings",
       "ShowSplash", "no"},
      {"repeated key first wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
      {"repeated section first wins", "[S]\nk=1\n[s]\nk=2\nj=3\n", "S", "k", "1"},
      {"repeated section is not merged", "[S]\nk=1\n[s]\nk=2\nj=3\n", "S", "j", std::nullopt},
      {"comment ;", "[S]\n;k=v\n", "S", ";k", std::nullopt},
      {"comment #", "[S]\n  #k=v\n", "S", "#k", std::nullopt},
      {"line without =", "[S]\nk\n", "S", "k", std::nullopt},
      {"empty key is not a key", "[S]\n = v\n", "S", "", std::nullopt},
      {"key before any section", "k=v\n[S]\n", "S", "k", std::nullopt},
      {"name up to the last ]", "[a]b] ; x\nk=v\n", "a]b", "k", "v"},
      {"indented header", "  [S]  \nk=v\n", "S", "k", "v"},
      {"bracket without ] is no header", "[S]\n[x\nk=v\n", "S", "k", "v"},
      {"bracket key", "[S]\n[x=1\n", "S", "[x", "1"},
      {"empty section name", "[]\nk=v\n", "", "k", "v"},
      {"nul is a character", "[S]\nk=a\0b\n"s, "S", "k", "a\0b"s},
      {"nul in key", "[S]\nk\0=1\n"s, "S", "k\0"s, "1"},
      {"high bytes", "[S\xFF]\nk\xFE=\xFF\xFF\n", "s\xFF", "K\xFE", "\xFF\xFF"},
  };
  return cases;
}

TEST(IniDocumentTest, ReadingRules) {
  for (const ReadCase& c : readCases()) {
    const IniDocument doc = IniDocument::parse(c.text);
    EXPECT_EQ(doc.readValue(c.section, c.key), c.expected) << c.name;
    EXPECT_EQ(doc.valueExists(c.section, c.key), c.expected.has_value()) << c.name;
  }
}

TEST(IniDocumentTest, EveryReadCaseRoundTrips) {
  for (const ReadCase& c : readCases()) {
    expectStableRoundTrip(IniDocument::parse(c.text), c.name);
  }
  for (const std::string& text :
       {""s, "\xEF\xBB\xBF"s, "\xEF\xBB\xBF\xEF\xBB\xBFx=1\n[S]\n"s, "\r\r\n\n"s, "["s, "]"s, "="s,
        "[S]\n=\n==\n[=]\n"s}) {
    expectStableRoundTrip(IniDocument::parse(text), text);
  }
}

TEST(IniDocumentTest, KeptLinesSurviveAndKeyLinesAreNormalised) {
  const std::string text =
      "; written by hand\r\n"
      "stray=line\r\n"
      "[S]\r\n"
      "a = 1\r\n"
      "\r\n"
      "# note\r\n"
      "b=2\r\n"
      "junk without equals\r\n"
      "a=again\r\n";
  EXPECT_EQ(IniDocument::parse(text).serialize(),
            "; written by hand\n"
            "stray=line\n"
            "[S]\n"
            "a=1\n"
            "\n"
            "# note\n"
            "b=2\n"
            "junk without equals\n"
            "a=again\n");
}

TEST(IniDocumentTest, CaseFoldingIsAsciiLettersOnly) {
  struct Case {
    std::string stored;
    std::string asked;
    bool found;
  };
  // Long names are compared eight bytes at a time, so differences sit on both
  // sides of the eighth byte.
  const std::vector<Case> cases = {
      {"EnableJavaApplets", "enablejavaapplets", true},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", true},
      {"abcdefgh@", "ABCDEFGH`", false},
      {"[abcdefgh", "{ABCDEFGH", false},
      {"abcdefghZ", "abcdefgh\x7A", true},
      {"\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9", "\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9", false},
      {"\xC1", "\xE1", false},
      {"Order", "Orders", false},
      {"abcdefgh", "abcdefgi", false},
  };
  for (const Case& c : cases) {
    const IniDocument doc = IniDocument::parse("[" + c.stored + "]\n" + c.stored + "=1\n");
    EXPECT_EQ(doc.sectionExists(c.asked), c.found) << c.asked;
    EXPECT_EQ(doc.valueExists(c.stored, c.asked), c.found) << c.asked;
  }
}

TEST(IniDocumentTest, NamesListedOnceInDocumentOrder) {
  const IniDocument doc =
      IniDocument::parse("[B]\nz=1\n[a]\ny=1\nY=2\nx=3\n[b]\nw=1\n[Favorites\\x\\]\nOrder=1\n");
  EXPECT_EQ(doc.sectionNames(), (std::vector<std::string>{"B", "a", "Favorites\\x\\"}));
  EXPECT_EQ(doc.keyNames("A"), (std::vector<std::string>{"y", "x"}));
  EXPECT_EQ(doc.keyNames("b"), (std::vector<std::string>{"z"}));
  EXPECT_TRUE(doc.keyNames("missing").empty());
  EXPECT_TRUE(doc.sectionExists("favorites\\X\\"));
  EXPECT_FALSE(doc.sectionExists("Favorites"));
}

TEST(IniDocumentTest, WriteReplacesFirstOccurrenceOnly) {
  IniDocument doc = IniDocument::parse("[S]\nk=1\nk=2\n");
  doc.writeValue("s", "K", "9");
  EXPECT_EQ(doc.serialize(), "[S]\nk=9\nk=2\n");
  EXPECT_EQ(doc.readValue("S", "k"), "9");
}

TEST(IniDocumentTest, WriteAddsAfterLastKeyAndCreatesMissingSection) {
  IniDocument doc = IniDocument::parse("top\n[S]\na=1\n; about a\n\n; about T\n[T]\n\n");
  doc.writeValue("S", "b", "2");
  doc.writeValue("T", "c", "3");
  doc.writeValue("U", "d", "4");
  EXPECT_EQ(doc.serialize(),
            "top\n[S]\na=1\nb=2\n; about a\n\n; about T\n[T]\nc=3\n\n[U]\nd=4\n");
  expectStableRoundTrip(doc, "after writes");

  IniDocument empty;
  empty.writeValue("S", "k", "v");
  EXPECT_EQ(empty.serialize(), "[S]\nk=v\n");
}

TEST(IniDocumentTest, WrittenValuesReadBackExactly) {
  const std::vector<std::string> values = {
      "", " ", "\t", " v", "v ", "\tv\t", " = ", "=", "a=b", "[x]", "[S]", ";c", "#c", "\xEF\xBB\xBF",
      "a\0b"s, std::string(1000, ' '), "\xFF\xFE"};
  IniDocument doc;
  for (std::size_t i = 0; i < values.size(); ++i) {
    doc.writeValue("S", "k" + std::to_string(i), values[i]);
  }
  const IniDocument again = IniDocument::parse(doc.serialize());
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(again.readValue("S", "k" + std::to_string(i)), values[i]) << i;
  }
  expectStableRoundTrip(doc, "written values");
}

TEST(IniDocumentTest, LineBreaksInWrittenTextBecomeSpaces) {
  IniDocument doc;
  doc.writeValue("Sec\ntion", "k", "a\r\nb\rc\n[X]\nd=1");
  doc.writeValue("S", "two\nwords", "v");
  EXPECT_EQ(doc.readValue("Sec\ntion", "k"), "a\r\nb\rc\n[X]\nd=1");  // in memory as given

  const std::string text = doc.serialize();
  EXPECT_EQ(text, "[Sec tion]\nk=a  b c [X] d=1\n[S]\ntwo words=v\n");
  const IniDocument again = IniDocument::parse(text);
  EXPECT_EQ(again.sectionNames(), (std::vector<std::string>{"Sec tion", "S"}));
  EXPECT_EQ(again.keyNames("Sec tion"), (std::vector<std::string>{"k"}));
  EXPECT_EQ(again.readValue("S", "two words"), "v");
}

TEST(IniDocumentTest, KeysNoLineCouldCarryAreIgnored) {
  const std::string text = "[S]\n[x=1\n";
  for (const std::string& key : {""s, "  "s, "a=b"s, "[x"s, ";c"s, "#c"s, "\nk"s, "k\r"s}) {
    IniDocument doc = IniDocument::parse(text);
    doc.writeValue("S", key, "v");
    doc.writeValue("New", key, "v");
    EXPECT_EQ(doc.serialize(), text) << key;
  }
}

TEST(IniDocumentTest, KeysMatchTrimmed) {
  IniDocument doc = IniDocument::parse("[S]\nk=1\n");
  doc.writeValue("S", " \tk ", "2");
  doc.writeValue("S", " j\t", "3");
  EXPECT_EQ(doc.serialize(), "[S]\nk=2\nj=3\n");
  EXPECT_EQ(doc.readValue("S", " j "), "3");
}

TEST(IniDocumentTest, EraseSectionRemovesEveryCopy) {
  IniDocument doc =
      IniDocument::parse("[Favorites\\a\\]\nOrder=1\n[Keep]\nk=v\n[favorites\\A\\]\nOrder=2\n");
  doc.eraseSection("FAVORITES\\a\\");
  EXPECT_EQ(doc.serialize(), "[Keep]\nk=v\n");
  EXPECT_FALSE(doc.sectionExists("Favorites\\a\\"));
  EXPECT_EQ(doc.readValue("Keep", "k"), "v");

  doc.eraseSection("missing");
  doc.writeValue("Favorites\\a\\", "Order", "3");
  EXPECT_EQ(doc.serialize(), "[Keep]\nk=v\n[Favorites\\a\\]\nOrder=3\n");
}

TEST(IniDocumentTest, HugeLines) {
  std::string big(4 * 1024 * 1024, 'x');
  big[17] = '\0';
  big[1000] = '\xFF';
  const IniDocument doc = IniDocument::parse("[S]\nbig=" + big + "\nafter=1\n" + big + "\n");
  EXPECT_EQ(doc.readValue("S", "big"), big);
  EXPECT_EQ(doc.readValue("S", "after"), "1");
  EXPECT_EQ(doc.keyNames("S").size(), 2u);
  expectStableRoundTrip(doc, "4 MB lines");
}

// Random bytes drawn mostly from the characters that steer the reader.
TEST(IniDocumentTest, RandomBytesParseAndRoundTrip) {
  const std::string alphabet = "[]=;# \t\r\n\0\xFF\xEF\xBB\xBF" "abAB"s;
  std::mt19937 random(20240601);
  for (int round = 0; round < 500; ++round) {
    const std::size_t length = random() % 400;
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
      text.push_back(random() % 4 == 0 ? static_cast<char>(random() % 256)
                                       : alphabet[random() % alphabet.size()]);
    }
    IniDocument doc = IniDocument::parse(text);
    expectStableRoundTrip(doc, "round " + std::to_string(round));
    std::string oneLine = text;
    std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    doc.writeValue("S", "k", oneLine);
    expectStableRoundTrip(doc, "written, round " + std::to_string(round));
  }
}

}  // namespace
