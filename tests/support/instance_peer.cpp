// A small process that plays either side of the single-instance hand-over, so that tests can
// run two real processes against each other.
//   instance_peer serve PATH          become the running copy; print each received text as hex
//   instance_peer send PATH [ARG...]  hand the arguments over as one command-line text
#include "core/app/command_line.h"
#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string mode = argv[1];
    pelto::platform::InstanceProbe probe(QString::fromLocal8Bit(argv[2]));
    const bool otherRuns = probe.anotherCopyRuns();

    if (mode == "send") {
        if (!otherRuns) {
            std::puts("primary");
            return 4;
        }
        std::vector<std::string> arguments(argv + 3, argv + argc);
        const int wait = qEnvironmentVariableIntValue("PEER_WAIT_MS");
        const bool handled = probe.handOver(pelto::core::CommandLineText(arguments), wait);
        std::puts(handled ? "handled" : "not handled");
        return 0;
    }

    if (otherRuns) {
        std::puts("secondary");
        return 3;
    }
    QCoreApplication app(argc, argv);
    pelto::platform::HandOverServer server;
    server.setStallTimeout(qEnvironmentVariableIntValue("PEER_STALL_MS") > 0
                               ? qEnvironmentVariableIntValue("PEER_STALL_MS")
                               : 5000);
    if (!server.listen(probe)) {
        std::puts("cannot listen");
        return 5;
    }
    QTextStream out(stdout);
    QObject::connect(&server, &pelto::platform::HandOverServer::textReceived, [&](const QByteArray& text) {
        out << "TEXT " << text.toHex() << Qt::endl;
        if (text == "quit")
            app.quit();
    });
    out << "LISTENING" << Qt::endl;
    return app.exec();
}
