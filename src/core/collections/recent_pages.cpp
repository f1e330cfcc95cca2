#include "core/collections/recent_pages.h"

#include <algorithm>

namespace pelto::core {

namespace {

constexpr std::string_view kBlank = "about:blank";
constexpr std::string_view kLineEnd = "\r\n";

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// Length of the UTF-8 sequence starting at text[i], or 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t value = 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        value = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        value = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        value = c & 0x07;
    } else {
        return 0;
    }
    if (text.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF.
    if ((length == 3 && value < 0x800) || (length == 4 && value < 0x10000) || value > 0x10FFFF ||
        (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

// The title as recorded: control characters become spaces, an overlong title is cut at a
// character boundary. Bytes that start no UTF-8 sequence are kept, as older files may hold
// titles in another code page.
std::string cleanTitle(std::string_view title)
{
    std::string result;
    result.reserve(std::min(title.size(), kMaxRecentTitleBytes));
    std::size_t i = 0;
    while (i < title.size()) {
        const std::size_t length = std::max<std::size_t>(1, utf8SequenceLength(title, i));
        if (result.size() + length > kMaxRecentTitleBytes)
            break;
        if (length == 1 && isControl(static_cast<unsigned char>(title[i])))
            result += ' ';
        else
            result.append(title.substr(i, length));
        i += length;
    }
    return result;
}

// Calls visit(line) for each line: CR LF, CR and LF each end a line; a last line without an
// ending counts, an empty file has none. visit returns false to stop early. Lines are visited
// one at a time, so a file of millions of empty lines costs no memory.
template <typename Visit>
void forEachLine(std::string_view bytes, Visit visit)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        if (!visit(bytes.substr(start, i - start)))
            return;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        visit(bytes.substr(start));
}

}  // namespace

bool IsRecordableAddress(std::string_view address)
{
    if (address.empty() || address == kBlank || address.size() > kMaxRecentAddressBytes)
        return false;
    for (std::size_t i = 0; i < address.size();) {
        const std::size_t length = utf8SequenceLength(address, i);
        if (length == 0 || (length == 1 && isControl(static_cast<unsigned char>(address[i]))))
            return false;
        i += length;
    }
    return true;
}

bool RecentList::add(std::string_view title, std::string_view address)
{
    if (!IsRecordableAddress(address))
        return false;
    std::erase_if(m_pages, [&](const RecentPage& page) { return page.address == address; });
    while (m_pages.size() >= kMaxRecentPages)
        m_pages.erase(m_pages.begin());
    const std::string_view shown = (title.empty() || title == kBlank) ? address : title;
    std::string cleaned = cleanTitle(shown);
    // A title of nothing but blanks still needs something to show in the menu.
    if (cleaned.find_first_not_of(' ') == std::string::npos)
        cleaned = address;
    m_pages.push_back({std::move(cleaned), std::string(address)});
    return true;
}

std::vector<RecentPage> RecentList::newestFirst() const
{
    return {m_pages.rbegin(), m_pages.rend()};
}

RecentList ReadRecentPages(std::string_view bytes)
{
    RecentList list;
    std::optional<std::string_view> title;
    // Every pair goes through add(), so duplicates and the limit follow the same rules as
    // closing pages in file order; each add() costs at most the limit.
    forEachLine(bytes, [&](std::string_view line) {
        if (!title) {
            title = line;
        } else {
            list.add(*title, line);
            title.reset();
        }
        return true;
    });
    return list;
}

std::string WriteRecentPages(const RecentList& list)
{
    std::string bytes;
    for (const RecentPage& page : list.pages()) {
        bytes += page.title;
        bytes += kLineEnd;
        bytes += page.address;
        bytes += kLineEnd;
    }
    return bytes;
}

std::string WriteOpenPages(const std::vector<OpenPageEntry>& pages)
{
    std::string bytes;
    for (const OpenPageEntry& page : pages) {
        if (page.closing || !IsRecordableAddress(page.address))
            continue;
        bytes += page.address;
        bytes += kLineEnd;
    }
    return bytes;
}

std::optional<std::string> SaveOpenPages(const std::vector<OpenPageEntry>& pages, bool isExiting,
                                         bool recoveryPending)
{
    if (isExiting || recoveryPending)
        return std::nullopt;
    return WriteOpenPages(pages);
}

std::vector<std::string> ReadOpenPages(std::string_view bytes)
{
    std::vector<std::string> addresses;
    forEachLine(bytes, [&](std::string_view line) {
        if (IsRecordableAddress(line))
            addresses.emplace_back(line);
        return addresses.size() < kMaxSavedPages;
    });
    return addresses;
}

}  // namespace pelto::core
