#include "core/navigation/typed_addresses.h"

#include <gtest/gtest.h>

#include <string>

using namespace pelto::core;

namespace {

TypedAddressList numbered(std::size_t count)
{
    TypedAddressList list;
    for (std::size_t i = 0; i < count; ++i)
        list.push_back("http://a" + std::to_string(i) + ".example/");
    return list;
}

}  // namespace

TEST(TypedAddresses, AddMovesToTheFrontAndKeepsTwentyFive)
{
    TypedAddressList list = AddTypedAddress({}, "http://a.example/");
    list = AddTypedAddress(list, "http://b.example/");
    list = AddTypedAddress(list, "http://a.example/");
    EXPECT_EQ(list, (TypedAddressList {"http://a.example/", "http://b.example/"}));
    list = AddTypedAddress(list, "http://A.example/");  // compared exactly
    EXPECT_EQ(list.size(), 3u);

    list = AddTypedAddress(numbered(25), "http://new.example/");
    ASSERT_EQ(list.size(), kMaxTypedAddresses);
    EXPECT_EQ(list.front(), "http://new.example/");
    EXPECT_EQ(list.back(), "http://a23.example/");
}

TEST(TypedAddresses, InvalidAddressesAreNotRemembered)
{
    const TypedAddressList start {"http://a.example/"};
    const std::string invalid[] = {
        "", "   ", "http://a\nb/", std::string("a\0b", 3), "javascript:alert(1)",
        "\xff\xfe", "\xc0\xaf", "\xed\xa0\x80", "\xe2\x82", std::string(kMaxTypedAddressLength + 1, 'a'),
    };
    for (const std::string& address : invalid) {
        SCOPED_TRACE(address);
        EXPECT_FALSE(IsValidTypedAddress(address));
        EXPECT_EQ(AddTypedAddress(start, address), start);
    }
    for (const std::string address : {"http://b.c/%zz", "\xe2\x82\xac.example", "\xf0\x9f\x98\x80", "mailto:x"})
        EXPECT_TRUE(IsValidTypedAddress(address)) << address;
}

TEST(TypedAddresses, ValueNamesRunFromUrl1)
{
    EXPECT_EQ(TypedAddressValueName(0), "Url1");
    EXPECT_EQ(TypedAddressValueName(24), "Url25");
    const std::pair<const char*, std::optional<std::size_t>> names[] = {
        {"Url1", 1}, {"URL25", 25}, {"url300", 300}, {"Url0", std::nullopt}, {"Url01", std::nullopt},
        {"Url", std::nullopt}, {"Url1x", std::nullopt}, {"Url-1", std::nullopt}, {"MyUrl1", std::nullopt},
        {"Url99999999999999999999", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [name, number] : names)
        EXPECT_EQ(TypedAddressValueNumber(name), number) << name;
}

TEST(TypedAddresses, CorruptOrOverlongStoreGivesTwentyFiveValidEntries)
{
    std::vector<std::pair<std::string, std::optional<std::string>>> values;
    for (int n = 40; n >= 1; --n)  // listed out of order, with more than 25
        values.push_back({"url" + std::to_string(n), "http://a" + std::to_string(n) + ".example/"});
    values.push_back({"Url2", std::nullopt});                         // hidden by the string Url2
    values[40 - 3].second = "http://bad\x01/";                        // Url3 is corrupt
    values[40 - 5].second = "http://a1.example/";                     // Url5 repeats Url1
    values.push_back({"Url0", "http://zero.example/"});
    values.push_back({"Other", "http://other.example/"});
    values.push_back({"Url07", "http://seven.example/"});

    const TypedAddressList list = TypedAddressesFromValues(values);
    ASSERT_EQ(list.size(), kMaxTypedAddresses);
    EXPECT_EQ(list[0], "http://a1.example/");
    EXPECT_EQ(list[1], "http://a2.example/");
    EXPECT_EQ(list[2], "http://a4.example/");
    EXPECT_EQ(list[3], "http://a6.example/");
    EXPECT_EQ(list.back(), "http://a27.example/");

    EXPECT_TRUE(TypedAddressesFromValues({{"Url1", std::nullopt}}).empty());
    EXPECT_EQ(NormalizeTypedAddresses({"b", "", "b", "c"}), (TypedAddressList {"b", "c"}));
}

TEST(TypedAddresses, CompletionsMatchTheStartOrTheHost)
{
    const TypedAddressList list {"http://www.example.com/", "https://Example.org/", "ftp://files.example.net/",
                                 "example.local", "http://www.other.com/"};
    EXPECT_EQ(TypedAddressCompletions(list, "exa"),
              (TypedAddressList {"http://www.example.com/", "https://Example.org/", "example.local"}));
    EXPECT_EQ(TypedAddressCompletions(list, "HTTP://www.o"), (TypedAddressList {"http://www.other.com/"}));
    EXPECT_EQ(TypedAddressCompletions(list, "www.ex"), (TypedAddressList {"http://www.example.com/"}));
    EXPECT_EQ(TypedAddressCompletions(list, "files"), (TypedAddressList {"ftp://files.example.net/"}));
    EXPECT_TRUE(TypedAddressCompletions(list, "").empty());
    EXPECT_TRUE(TypedAddressCompletions(list, "  ").empty());
    EXPECT_TRUE(TypedAddressCompletions(list, std::string(10000, 'e')).empty());
}
