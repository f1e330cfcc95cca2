#include "platform/keyword_plugin.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <vector>

#include <dlfcn.h>

namespace pelto::platform {

namespace {

constexpr const char* kApplicationName = "Pelto Browser";
// Bytes after the buffer that a misbehaving library may scribble on without harm; any change
// there marks its answer as unsound.
constexpr std::size_t kGuardBytes = 4096;
constexpr char kGuardByte = static_cast<char>(0xA5);

// The operating system's library calls, kept together: on Windows these are LoadLibraryW,
// GetProcAddress and FreeLibrary, and the exports use the standard Windows calling convention.
void* openLibrary(const QString& absolutePath)
{
    return dlopen(QFile::encodeName(absolutePath).constData(), RTLD_NOW | RTLD_LOCAL);
}

void* findExport(void* library, const char* name)
{
    return dlsym(library, name);
}

void closeLibrary(void* library)
{
    dlclose(library);
}

// True when the text may be handed to the library as a C string.
bool acceptableText(std::string_view text)
{
    return !text.empty() && text.size() <= KeywordPlugin::kMaxKeywordLength
        && text.find('\0') == std::string_view::npos;
}

}  // namespace

QString keywordPluginPath(const QString& programFolder)
{
    if (programFolder.isEmpty() || programFolder.endsWith(QLatin1Char('/')))
        return programFolder + QLatin1String(kKeywordPluginFileName);
    return programFolder + QLatin1Char('/') + QLatin1String(kKeywordPluginFileName);
}

KeywordPlugin::KeywordPlugin(const QString& libraryPath)
{
    const QFileInfo file(libraryPath);
    if (libraryPath.isEmpty() || !file.exists())
        return;
    m_availability = Availability::Unusable;
    // Always an absolute path: a bare file name would make the loader search the system's
    // library folders and take whatever "cnstd.so" it finds there.
    m_library = openLibrary(file.absoluteFilePath());
    if (!m_library)
        return;
    m_isKeyword = reinterpret_cast<IsKeywordFunction>(findExport(m_library, "IsCNS"));
    if (!m_isKeyword)
        return;
    m_convert = reinterpret_cast<ConvertFunction>(findExport(m_library, "ConvertCNS2URL"));
    m_availability = Availability::Usable;
}

KeywordPlugin::~KeywordPlugin()
{
    if (m_library)
        closeLibrary(m_library);
}

bool KeywordPlugin::isKeyword(std::string_view text) const
{
    if (m_availability != Availability::Usable || !acceptableText(text))
        return false;
    const std::string input(text);
    return m_isKeyword(input.c_str()) != 0;
}

std::optional<std::string> KeywordPlugin::convert(std::string_view text) const
{
    if (m_availability != Availability::Usable || !m_convert || !acceptableText(text))
        return std::nullopt;
    const std::string input(text);
    constexpr std::size_t kFilled = kBufferSize + 1;
    std::vector<char> buffer(kFilled + kGuardBytes, kGuardByte);
    std::fill_n(buffer.begin(), kFilled, '\0');

    m_convert(input.c_str(), kApplicationName, buffer.data(), kBufferSize);

    const bool overrun = buffer[kBufferSize] != '\0'
        || std::any_of(buffer.begin() + kFilled, buffer.end(), [](char c) { return c != kGuardByte; });
    if (overrun)
        return std::nullopt;
    const std::size_t length = strnlen(buffer.data(), kBufferSize);
    if (length == 0 || length == static_cast<std::size_t>(kBufferSize))
        return std::nullopt;
    return std::string(buffer.data(), length);
}

}  // namespace pelto::platform
