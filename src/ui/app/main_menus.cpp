#include "ui/app/main_menus.h"

#include "core/navigation/document_tables.h"
#include "ui/app/action_registry.h"

#include <QMenu>
#include <QMenuBar>

#include <initializer_list>
#include <string>

namespace pelto::ui {

namespace {

// Adds the named actions in order; "" is a separator. Names of commands that do not exist
// are skipped, and so is a separator that would start or double one.
void addItems(QMenu* menu, ActionRegistry& actions, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (!*name) {
            const QList<QAction*> items = menu->actions();
            if (!items.isEmpty() && !items.last()->isSeparator())
                menu->addSeparator();
            continue;
        }
        if (QAction* action = actions.find(name))
            menu->addAction(action);
    }
}

QMenu* addMenu(QMenuBar* bar, ActionRegistry& actions, const char* header, const char* objectName)
{
    QMenu* menu = bar->addMenu(actions.action(header)->text());
    menu->setObjectName(QString::fromLatin1(objectName));
    return menu;
}

QMenu* addSubmenu(QMenu* parent, ActionRegistry& actions, const char* header, const char* objectName)
{
    QMenu* menu = parent->addMenu(actions.action(header)->text());
    menu->setObjectName(QString::fromLatin1(objectName));
    return menu;
}

}  // namespace

void BuildMainMenus(QMenuBar* bar, ActionRegistry& actions, const FeatureMenus& menus)
{
    bar->setObjectName(QStringLiteral("tbtMainMenu"));

    QMenu* file = addMenu(bar, actions, "actMFile", "mFile");
    QMenu* newPage = addSubmenu(file, actions, "actMNew", "mNew");
    addItems(newPage, actions, {"actNewBlank", "actNewCurrent", "actNewHomepage", "", "actNewClipboard"});
    addItems(file, actions, {"actOpen", "actOpenLink"});
    if (menus.recentPages)
        file->addMenu(menus.recentPages);
    addItems(file, actions, {"actSave", "", "actClose", "actCloseAll", "actCloseExcept", "actCloseChecked", "",
                             "actWorkOffline", "actProperties", "", "actPageSetup", "actPrintPreview", "actPrintDlg", "",
                             "actSaveExit", "actExit"});

    QMenu* edit = addMenu(bar, actions, "actMEdit", "mEdit");
    addItems(edit, actions, {"actCopy", "actCut", "actPaste", "", "actSelectAll", "", "actFind"});

    QMenu* view = addMenu(bar, actions, "actMView", "mView");
    QMenu* textSize = addSubmenu(view, actions, "actMTextSize", "mTextSize");
    for (const core::TextSize& size : core::TextSizes()) {
        const std::string name(size.action);
        addItems(textSize, actions, {name.c_str()});
    }
    QMenu* encoding = addSubmenu(view, actions, "actMEncoding", "mEncoding");
    for (const int index : core::EncodingMenuOrder()) {
        if (index < 0) {
            encoding->addSeparator();
            continue;
        }
        if (const core::EncodingEntry* entry = core::EncodingAt(index)) {
            const std::string name(entry->action);
            addItems(encoding, actions, {name.c_str()});
        }
    }
    addItems(view, actions, {"", "actSource"});

    QMenu* navigation = addMenu(bar, actions, "actMNavigation", "mNavigation");
    addItems(navigation, actions, {"actBack", "actForward", "", "actHome", "", "actStop", "actStopAll", "actRefresh",
                                   "actRefreshAll", "", "actPreviousPage", "actNextPage"});
    if (menus.go) {
        navigation->addSeparator();
        navigation->addMenu(menus.go);
    }

    QMenu* tools = addMenu(bar, actions, "actMTools", "mTools");
    addItems(tools, actions, {"actBlock", "actKPPlaySound", "actPopupForeground"});

    QMenu* windows = addMenu(bar, actions, "actMWindows", "mWindows");
    addItems(windows, actions, {"actCascade", "actTileHorizontally", "actTileVertically", "actArrangeIcons", "",
                                "actMaximizeAll", "actRestoreAll", "actMinimizeAll", "", "actCloseAll", "actCloseExcept",
                                "actCloseChecked"});

    QMenu* help = addMenu(bar, actions, "actMHelp", "mHelp");
    addItems(help, actions, {"actHelp", "", "actPBrowserHOME", "", "actComments"});
}

}  // namespace pelto::ui
