#include "platform/key_store.h"
#include "platform/system_language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using pelto::platform::FileKeyStore;
using pelto::platform::MemoryKeyStore;

namespace {

constexpr const char* kMain = "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kTyped = "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs";

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class FileKeyStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath(QStringLiteral("Pelto Browser/keystore.reg")); }
    QString folder() const { return m_dir.filePath(QStringLiteral("Pelto Browser")); }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(FileKeyStoreTest, ChangesSurviveANewInstanceAndMissingFileStartsEmpty)
{
    {
        FileKeyStore store(path());
        EXPECT_FALSE(store.keyExists(kMain));
        EXPECT_TRUE(store.subKeyNames("").empty());
        EXPECT_FALSE(QFile::exists(path()));  // reading creates nothing

        EXPECT_TRUE(store.writeString(kMain, "Start Page", "http://example.com/\"x\"\n\xFF"));
        EXPECT_TRUE(store.writeNumber(kMain, "Count", 7));
        EXPECT_TRUE(store.createKey(kTyped));
        EXPECT_TRUE(store.writeString(kTyped, "url1", "a"));
        EXPECT_TRUE(store.deleteValue(kTyped, "URL1"));
        EXPECT_FALSE(store.deleteValue(kTyped, "url1"));
        EXPECT_FALSE(store.writeString("", "x", "y"));
    }
    FileKeyStore again(path());
    EXPECT_EQ(again.readString(kMain, "start page"), "http://example.com/\"x\"\n\xFF");
    EXPECT_EQ(again.readNumber(kMain, "Count"), 7u);
    EXPECT_TRUE(again.keyExists(kTyped));
    EXPECT_TRUE(again.valueNames(kTyped).empty());
    EXPECT_FALSE(QFile::exists(path() + ".bad"));
}

TEST_F(FileKeyStoreTest, EachInstanceSeesTheOthersChangesAndNoneIsLost)
{
    FileKeyStore first(path());
    FileKeyStore second(path());
    ASSERT_TRUE(first.writeString(kMain, "Start Page", "a"));
    EXPECT_EQ(second.readString(kMain, "Start Page"), "a");

    // Same size and the same timestamp (a coarse clock, or two writes in one instant): still
    // noticed.
    const QDateTime stamp = QFileInfo(path()).lastModified();
    ASSERT_TRUE(second.writeString(kMain, "Start Page", "b"));
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(first.readString(kMain, "Start Page"), "b");

    // Each change is made on the latest file, not on the instance's last view of it.
    for (int i = 1; i <= 10; ++i) {
        FileKeyStore& store = i % 2 ? first : second;
        ASSERT_TRUE(store.writeString(kTyped, "url" + std::to_string(i), std::to_string(i)));
    }
    FileKeyStore third(path());
    EXPECT_EQ(third.valueNames(kTyped).size(), 10u);
    EXPECT_EQ(third.readString(kMain, "Start Page"), "b");

    ASSERT_TRUE(first.deleteKey("HKEY_CURRENT_USER\\Software"));
    EXPECT_FALSE(second.keyExists(kMain));
    EXPECT_EQ(second.subKeyNames(""), std::vector<std::string>{"HKEY_CURRENT_USER"});
}

TEST_F(FileKeyStoreTest, AFileThatCannotBeReadIsKeptAsBad)
{
    const QString bad = path() + ".bad";
    ASSERT_TRUE(QDir().mkpath(folder()));

    // Too large: reads as empty; the first change moves it aside whole.
    {
        QByteArray huge(FileKeyStore::kMaxFileBytes + 1, 'x');
        huge.prepend("[HKEY_CURRENT_USER\\Big]\n");
        putFile(path(), huge);
        FileKeyStore store(path());
        EXPECT_FALSE(store.keyExists("HKEY_CURRENT_USER\\Big"));
        EXPECT_EQ(fileBytes(path()).size(), huge.size());  // reading alone keeps it
        ASSERT_TRUE(store.writeString(kMain, "Start Page", "new"));
        EXPECT_EQ(fileBytes(bad), huge);
        EXPECT_EQ(FileKeyStore(path()).readString(kMain, "Start Page"), "new");
    }

    // Unreadable (here a folder in its place): kept aside with what it holds.
    ASSERT_TRUE(QFile::remove(bad));
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir().mkpath(path()));
    putFile(path() + "/inside", "user data");
    {
        FileKeyStore store(path());
        EXPECT_FALSE(store.keyExists(kMain));
        ASSERT_TRUE(store.writeNumber(kMain, "n", 1));
        EXPECT_EQ(fileBytes(bad + "/inside"), "user data");
        EXPECT_EQ(FileKeyStore(path()).readNumber(kMain, "n"), 1u);
    }

    // Partly readable: reads what it can; the first change keeps a copy of the original.
    ASSERT_TRUE(QDir(bad).removeRecursively());
    const QByteArray junk = "[HKEY_CURRENT_USER\\A]\n\"keep\"=\"yes\"\n\x01\x02 junk\xFF\n";
    putFile(path(), junk);
    {
        FileKeyStore store(path());
        EXPECT_EQ(store.readString("HKEY_CURRENT_USER\\A", "keep"), "yes");
        EXPECT_FALSE(store.writeString("", "no", "change"));
        EXPECT_FALSE(QFile::exists(bad));  // nothing changed, nothing written
        ASSERT_TRUE(store.writeString("HKEY_CURRENT_USER\\A", "more", "m"));
        EXPECT_EQ(fileBytes(bad), junk);
        FileKeyStore again(path());
        EXPECT_EQ(again.readString("HKEY_CURRENT_USER\\A", "keep"), "yes");
        EXPECT_EQ(again.readString("HKEY_CURRENT_USER\\A", "more"), "m");
        // Now clean, later changes leave the copy alone.
        ASSERT_TRUE(again.writeString("HKEY_CURRENT_USER\\A", "more", "m2"));
        EXPECT_EQ(fileBytes(bad), junk);
    }
}

TEST_F(FileKeyStoreTest, TheFileIsReplacedWholeNeverRewrittenInPlace)
{
    FileKeyStore store(path());
    ASSERT_TRUE(store.writeString(kMain, "Start Page", std::string(50000, 'a')));
    const QByteArray before = fileBytes(path());

    // A reader that opened the old file keeps seeing all of it while the change lands.
    QFile reader(path());
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_TRUE(store.writeString(kMain, "Start Page", "short"));
    EXPECT_EQ(reader.readAll(), before);
    EXPECT_EQ(FileKeyStore(path()).readString(kMain, "Start Page"), "short");

    // A folder that cannot take the new file: the change fails and the old file stays whole.
    const QByteArray current = fileBytes(path());
    FileKeyStore blocked(m_dir.filePath(QStringLiteral("Pelto Browser/keystore.reg/sub/x.reg")));
    EXPECT_FALSE(blocked.writeString(kMain, "Start Page", "never"));
    EXPECT_EQ(fileBytes(path()), current);
}

TEST_F(FileKeyStoreTest, ALockLeftByADeadProcessIsTakenOver)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    putFile(path() + ".lock",
            "999999999\npelto_platform_tests\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    FileKeyStore store(path());
    EXPECT_TRUE(store.writeString(kMain, "Start Page", "x"));
    EXPECT_FALSE(QFile::exists(path() + ".lock"));
}

TEST_F(FileKeyStoreTest, ALockHeldByALiveWriterMakesTheChangeFail)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    FileKeyStore store(path());
    ASSERT_TRUE(store.writeString(kMain, "Start Page", "old"));
    QLockFile held(path() + ".lock");
    ASSERT_TRUE(held.tryLock(0));
    EXPECT_FALSE(store.writeString(kMain, "Start Page", "new"));
    held.unlock();
    EXPECT_EQ(store.readString(kMain, "Start Page"), "old");
}

TEST(MemoryKeyStore, AReadOnlyStoreRefusesChanges)
{
    MemoryKeyStore store;
    ASSERT_TRUE(store.writeString(kMain, "Start Page", "a"));
    store.setWritable(false);
    EXPECT_FALSE(store.writeString(kMain, "Start Page", "b"));
    EXPECT_FALSE(store.deleteKey(kMain));
    EXPECT_EQ(store.readString(kMain, "Start Page"), "a");
    EXPECT_EQ(store.document().valueNames(kMain), std::vector<std::string>{"Start Page"});
}

TEST(KeyStorePath, FollowsXdgConfigHome)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString home = QDir::homePath() + "/.config/Pelto Browser/keystore.reg";
    const struct {
        const char* value;
        QString expected;
    } cases[] = {
        {"/tmp/cfg", QStringLiteral("/tmp/cfg/Pelto Browser/keystore.reg")},
        {"relative/cfg", home},
        {"", home},
    };
    for (const auto& c : cases) {
        qputenv("XDG_CONFIG_HOME", c.value);
        EXPECT_EQ(pelto::platform::defaultKeyStorePath(), c.expected) << c.value;
    }
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(pelto::platform::defaultKeyStorePath(), home);
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST(SystemLanguage, LocalesMapToWindowsLanguageIds)
{
    using pelto::platform::LanguageIdFor;
    const struct {
        QLocale::Language language;
        QLocale::Territory territory;
        std::uint16_t id;
    } cases[] = {
        {QLocale::German, QLocale::Germany, 0x0407},
        {QLocale::German, QLocale::Switzerland, 0x0807},
        {QLocale::French, QLocale::Switzerland, 0x100C},
        {QLocale::Italian, QLocale::Switzerland, 0x0810},
        {QLocale::Spanish, QLocale::Uruguay, 0x380A},
        {QLocale::Spanish, QLocale::Spain, 0x0C0A},
        {QLocale::Spanish, QLocale::UnitedStates, 0x0C0A},
        {QLocale::Chinese, QLocale::China, 0x0804},
        {QLocale::Chinese, QLocale::Taiwan, 0x0404},
        {QLocale::Chinese, QLocale::HongKong, 0x0C04},
        {QLocale::English, QLocale::UnitedStates, 0x0409},
        {QLocale::English, QLocale::UnitedKingdom, 0x0809},
        {QLocale::English, QLocale::Australia, 0x0409},
        {QLocale::Arabic, QLocale::UnitedArabEmirates, 0x3801},
        {QLocale::Portuguese, QLocale::Brazil, 0x0416},
        {QLocale::Portuguese, QLocale::Portugal, 0x0816},
        {QLocale::NorwegianNynorsk, QLocale::Norway, 0x0814},
        {QLocale::Macedonian, QLocale::Macedonia, 0x0409},
        {QLocale::C, QLocale::AnyTerritory, 0x0409},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageIdFor(c.language, c.territory), c.id)
            << QLocale::languageToString(c.language).toStdString() << " / "
            << QLocale::territoryToString(c.territory).toStdString();
    }
}
