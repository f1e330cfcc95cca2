#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

namespace pelto::ui {

// Where the main window shows the active page: caption, address box, status bar, the back and
// forward drop-downs.
class PageDisplay {
public:
    virtual ~PageDisplay() = default;
    virtual void showCaption(const QString& caption) = 0;
    virtual void showAddress(const QString& address) = 0;
    virtual void showStatusText(const QString& text) = 0;
    virtual void showProgress(int position, int maximum) = 0;
    virtual void showSecureState(int secureLockState) = 0;
    virtual void showSiteIcon(const QPixmap& icon) = 0;
    virtual void refreshBackMenu(const QStringList& titles) = 0;
    virtual void refreshForwardMenu(const QStringList& titles) = 0;
    // Both secure pictures hidden, status text and address emptied, progress 0, caption
    // "Pelto Browser".
    virtual void clearPageDisplay() = 0;
    virtual void focusAddressBox() = 0;
};

}  // namespace pelto::ui
