#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelto::core {

// The command-line text: the arguments after the program's own name as one text, joined by
// single spaces, an argument holding a space put back in double quotes. Several arguments stay
// together, so that opening the text treats them as one address.
std::string CommandLineText(const std::vector<std::string>& arguments);

// The one-shot home-page mode: exactly "-homepage" (case-sensitive) followed by one address.
// Returns the address, or nothing when the arguments are anything else.
std::optional<std::string> HomePageModeAddress(const std::vector<std::string>& arguments);

// True when an argument is the registration switch "REGSERVER" or "UNREGSERVER" after "/" or "-",
// compared without regard to case.
bool HasRegistrationSwitch(const std::vector<std::string>& arguments);

// Largest hand-over text the running copy accepts; anything longer is refused whole.
inline constexpr std::size_t kMaxHandOverText = 64 * 1024;

// The bytes of a hand-over message: the 8-bit text and its terminating zero; an empty text is a
// single zero byte.
std::string EncodeHandOver(std::string_view text);

// Collects the bytes of one hand-over message as they arrive.
class HandOverReader {
public:
    enum class State { Incomplete, Complete, TooLong };

    // Adds received bytes. Bytes after the terminating zero are ignored.
    State feed(std::string_view bytes);

    State state() const { return m_state; }

    // The text up to the terminating zero, once Complete.
    const std::string& text() const { return m_text; }

private:
    State m_state = State::Incomplete;
    std::string m_text;
};

}  // namespace pelto::core
