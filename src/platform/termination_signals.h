#pragma once

#include <QObject>

class QSocketNotifier;

namespace pelto::platform {

// Turns the system's requests to end the program (SIGTERM, SIGINT, SIGHUP: a log-out, a
// shutdown, Ctrl+C in a terminal) into a signal on the event loop, so that the program closes
// in its orderly way and keeps the user's pages and settings. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace pelto::platform
