#include "ui/app/pelto_application.h"

#include <exception>

namespace pelto::ui {

PeltoApplication::PeltoApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool PeltoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception&) {
    } catch (...) {
    }
    return false;
}

}  // namespace pelto::ui
