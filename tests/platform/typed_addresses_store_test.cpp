#include "platform/typed_addresses_store.h"

#include <gtest/gtest.h>

#include <string>

using pelto::core::KeyStoreDocument;
using pelto::core::TypedAddressList;
using pelto::platform::kTypedUrlsKey;
using pelto::platform::MemoryKeyStore;
using pelto::platform::TypedAddressesStore;

namespace {

std::string address(int n)
{
    return "http://a" + std::to_string(n) + ".example/";
}

}  // namespace

TEST(TypedAddressesStore, RememberWritesTheListBackMostRecentFirst)
{
    MemoryKeyStore keys;
    TypedAddressesStore store(keys);
    EXPECT_TRUE(store.load().empty());
    EXPECT_FALSE(keys.keyExists(kTypedUrlsKey));  // reading creates nothing

    store.remember("http://a.example/");
    store.remember("http://b.example/");
    EXPECT_EQ(store.remember("http://a.example/"), (TypedAddressList {"http://a.example/", "http://b.example/"}));
    EXPECT_EQ(keys.readString(kTypedUrlsKey, "Url1"), "http://a.example/");
    EXPECT_EQ(keys.readString(kTypedUrlsKey, "Url2"), "http://b.example/");
    EXPECT_EQ(keys.valueNames(kTypedUrlsKey).size(), 2u);

    EXPECT_EQ(store.remember("javascript:alert(1)").size(), 2u);
    EXPECT_TRUE(store.clear());
    EXPECT_TRUE(store.load().empty());
    EXPECT_TRUE(keys.valueNames(kTypedUrlsKey).empty());
}

TEST(TypedAddressesStore, CorruptOverlongListIsReadSoundAndCutOnSave)
{
    KeyStoreDocument document;
    for (int n = 1; n <= 30; ++n)
        document.writeString(kTypedUrlsKey, "url" + std::to_string(n), address(n));
    document.writeNumber(kTypedUrlsKey, "Url2", 7);
    document.writeString(kTypedUrlsKey, "Url4", "http://bad\x01/");
    document.writeString(kTypedUrlsKey, "Other", "kept");
    MemoryKeyStore keys(document);
    TypedAddressesStore store(keys);

    const TypedAddressList list = store.load();
    ASSERT_EQ(list.size(), 25u);
    EXPECT_EQ(list[0], address(1));
    EXPECT_EQ(list[1], address(3));
    EXPECT_EQ(list[2], address(5));
    EXPECT_EQ(list.back(), address(27));
    EXPECT_EQ(keys.document(), document);  // reading changed nothing

    ASSERT_TRUE(store.save(list));
    EXPECT_EQ(store.load(), list);
    EXPECT_EQ(keys.readString(kTypedUrlsKey, "Url2"), address(3));
    EXPECT_FALSE(keys.readString(kTypedUrlsKey, "Url26"));
    EXPECT_FALSE(keys.readString(kTypedUrlsKey, "Url30"));
    EXPECT_EQ(keys.readString(kTypedUrlsKey, "Other"), "kept");
}

TEST(TypedAddressesStore, FailedSaveIsReportedAndKeepsTheOldList)
{
    MemoryKeyStore keys;
    TypedAddressesStore store(keys);
    store.remember(address(1));
    keys.setWritable(false);
    EXPECT_FALSE(store.save({address(2), address(1)}));
    EXPECT_EQ(store.load(), (TypedAddressList {address(1)}));
}
