#include "core/app/menu_caption.h"

#include <cstddef>

namespace pelto::core {

namespace {

// Length in bytes of the UTF-8 sequence that starts at text[i]; 1 for a byte that starts no
// complete, well-formed sequence.
std::size_t SequenceLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 1 || i + length > text.size())
        return 1;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

}  // namespace

std::string MenuCaption(std::string_view text, int maximumLength)
{
    std::string_view kept = text;
    bool cut = false;
    if (maximumLength > 0) {
        std::size_t i = 0;
        int characters = 0;
        while (i < text.size() && characters < maximumLength) {
            i += SequenceLength(text, i);
            ++characters;
        }
        if (i < text.size()) {
            kept = text.substr(0, i);
            cut = true;
        }
    }

    std::string result;
    result.reserve(kept.size() + 3 + 8);
    for (const char c : kept) {
        result += c;
        if (c == '&')
            result += '&';
    }
    if (cut)
        result += "...";
    return result;
}

}  // namespace pelto::core
