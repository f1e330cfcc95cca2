#include "platform/key_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <utility>

namespace pelto::platform {

namespace {

// A lock older than this is taken to be left behind by a process that hung or crashed;
// a change holds the lock for a read, a parse and a write of a small file.
constexpr int kStaleLockMs = 10000;
constexpr int kLockTimeoutMs = 2000;

// Timestamps of some file systems are coarse; a file modified more recently than this may be
// rewritten without its timestamp or size changing, so its bytes are compared instead.
constexpr qint64 kTimestampSlackMs = 2000;

}  // namespace

bool KeyStore::keyExists(std::string_view path) const
{
    return current().keyExists(path);
}

std::optional<std::string> KeyStore::readString(std::string_view path,
                                                std::string_view name) const
{
    return current().readString(path, name);
}

std::optional<std::uint32_t> KeyStore::readNumber(std::string_view path,
                                                  std::string_view name) const
{
    return current().readNumber(path, name);
}

std::vector<std::string> KeyStore::valueNames(std::string_view path) const
{
    return current().valueNames(path);
}

std::vector<std::string> KeyStore::subKeyNames(std::string_view path) const
{
    return current().subKeyNames(path);
}

bool KeyStore::createKey(std::string_view path)
{
    return apply([&](core::KeyStoreDocument& document) {
        document.createKey(path);
        return document.keyExists(path);
    });
}

bool KeyStore::deleteKey(std::string_view path)
{
    return apply([&](core::KeyStoreDocument& document) { return document.deleteKey(path); });
}

bool KeyStore::writeString(std::string_view path, std::string_view name, std::string_view value)
{
    return apply([&](core::KeyStoreDocument& document) {
        document.writeString(path, name, value);
        return document.keyExists(path);
    });
}

bool KeyStore::writeNumber(std::string_view path, std::string_view name, std::uint32_t value)
{
    return apply([&](core::KeyStoreDocument& document) {
        document.writeNumber(path, name, value);
        return document.keyExists(path);
    });
}

bool KeyStore::deleteValue(std::string_view path, std::string_view name)
{
    return apply(
        [&](core::KeyStoreDocument& document) { return document.deleteValue(path, name); });
}

MemoryKeyStore::MemoryKeyStore(core::KeyStoreDocument document)
    : m_document(std::move(document))
{
}

bool MemoryKeyStore::apply(const Change& change)
{
    if (!m_writable)
        return false;
    return change(m_document);
}

FileKeyStore::FileKeyStore(QString filePath)
    : m_filePath(std::move(filePath))
{
}

FileKeyStore::Stamp FileKeyStore::stamp() const
{
    const QFileInfo info(m_filePath);
    Stamp result;
    result.exists = info.exists();
    if (result.exists) {
        result.size = info.size();
        result.modified = info.lastModified();
    }
    return result;
}

FileKeyStore::Loaded FileKeyStore::load() const
{
    ReadResult read = readWholeFile(m_filePath, kMaxFileBytes);
    Loaded loaded;
    loaded.status = read.status;
    if (read.status == ReadStatus::Ok) {
        std::size_t skipped = 0;
        loaded.document = core::KeyStoreDocument::parse(
            std::string_view(read.data.constData(), static_cast<std::size_t>(read.data.size())),
            &skipped);
        loaded.complete = skipped == 0;
        loaded.bytes = std::move(read.data);
    } else {
        loaded.complete = read.status == ReadStatus::Missing;
    }
    return loaded;
}

void FileKeyStore::remember(Loaded loaded, const Stamp& stamp) const
{
    m_cache = std::move(loaded);
    m_stamp = stamp;
    m_loaded = true;
    m_settled = !stamp.exists
        || stamp.modified.msecsTo(QDateTime::currentDateTime()) > kTimestampSlackMs;
}

const core::KeyStoreDocument& FileKeyStore::current() const
{
    // The stamp is taken before the read: a change landing in between is then seen next time.
    const Stamp now = stamp();
    if (m_loaded && m_settled && now == m_stamp)
        return m_cache.document;
    Loaded loaded = load();
    if (m_loaded && loaded.status == m_cache.status && loaded.bytes == m_cache.bytes) {
        loaded.document = std::move(m_cache.document);
    }
    remember(std::move(loaded), now);
    return m_cache.document;
}

bool FileKeyStore::apply(const Change& change)
{
    const QFileInfo info(m_filePath);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QLockFile lock(m_filePath + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockTimeoutMs))
        return false;

    const Stamp before = stamp();
    Loaded loaded = load();
    core::KeyStoreDocument document = loaded.document;
    const bool answer = change(document);
    if (document == loaded.document) {
        remember(std::move(loaded), before);
        return answer;
    }

    if (!loaded.complete) {
        // What could not be read is kept aside before the new contents replace it. A readable
        // file is copied so that it stays in place should the write below fail.
        const QString badPath = m_filePath + QStringLiteral(".bad");
        if (QFileInfo::exists(badPath) && !QFile::remove(badPath))
            return false;
        const bool kept = loaded.status == ReadStatus::Ok ? QFile::copy(m_filePath, badPath)
                                                          : QFile::rename(m_filePath, badPath);
        if (!kept)
            return false;
    }

    const std::string text = document.serialize();
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    if (!writeFileAtomically(m_filePath, bytes)) {
        m_loaded = false;
        return false;
    }
    Loaded written;
    written.status = ReadStatus::Ok;
    written.bytes = bytes;
    written.document = std::move(document);
    remember(std::move(written), stamp());
    return answer;
}

QString defaultKeyStorePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Pelto Browser/keystore.reg");
}

}  // namespace pelto::platform
