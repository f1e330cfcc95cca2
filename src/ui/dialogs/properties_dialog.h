#pragma once

#include <QDialog>

#include "ui/pages/web_control.h"

class QFormLayout;
class QLabel;

namespace pelto::ui {

// The Properties dialog of a page: its title, address, protocol, type, character set, size
// and security. Parts not known yet read "Not available" until setProperties fills them.
class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PropertiesDialog(const PageProperties& properties, QWidget* parent = nullptr);

    // Shows these properties instead.
    void setProperties(const PageProperties& properties);

    // How the dialog names a security state (see kSecureLock*).
    static QString securityText(int securityState);

private:
    QLabel* addRow(const QString& caption, const char* name);

    QFormLayout* m_form = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_protocol = nullptr;
    QLabel* m_type = nullptr;
    QLabel* m_encoding = nullptr;
    QLabel* m_size = nullptr;
    QLabel* m_security = nullptr;
};

}  // namespace pelto::ui
