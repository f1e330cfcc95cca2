#include "platform/keyword_plugin.h"

#include "core/navigation/address_rules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using pelto::core::KeywordConverter;
using pelto::platform::KeywordPlugin;
using pelto::platform::keywordPluginPath;
using Availability = KeywordConverter::Availability;

namespace {

// A program folder of its own, into which a test puts its "cnstd.so".
class KeywordPluginTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString pluginPath() const { return keywordPluginPath(m_dir.path()); }
    void install(const char* library) const
    {
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(library), pluginPath()));
    }

    QTemporaryDir m_dir;
};

bool noPaths(std::string_view)
{
    return false;
}

}  // namespace

TEST_F(KeywordPluginTest, PathIsTheFileInTheProgramFolder)
{
    EXPECT_EQ(keywordPluginPath(QStringLiteral("/opt/pelto/")), QStringLiteral("/opt/pelto/cnstd.so"));
    EXPECT_EQ(keywordPluginPath(QStringLiteral("/opt/pelto")), QStringLiteral("/opt/pelto/cnstd.so"));
}

TEST_F(KeywordPluginTest, MissingLibraryIsAbsentAndAddressesOpenAsWithout)
{
    const KeywordPlugin plugin(pluginPath());
    EXPECT_EQ(plugin.availability(), Availability::Absent);
    EXPECT_FALSE(plugin.isKeyword("kw:a"));
    EXPECT_FALSE(plugin.convert("kw:a"));
    EXPECT_EQ(pelto::core::AddressOnEnter("kw:a", {}, noPaths, plugin), "http://kw:a");
    EXPECT_EQ(KeywordPlugin(QString()).availability(), Availability::Absent);
}

TEST_F(KeywordPluginTest, LibraryThatDoesNotLoadOrLacksTheExportsIsUnusable)
{
    {
        QFile garbage(pluginPath());
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write("\x7f" "ELF but not really", 19);
    }
    EXPECT_EQ(KeywordPlugin(pluginPath()).availability(), Availability::Unusable);
    ASSERT_TRUE(QFile::remove(pluginPath()));

    install(PELTO_CNSTD_UNUSABLE);
    const KeywordPlugin plugin(pluginPath());
    EXPECT_EQ(plugin.availability(), Availability::Unusable);
    EXPECT_FALSE(plugin.isKeyword("kw:a"));
    EXPECT_FALSE(plugin.convert("kw:a"));
    EXPECT_EQ(pelto::core::AddressOnEnter("b.c", {}, noPaths, plugin), "b.c");  // no prefix
    EXPECT_EQ(pelto::core::AcceptedAddress("kw:a", plugin), "kw:a");

    // A folder of that name is there but is no library.
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("sub/cnstd.so")));
    EXPECT_EQ(KeywordPlugin(keywordPluginPath(m_dir.filePath(QStringLiteral("sub")))).availability(),
              Availability::Unusable);
}

TEST_F(KeywordPluginTest, WorkingLibraryConvertsKeywords)
{
    install(PELTO_CNSTD_FULL);
    const KeywordPlugin plugin(pluginPath());
    ASSERT_EQ(plugin.availability(), Availability::Usable);
    EXPECT_TRUE(plugin.canConvert());
    EXPECT_TRUE(plugin.isKeyword("kw:pelto"));
    EXPECT_FALSE(plugin.isKeyword("pelto"));
    EXPECT_EQ(plugin.convert("kw:pelto"), "http://www.pelto.example/");
    EXPECT_EQ(plugin.convert("kwlongest"), std::string(KeywordPlugin::kBufferSize - 1, 'y'));

    // Enter keeps a keyword free of the prefix; accepting it opens the converted address.
    const std::string text = pelto::core::AddressOnEnter("  kw:pelto", {}, noPaths, plugin);
    EXPECT_EQ(text, "kw:pelto");
    EXPECT_EQ(pelto::core::AcceptedAddress(text, plugin), "http://www.pelto.example/");
    EXPECT_EQ(pelto::core::AddressOnEnter("b.c", {}, noPaths, plugin), "http://b.c");
}

TEST_F(KeywordPluginTest, UnsoundAnswersAndTextsAreNotUsed)
{
    install(PELTO_CNSTD_FULL);
    const KeywordPlugin plugin(pluginPath());
    ASSERT_EQ(plugin.availability(), Availability::Usable);
    for (const char* text : {"kwempty", "kwfull", "kwoverrun"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(plugin.isKeyword(text));
        EXPECT_FALSE(plugin.convert(text));
        EXPECT_EQ(pelto::core::AcceptedAddress(text, plugin), text);  // opens unconverted
    }
    // Texts the library's buffer could not hold, or that a C string would cut, are not handed over.
    const std::string longText = "kw:" + std::string(KeywordPlugin::kMaxKeywordLength, 'a');
    EXPECT_FALSE(plugin.isKeyword(longText));
    EXPECT_FALSE(plugin.convert(longText));
    EXPECT_FALSE(plugin.isKeyword(std::string("kw\0x", 4)));
    EXPECT_FALSE(plugin.isKeyword(""));
}

TEST_F(KeywordPluginTest, LibraryWithoutConversionStillDecidesThePrefix)
{
    install(PELTO_CNSTD_NOCONVERT);
    const KeywordPlugin plugin(pluginPath());
    ASSERT_EQ(plugin.availability(), Availability::Usable);
    EXPECT_FALSE(plugin.canConvert());
    EXPECT_FALSE(plugin.convert("kw:pelto"));
    EXPECT_EQ(pelto::core::AddressOnEnter("kw:pelto", {}, noPaths, plugin), "kw:pelto");
    EXPECT_EQ(pelto::core::AcceptedAddress("kw:pelto", plugin), "kw:pelto");
    EXPECT_EQ(pelto::core::AddressOnEnter("b.c", {}, noPaths, plugin), "http://b.c");
}
