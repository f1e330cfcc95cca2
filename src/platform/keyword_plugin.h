#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/navigation/keyword_converter.h"

namespace pelto::platform {

// File name of the optional keyword-address plug-in in the program folder.
inline constexpr const char* kKeywordPluginFileName = "cnstd.so";

// The plug-in's place: the program folder (with or without its trailing "/") + the file name.
QString keywordPluginPath(const QString& programFolder);

// The keyword-address plug-in, loaded for as long as this object lives: make one where an
// address is accepted and let it go right after, so the library is never held between uses.
//
// The library exports, with the C calling convention:
//   int IsCNS(const char* text);
//       non-zero when the zero-terminated text is a keyword the library converts;
//   void ConvertCNS2URL(const char* text, const char* application, char* buffer, int size);
//       writes the address for the keyword into buffer as zero-terminated text of at most
//       size - 1 bytes; application is "Pelto Browser" and size is kBufferSize.
// The program's side of the contract: texts go to the library only when they are 1 to
// kMaxKeywordLength bytes without a NUL; the buffer is zero-filled, one byte longer than the size
// given and followed by a guard zone. An answer that is empty, fills the whole buffer without a
// terminator, or writes past the buffer counts as no answer (the typed text opens unconverted).
// A library that crashes or hangs inside its calls cannot be guarded against.
class KeywordPlugin final : public core::KeywordConverter {
public:
    // The size given to ConvertCNS2URL.
    static constexpr int kBufferSize = 260;
    // Longest text handed to the library.
    static constexpr std::size_t kMaxKeywordLength = kBufferSize - 1;

    // Loads the library at the path: Absent when there is no such file, Unusable when it does
    // not load or lacks IsCNS, otherwise Usable.
    explicit KeywordPlugin(const QString& libraryPath);
    ~KeywordPlugin() override;
    KeywordPlugin(const KeywordPlugin&) = delete;
    KeywordPlugin& operator=(const KeywordPlugin&) = delete;

    Availability availability() const override { return m_availability; }
    // IsCNS of the text; false when the library is not usable or the text is not handed over.
    bool isKeyword(std::string_view text) const override;
    // ConvertCNS2URL of the text, checked as described above; nothing when the library has no
    // ConvertCNS2URL or its answer is unsound. It does not ask IsCNS first.
    std::optional<std::string> convert(std::string_view text) const override;
    // True when the library is usable and exports ConvertCNS2URL.
    bool canConvert() const { return m_convert != nullptr; }

private:
    using IsKeywordFunction = int (*)(const char*);
    using ConvertFunction = void (*)(const char*, const char*, char*, int);

    void* m_library = nullptr;
    Availability m_availability = Availability::Absent;
    IsKeywordFunction m_isKeyword = nullptr;
    ConvertFunction m_convert = nullptr;
};

}  // namespace pelto::platform
