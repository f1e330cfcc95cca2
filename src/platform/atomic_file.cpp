#include "platform/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pelto::platform {

ReadResult readWholeFile(const QString& path, qint64 maxBytes)
{
    ReadResult result;
    QFileInfo info(path);
    if (!info.exists()) {
        result.status = ReadStatus::Missing;
        return result;
    }
    if (!info.isFile()) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    if (info.size() > maxBytes) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    // The size can change between the check and the read; never read past the limit.
    result.data = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.status = ReadStatus::Unreadable;
        result.data.clear();
        return result;
    }
    if (result.data.size() > maxBytes) {
        result.status = ReadStatus::TooLarge;
        result.data.clear();
        return result;
    }
    result.status = ReadStatus::Ok;
    return result;
}

bool writeFileAtomically(const QString& path, const QByteArray& data)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace pelto::platform
