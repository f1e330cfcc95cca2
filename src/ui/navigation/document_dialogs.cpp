#include "ui/navigation/document_dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "ui/dialogs/properties_dialog.h"

namespace pelto::ui {

namespace {

const QString kCompleteFilter = QStringLiteral("Web Page, complete (*.html *.htm)");
const QString kSingleFileFilter = QStringLiteral("Web Archive, single file (*.mhtml *.mht)");
const QString kHtmlOnlyFilter = QStringLiteral("Web Page, HTML only (*.html *.htm)");

}  // namespace

QStringList StandardDocumentDialogs::chooseFilesToOpen(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Open Files"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({QStringLiteral("HTML Files (*.url *.htm *.html)"), QStringLiteral("All Files (*)")});
    dialog.setFilter(dialog.filter() | QDir::Hidden);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<std::pair<QString, SaveFormat>> StandardDocumentDialogs::chooseSaveTarget(QWidget* parent,
                                                                                        const QString& suggestedPath)
{
    QFileDialog dialog(parent, QStringLiteral("Save Web Page"), suggestedPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({kCompleteFilter, kSingleFileFilter, kHtmlOnlyFilter});
    dialog.setDefaultSuffix(QStringLiteral("html"));
    // The suffix follows the chosen form.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == kSingleFileFilter ? QStringLiteral("mhtml") : QStringLiteral("html"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString filter = dialog.selectedNameFilter();
    const SaveFormat format = filter == kSingleFileFilter ? SaveFormat::SingleFile
                              : filter == kHtmlOnlyFilter ? SaveFormat::HtmlOnly
                                                          : SaveFormat::CompletePage;
    return std::make_pair(dialog.selectedFiles().first(), format);
}

bool StandardDocumentDialogs::askPrint(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool StandardDocumentDialogs::askPageSetup(QWidget* parent, QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void StandardDocumentDialogs::showPrintPreview(QWidget* parent, QPrinter& printer,
                                               const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

void StandardDocumentDialogs::showProperties(QWidget* parent, WebControl& control)
{
    PropertiesDialog dialog(control.properties(), parent);
    QPointer<PropertiesDialog> shown(&dialog);
    control.requestProperties([shown](const PageProperties& all) {
        if (shown)
            shown->setProperties(all);
    });
    dialog.exec();
}

void StandardDocumentDialogs::openExternal(const QUrl& address)
{
    QDesktopServices::openUrl(address);
}

}  // namespace pelto::ui
