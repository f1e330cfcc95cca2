#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelto::core {

// The most pages the recent-page list remembers.
inline constexpr std::size_t kMaxRecentPages = 25;
// The most addresses read back from pages.dat; a longer file is cut to its first ones.
inline constexpr std::size_t kMaxSavedPages = 500;
// Addresses longer than this (in bytes) are never recorded or read back.
inline constexpr std::size_t kMaxRecentAddressBytes = 8192;
// Titles are cut to this many bytes (at a character boundary) when they are recorded.
inline constexpr std::size_t kMaxRecentTitleBytes = 1024;

// One recently closed page.
struct RecentPage {
    std::string title;
    std::string address;
    bool operator==(const RecentPage&) const = default;
};

// The recently closed pages behind the "Open Recent" menu, oldest first. Every page holds a
// title and an address, so a list never gets out of step between the two.
class RecentList {
public:
    // Remembers a page that closed. The address must be worth recording (IsRecordableAddress);
    // an earlier entry with the same address (exact comparison) is removed, the oldest entries
    // go once there would be more than kMaxRecentPages, and the page goes last. An empty or
    // "about:blank" title is replaced by the address; control characters in the title become
    // spaces (a title left with nothing but spaces is replaced too) and a title is cut to
    // kMaxRecentTitleBytes. Returns false, changing nothing, when the address is refused.
    bool add(std::string_view title, std::string_view address);
    // Forgets every page.
    void clear() { m_pages.clear(); }

    // The pages, oldest first (the order of the file).
    const std::vector<RecentPage>& pages() const { return m_pages; }
    // The pages newest first, as the menu and "Open All Recently Opened Pages" take them.
    std::vector<RecentPage> newestFirst() const;
    // Whether there is no page (the menu then shows only "[Empty]").
    bool empty() const { return m_pages.empty(); }

    bool operator==(const RecentList&) const = default;

private:
    std::vector<RecentPage> m_pages;
};

// Whether a page address is worth remembering or saving: not empty, not "about:blank", at most
// kMaxRecentAddressBytes long, valid UTF-8 and free of control characters (which would break
// the one-address-per-line files).
bool IsRecordableAddress(std::string_view address);

// The recent-page list held in the bytes of recents.dat: lines taken in pairs (title, then
// address), a trailing title without address ignored, pairs whose address is refused dropped,
// duplicates and the limit applied as if the pages had been added in file order. Any bytes
// give a list; it never throws.
RecentList ReadRecentPages(std::string_view bytes);

// The bytes of recents.dat for a list: title and address of each page, oldest first, each line
// ended by CR LF. An empty list gives an empty file.
std::string WriteRecentPages(const RecentList& list);

// One open page as pages.dat sees it.
struct OpenPageEntry {
    std::string_view address;  // the page's PageAddress
    bool closing = false;      // PageIsClosing
};

// The bytes of pages.dat for the open pages in page-list order (the current page first): the
// address of every page that is not closing and whose address is recordable, each followed by
// CR LF. No such page gives an empty file.
std::string WriteOpenPages(const std::vector<OpenPageEntry>& pages);

// What SaveOpenPages writes: the bytes of WriteOpenPages, or nothing when pages.dat must be
// left alone, that is once the exit has begun (isExiting) or while the recovery question
// about the saved pages of the last run is still unanswered (recoveryPending), so that the
// pages opened meanwhile cannot overwrite them.
std::optional<std::string> SaveOpenPages(const std::vector<OpenPageEntry>& pages, bool isExiting,
                                         bool recoveryPending);

// The addresses held in the bytes of pages.dat, in file order: blank and refused lines are
// skipped, at most kMaxSavedPages are returned.
std::vector<std::string> ReadOpenPages(std::string_view bytes);

}  // namespace pelto::core
