#include "ui/pages/user_prompts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace pelto::ui {

namespace {

const QString kCaption = QStringLiteral("Pelto Browser");

QString siteName(const QUrl& address)
{
    const QString host = address.host();
    return host.isEmpty() ? address.toDisplayString() : host;
}

}  // namespace

DialogUserPrompts::DialogUserPrompts(QWidget* parent)
    : m_parent(parent)
{
}

QString DialogUserPrompts::chooseDownloadPath(const QString& suggestedFileName, const QString& lastFolder)
{
    const QString folder = lastFolder.isEmpty() ? QDir::homePath() : lastFolder;
    return QFileDialog::getSaveFileName(m_parent, kCaption, QDir(folder).filePath(suggestedFileName));
}

std::optional<std::pair<QString, QString>> DialogUserPrompts::askCredentials(const QUrl& address,
                                                                             const QString& realm, bool proxy)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(&dialog);
    const QString where = proxy ? QStringLiteral("The proxy %1").arg(siteName(address))
                                : QStringLiteral("The site %1").arg(siteName(address));
    auto* text = new QLabel(realm.isEmpty()
                                ? QStringLiteral("%1 asks for a user name and password.").arg(where)
                                : QStringLiteral("%1 asks for a user name and password for \"%2\".").arg(where, realm));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* form = new QFormLayout;
    auto* user = new QLineEdit;
    auto* password = new QLineEdit;
    password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("User name:"), user);
    form->addRow(QStringLiteral("Password:"), password);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::make_pair(user->text(), password->text());
}

bool DialogUserPrompts::askCertificateException(const QUrl& address, const QString& description)
{
    return askYesNo(QStringLiteral("The security certificate of %1 has a problem:\n\n%2\n\nOpen the site anyway?")
                        .arg(siteName(address), description));
}

bool DialogUserPrompts::askPermission(const QUrl& origin, const QString& feature)
{
    return askYesNo(QStringLiteral("%1 wants to %2. Allow it?").arg(siteName(origin), feature));
}

void DialogUserPrompts::alert(const QUrl& origin, const QString& message)
{
    QMessageBox box(QMessageBox::Information, kCaption, message, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool DialogUserPrompts::confirm(const QUrl& origin, const QString& message)
{
    return askYesNo(message);
}

std::optional<QString> DialogUserPrompts::prompt(const QUrl& origin, const QString& message,
                                                 const QString& defaultValue)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, kCaption, message, QLineEdit::Normal, defaultValue, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

bool DialogUserPrompts::askYesNo(const QString& text)
{
    QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace pelto::ui
