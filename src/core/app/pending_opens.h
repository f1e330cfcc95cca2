#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelto::core {

// The starting flag and the pending-open list: texts handed over by later starts before the
// main window has opened its own command line are held back and opened afterwards, in the
// order they arrived.
class PendingOpens {
public:
    // True until finishStartup().
    bool starting() const { return m_starting; }

    // A text handed over by a later start. Returns the text to open now, or nothing when it was
    // empty or has been queued.
    std::optional<std::string> receive(std::string text);

    // Clears the starting flag and returns the queued texts, first received first.
    std::vector<std::string> finishStartup();

private:
    bool m_starting = true;
    std::vector<std::string> m_pending;
};

}  // namespace pelto::core
