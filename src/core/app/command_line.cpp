#include "core/app/command_line.h"

#include <algorithm>
#include <cctype>

namespace pelto::core {

std::string CommandLineText(const std::vector<std::string>& arguments)
{
    std::string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            text += ' ';
        const std::string& argument = arguments[i];
        if (argument.find(' ') != std::string::npos)
            text += '"' + argument + '"';
        else
            text += argument;
    }
    return text;
}

std::optional<std::string> HomePageModeAddress(const std::vector<std::string>& arguments)
{
    if (arguments.size() == 2 && arguments[0] == "-homepage")
        return arguments[1];
    return std::nullopt;
}

bool HasRegistrationSwitch(const std::vector<std::string>& arguments)
{
    auto equalsIgnoringCase = [](std::string_view a, std::string_view b) {
        return a.size() == b.size()
            && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    };
    return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
        if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
            return false;
        const std::string_view name = std::string_view(argument).substr(1);
        return equalsIgnoringCase(name, "REGSERVER") || equalsIgnoringCase(name, "UNREGSERVER");
    });
}

std::string EncodeHandOver(std::string_view text)
{
    std::string bytes(text);
    bytes += '\0';
    return bytes;
}

HandOverReader::State HandOverReader::feed(std::string_view bytes)
{
    if (m_state != State::Incomplete)
        return m_state;
    const std::size_t zero = bytes.find('\0');
    const std::string_view part = bytes.substr(0, zero);
    if (m_text.size() + part.size() > kMaxHandOverText) {
        m_text.clear();
        m_state = State::TooLong;
        return m_state;
    }
    m_text.append(part);
    if (zero != std::string_view::npos)
        m_state = State::Complete;
    return m_state;
}

}  // namespace pelto::core
