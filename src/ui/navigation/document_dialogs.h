#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>
#include <utility>

#include "ui/pages/web_control.h"

class QPrinter;
class QWidget;

namespace pelto::ui {

// The dialogs and the desktop hand-over the document commands use, so that tests can answer
// them without showing anything.
class DocumentDialogs {
public:
    virtual ~DocumentDialogs() = default;

    // The files the user chose to open, in the dialog's order; empty when cancelled.
    virtual QStringList chooseFilesToOpen(QWidget* parent) = 0;
    // Where and in which form to save a page, offering suggestedPath; none when cancelled.
    virtual std::optional<std::pair<QString, SaveFormat>> chooseSaveTarget(QWidget* parent,
                                                                           const QString& suggestedPath) = 0;
    // The print dialog on printer; true when the user asked to print.
    virtual bool askPrint(QWidget* parent, QPrinter& printer) = 0;
    // The page setup dialog on printer; true when the user confirmed it.
    virtual bool askPageSetup(QWidget* parent, QPrinter& printer) = 0;
    // The print preview of printer; paint draws the document on the printer it is given and
    // returns once the pages are drawn.
    virtual void showPrintPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint) = 0;
    // The Properties dialog of the document in control, shown modally.
    virtual void showProperties(QWidget* parent, WebControl& control) = 0;
    // Hands an address (a "mailto:" link) to the desktop's handler for it.
    virtual void openExternal(const QUrl& address) = 0;
};

// The toolkit's file, print, page setup and preview dialogs, our Properties dialog, and the
// desktop services.
class StandardDocumentDialogs : public DocumentDialogs {
public:
    QStringList chooseFilesToOpen(QWidget* parent) override;
    std::optional<std::pair<QString, SaveFormat>> chooseSaveTarget(QWidget* parent, const QString& suggestedPath) override;
    bool askPrint(QWidget* parent, QPrinter& printer) override;
    bool askPageSetup(QWidget* parent, QPrinter& printer) override;
    void showPrintPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint) override;
    void showProperties(QWidget* parent, WebControl& control) override;
    void openExternal(const QUrl& address) override;
};

}  // namespace pelto::ui
