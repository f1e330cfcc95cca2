#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace pelto::ui {

class PagePictures;
class TfrmPage;

// "Close Checked": lists the pages, every one checked at first, so that the user can pick the
// ones to close.
class TfrmCloseChecked : public QDialog {
    Q_OBJECT
public:
    // Lists the pages in the order given (the current page first).
    TfrmCloseChecked(const QList<TfrmPage*>& pages, const PagePictures& pictures, QWidget* parent = nullptr);

    // The text an entry shows for a page: its caption once it has a real title, its address
    // otherwise.
    static QString entryCaption(const TfrmPage& page);

    // The checked pages that still exist, in list order.
    QList<TfrmPage*> checkedPages() const;

    QListWidget* list() const { return m_lvPages; }
    void selectAll();
    void invertSelection();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggle(QListWidgetItem* item);

    QListWidget* m_lvPages = nullptr;
    QList<QPointer<TfrmPage>> m_pages;
};

}  // namespace pelto::ui
