#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/system/key_store_document.h"
#include "platform/atomic_file.h"

namespace pelto::platform {

// The program's registry: keys under paths such as
// "HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main" with named string and number
// values, matched as the document does. Changes return false when they could not be saved
// (and deleteKey/deleteValue also when there was nothing to delete); a write to a refused
// path returns false.
class KeyStore {
public:
    virtual ~KeyStore() = default;

    // True when the key is there.
    bool keyExists(std::string_view path) const;
    // The string value, or nothing when missing or a number.
    std::optional<std::string> readString(std::string_view path, std::string_view name) const;
    // The number value, or nothing when missing or a string.
    std::optional<std::uint32_t> readNumber(std::string_view path, std::string_view name) const;
    // Names of the key's values, "" for the default value.
    std::vector<std::string> valueNames(std::string_view path) const;
    // Names of the key's direct subkeys; the empty path lists the top-level keys.
    std::vector<std::string> subKeyNames(std::string_view path) const;

    // Creates the key with its missing parents.
    bool createKey(std::string_view path);
    // Removes the key with its subkeys; false also when it was not there.
    bool deleteKey(std::string_view path);
    // Sets a string value, creating the key when missing.
    bool writeString(std::string_view path, std::string_view name, std::string_view value);
    // Sets a number value, creating the key when missing.
    bool writeNumber(std::string_view path, std::string_view name, std::uint32_t value);
    // Removes one value; false also when it was not there.
    bool deleteValue(std::string_view path, std::string_view name);

protected:
    // A change to the document that says whether it did what was asked.
    using Change = std::function<bool(core::KeyStoreDocument&)>;

    // The current contents, for reading.
    virtual const core::KeyStoreDocument& current() const = 0;
    // Applies a change to the latest contents and keeps it; false when it could not be kept,
    // otherwise the change's own answer.
    virtual bool apply(const Change& change) = 0;
};

// A key store in memory, for tests and for callers that must not touch the disk.
class MemoryKeyStore : public KeyStore {
public:
    MemoryKeyStore() = default;
    explicit MemoryKeyStore(core::KeyStoreDocument document);

    // The contents as they are now.
    const core::KeyStoreDocument& document() const { return m_document; }
    // When off, every change fails as a full disk would, and nothing changes.
    void setWritable(bool writable) { m_writable = writable; }

protected:
    const core::KeyStoreDocument& current() const override { return m_document; }
    bool apply(const Change& change) override;

private:
    core::KeyStoreDocument m_document;
    bool m_writable = true;
};

// A key store kept in one file, shared with other processes of the program. It loads lazily,
// reloads when the file changed on disk, and makes every change as read-modify-write under a
// lock file beside it, replacing the file atomically. A file that cannot be read in full
// (unreadable, larger than kMaxFileBytes, or with lines that do not parse) reads as what could
// be read, and is kept as "<file>.bad" before the first change replaces it.
class FileKeyStore : public KeyStore {
public:
    // Largest file that is read.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    explicit FileKeyStore(QString filePath);

    // The file this store keeps.
    const QString& filePath() const { return m_filePath; }

protected:
    const core::KeyStoreDocument& current() const override;
    bool apply(const Change& change) override;

private:
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    struct Loaded {
        ReadStatus status = ReadStatus::Missing;
        QByteArray bytes;
        core::KeyStoreDocument document;
        bool complete = true;  // every line was understood
    };

    Stamp stamp() const;
    Loaded load() const;
    void remember(Loaded loaded, const Stamp& stamp) const;

    QString m_filePath;
    mutable bool m_loaded = false;
    mutable Loaded m_cache;
    mutable Stamp m_stamp;
    mutable bool m_settled = false;
};

// "$XDG_CONFIG_HOME/Pelto Browser/keystore.reg", with ~/.config when XDG_CONFIG_HOME is unset
// or not an absolute path.
QString defaultKeyStorePath();

}  // namespace pelto::platform
