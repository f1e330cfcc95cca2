#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelto::core {

// The optional keyword-address plug-in as the address rules see it: it may recognise a typed
// text as a keyword and turn it into an address. The platform loads the real library; tests
// and callers without one use NoKeywordConverter.
class KeywordConverter {
public:
    // What was found of the library.
    enum class Availability {
        Absent,    // no library file: addresses are completed as if the plug-in did not exist
        Unusable,  // the file is there but does not load or lacks its keyword test
        Usable,    // loaded with its keyword test
    };

    virtual ~KeywordConverter() = default;

    // What was found of the library.
    virtual Availability availability() const = 0;
    // True when the text is a keyword the library converts; false whenever it cannot say.
    virtual bool isKeyword(std::string_view text) const = 0;
    // The address for a keyword, or nothing when the library cannot convert or gave no sound
    // answer.
    virtual std::optional<std::string> convert(std::string_view text) const = 0;
};

// The converter of a program without the plug-in.
class NoKeywordConverter final : public KeywordConverter {
public:
    Availability availability() const override { return Availability::Absent; }
    bool isKeyword(std::string_view) const override { return false; }
    std::optional<std::string> convert(std::string_view) const override { return std::nullopt; }
};

}  // namespace pelto::core
