#include "platform/settings_file.h"

#include "platform/atomic_file.h"

#include <QFile>

namespace pelto::platform {

void SettingsFile::OpenSettings(const QString& path)
{
    m_path = path;
    m_keepOldFileAsBad = false;
    const ReadResult read = readWholeFile(path);
    switch (read.status) {
    case ReadStatus::Ok:
        m_store.open(std::string_view(read.data.constData(), static_cast<size_t>(read.data.size())));
        break;
    case ReadStatus::Missing:
        m_store.open({});
        break;
    case ReadStatus::Unreadable:
    case ReadStatus::TooLarge:
        m_store.open({});
        m_keepOldFileAsBad = true;
        break;
    }
}

bool SettingsFile::FlushSettings()
{
    if (!m_store.isOpen() || m_path.isEmpty())
        return false;
    if (m_keepOldFileAsBad) {
        const QString bad = m_path + QStringLiteral(".bad");
        QFile::remove(bad);
        if (QFile::exists(m_path) && !QFile::rename(m_path, bad))
            return false;  // never overwrite a file we could not keep
        m_keepOldFileAsBad = false;
    }
    return writeFileAtomically(m_path, QByteArray::fromStdString(m_store.serialize()));
}

void SettingsFile::CloseSettings()
{
    if (!m_store.isOpen())
        return;
    FlushSettings();
    m_store.close();
}

}  // namespace pelto::platform
