#include "ui/dialogs/properties_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/navigation/document_tables.h"

namespace pelto::ui {

namespace {

const QString kNotAvailable = QStringLiteral("Not available");

QString orNotAvailable(const QString& text)
{
    return text.isEmpty() ? kNotAvailable : text;
}

}  // namespace

PropertiesDialog::PropertiesDialog(const PageProperties& properties, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("Properties"));
    auto* column = new QVBoxLayout(this);
    m_form = new QFormLayout;
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    column->addLayout(m_form);
    m_title = addRow(QStringLiteral("Title:"), "lblTitle");
    m_address = addRow(QStringLiteral("Address:"), "lblAddress");
    m_protocol = addRow(QStringLiteral("Protocol:"), "lblProtocol");
    m_type = addRow(QStringLiteral("Type:"), "lblType");
    m_encoding = addRow(QStringLiteral("Encoding:"), "lblEncoding");
    m_size = addRow(QStringLiteral("Size:"), "lblSize");
    m_security = addRow(QStringLiteral("Security:"), "lblSecurity");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    setProperties(properties);
    setMinimumWidth(420);
}

QLabel* PropertiesDialog::addRow(const QString& caption, const char* name)
{
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromLatin1(name));
    // Page texts are shown as they are, never as markup.
    value->setTextFormat(Qt::PlainText);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setWordWrap(true);
    m_form->addRow(caption, value);
    return value;
}

void PropertiesDialog::setProperties(const PageProperties& properties)
{
    m_title->setText(orNotAvailable(properties.title));
    m_address->setText(orNotAvailable(properties.address));
    m_protocol->setText(properties.protocol.isEmpty()
                            ? kNotAvailable
                            : QString::fromStdString(core::ProtocolCaption(properties.protocol.toStdString())));
    m_type->setText(orNotAvailable(properties.mimeType));
    m_encoding->setText(orNotAvailable(properties.encoding));
    m_size->setText(QString::fromStdString(core::SizeCaption(properties.size)));
    m_security->setText(securityText(properties.securityState));
}

QString PropertiesDialog::securityText(int securityState)
{
    if (securityState < kSecureLockUnsecure)
        return kNotAvailable;
    if (securityState == kSecureLockUnsecure)
        return QStringLiteral("Not secured");
    if (securityState == kSecureLockMixed)
        return QStringLiteral("Secured connection, with a certificate problem you accepted");
    return QStringLiteral("Secured connection");
}

}  // namespace pelto::ui
