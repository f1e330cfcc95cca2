#include "core/app/pending_opens.h"

namespace pelto::core {

std::optional<std::string> PendingOpens::receive(std::string text)
{
    if (text.empty())
        return std::nullopt;
    if (m_starting) {
        m_pending.push_back(std::move(text));
        return std::nullopt;
    }
    return text;
}

std::vector<std::string> PendingOpens::finishStartup()
{
    m_starting = false;
    std::vector<std::string> texts;
    texts.swap(m_pending);
    return texts;
}

}  // namespace pelto::core
