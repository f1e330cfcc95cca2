#pragma once

#include <string>
#include <string_view>

namespace pelto::core {

// Index of the plain page picture in the page picture list; 0 to 8 are the loading frames.
inline constexpr int kPlainPagePicture = 9;

// The tab picture for a download's progress: the plain page for progress 0, otherwise one of
// the frames 1 to 8 in proportion to progress / maximum, and frame 0 once the progress reaches
// the maximum (or for a maximum of 0 or less).
int ProgressPicture(int progress, int maximum);

// The progress in percent, truncated; 0 when maximum is 0 or less.
int ProgressPercent(int progress, int maximum);

// Whether a script's request to size or move its window is honoured. A width or height must
// be above 150; a left edge above 0 and below the main window's client width less 100; a top
// edge above 0 and below the page area's height less 30.
bool AcceptScriptWidth(int width);
bool AcceptScriptHeight(int height);
bool AcceptScriptLeft(int x, int mainClientWidth);
bool AcceptScriptTop(int y, int pageAreaHeight);

// How the status bar shows a page's secure-lock state: which of its two pictures shows, and
// the hint of the one that does (with the message key that a language file may translate;
// the ordinary picture's hint has none).
struct SecurePresentation {
    bool secureShown = false;
    bool ordinaryShown = false;
    std::string messageKey;
    std::string text;
    bool operator==(const SecurePresentation&) const = default;
};

// The presentation of a secure-lock state: below 0 nothing, 0 an ordinary site, 3, 4 and 6
// SSL with 40, 56 and 128 bits, any other value above 0 a secure site.
SecurePresentation PresentSecureState(int secureLockState);

// The address of a site's icon: "http://" + host + "/favicon.ico" in lower case (ASCII
// letters). Empty when the address has no host, so that there is nothing to fetch.
std::string SiteIconAddress(std::string_view address);

// An address as given by the user or another program, made ready to load: leading spaces
// removed, then, while it begins with a double quote, that quote dropped together with a
// double quote at its end.
std::string StripQuotes(std::string_view text);

}  // namespace pelto::core
