#pragma once

#include <QApplication>

namespace pelto::ui {

// The application object. An exception that escapes an event handler is dropped here without a
// message: the handler that raised it simply ends early and the program goes on.
class PeltoApplication : public QApplication {
public:
    PeltoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace pelto::ui
