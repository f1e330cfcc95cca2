#include "ui/app/main_window.h"

#include "core/app/command_line.h"
#include "core/app/pending_opens.h"
#include "core/app/settings_keys.h"
#include "core/app/window_placement.h"
#include "platform/settings_file.h"
#include "platform/single_instance.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <limits>

namespace pelto::ui {

namespace {

constexpr const char* kApplicationTitle = "Pelto Browser";

QRect monitorNearest(const QPoint& point)
{
    if (QScreen* screen = QGuiApplication::screenAt(point))
        return screen->geometry();
    // No screen holds the point: take the one whose area is closest to it.
    QScreen* best = QGuiApplication::primaryScreen();
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        const qint64 dx = std::max({area.left() - point.x(), 0, point.x() - area.right()});
        const qint64 dy = std::max({area.top() - point.y(), 0, point.y() - area.bottom()});
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = screen;
        }
    }
    return best ? best->geometry() : QRect(0, 0, 1024, 768);
}

core::Rect toRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

core::SettingsStore& storeOf(const AppContext& context)
{
    return context.settings->store();
}

}  // namespace

TfrmPeltoBrowser::TfrmPeltoBrowser(AppContext context, QWidget* parent)
    : QMainWindow(parent)
    , m_context(std::move(context))
{
    setObjectName(QStringLiteral("frmPeltoBrowser"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    if (!m_context.showInTaskBar)
        setWindowFlag(Qt::Tool, true);  // a tool window has no taskbar button
    setCentralWidget(new QWidget(this));
    FormCreate();
}

TfrmPeltoBrowser::~TfrmPeltoBrowser() = default;


void TfrmPeltoBrowser::FormCreate()
{
    core::SettingsStore& store = storeOf(m_context);
    InTray = SaveOnExitRequested = ClosingInBulk = AddressEditing = IsExiting = DisplayModeActive = false;

    store.ReadIntSetting(core::key::SideWidth, 200);  // the side bar's restore width
    PlaceWindow();
    if (core::IsYes(store.ReadSetting(core::key::Maximized, "yes")))
        setWindowState(windowState() | Qt::WindowMaximized);

    // Which bars are shown: read here, at creation, so that the first flush records them.
    for (const auto& [barKey, barDefault] : {std::pair {core::key::ButtonsBar, "yes"}, {core::key::AddressBar, "yes"},
                                             {core::key::Linksbar, "no"}, {core::key::SearchBar, "yes"},
                                             {core::key::TabsBar, "yes"}, {core::key::StatusBar, "yes"},
                                             {core::key::RoboFormBar, "yes"}, {core::key::GoogleBar, "no"},
                                             {core::key::YahooBar, "no"}})
        store.ReadSetting(barKey, barDefault);
    store.ReadSetting(core::key::Skin, "Nexos");
    ApplySettings();

    m_timerInit.setSingleShot(true);
    m_timerInit.setInterval(1);
    connect(&m_timerInit, &QTimer::timeout, this, &TfrmPeltoBrowser::TimerInitTimer);
    m_timerInit.start();
}

void TfrmPeltoBrowser::PlaceWindow()
{
    core::SettingsStore& store = storeOf(m_context);
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                          : QRect(0, 0, 1024, 768);
    const core::Rect defaults = core::DefaultMainWindowBounds(screen.width(), screen.height());
    core::Rect stored;
    stored.left = store.ReadIntSetting(core::key::Left, defaults.left);
    stored.top = store.ReadIntSetting(core::key::Top, defaults.top);
    stored.height = store.ReadIntSetting(core::key::Height, defaults.height);
    stored.width = store.ReadIntSetting(core::key::Width, defaults.width);
    const core::Rect monitor = toRect(monitorNearest(QPoint(stored.left, stored.top)));
    const core::Rect placed = core::PlaceMainWindow(stored, defaults, monitor, width(), height());
    resize(placed.width, placed.height);
    move(placed.left, placed.top);
}

void TfrmPeltoBrowser::ApplySettings()
{
    core::GeneralDefaults machine;
    machine.kpSound = (m_context.programFolder + QStringLiteral("kpp.wav")).toStdString();
    const core::GeneralSettings previous = m_settings;
    m_settings = core::ReadGeneralSettings(storeOf(m_context), machine, m_initialised ? &previous : nullptr);
    // What the settings drive in the interface (sound indicator, search panel, tray icon,
    // content switches, mail menu, foreground action, default New item) follows these values
    // as each of those features is built.
}

void TfrmPeltoBrowser::TimerInitTimer()
{
    if (m_initialised)
        return;
    core::SettingsStore& store = storeOf(m_context);
    m_timerInit.stop();
    store.ReadSetting(core::key::LockToolbars, "no");
    show();

    // Display modes: full screen and full desktop take the place of the plain window.
    store.ReadSetting(core::key::FullScreen, "no");
    store.ReadSetting(core::key::FullDesktop, "no");
    QCoreApplication::processEvents();

    store.ReadIntSetting(core::key::HistoryView, 0);
    store.WriteSetting(core::key::VersionInfo, core::defaults::VersionInfo);
    if (core::IsYes(store.ReadSetting(core::key::SideBar, "no"))) {
        store.ReadSetting(core::key::SearchBand, "no");
        store.ReadSetting(core::key::FavoritesBand, "no");
        store.ReadSetting(core::key::HistoryBand, "no");
    }
    OpenCommandLineAndPending();
    store.ReadIntSetting(core::key::SearchLang, 18);

    // From here until an orderly close the run counts as not properly closed.
    store.WriteSetting(core::key::ProperlyClosed, "no");
    m_context.settings->FlushSettings();
    store.ReadSetting(core::key::LastCheckNew, "");

    m_initialised = true;
    emit initialisationFinished();
}

void TfrmPeltoBrowser::OpenCommandLineAndPending()
{
    if (!m_context.arguments.empty())
        OpenInNewPage(core::CommandLineText(m_context.arguments));
    if (m_context.pendingOpens) {
        for (const std::string& text : m_context.pendingOpens->finishStartup())
            OpenInNewPage(text);
    }
}

void TfrmPeltoBrowser::receiveHandOver(const QByteArray& text)
{
    // A copy hidden in the tray is shown again before the text opens.
    if (InTray) {
        show();
        InTray = false;
    }
    if (!m_context.pendingOpens)
        return;
    if (auto now = m_context.pendingOpens->receive(text.toStdString()))
        OpenInNewPage(*now);
}

void TfrmPeltoBrowser::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TfrmPeltoBrowser::OpenInNewPage(const std::string& text)
{
    // Pages open here once the page manager exists; until then there is nothing to show them in.
    (void)text;
}

void TfrmPeltoBrowser::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_closed = true;
    event->accept();
    emit closed();
}

bool TfrmPeltoBrowser::FormCloseQuery()
{
    core::SettingsStore& store = storeOf(m_context);
    ClosingInBulk = true;
    // The open pages are recorded first; the run then counts as properly closed.
    store.WriteSetting(core::key::ProperlyClosed, "yes");
    IsExiting = true;
    SaveWindowBounds();
    hide();
    m_context.settings->CloseSettings();
    if (m_context.instanceServer)
        m_context.instanceServer->close();
    return true;
}

void TfrmPeltoBrowser::SaveWindowBounds()
{
    if (isMinimized() || isFullScreen())
        return;
    // A maximised window stores the bounds it returns to; move() and resize() take the frame's
    // position and the inner size, so those are what is stored.
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    const QPoint framePosition = isMaximized() ? normal.topLeft() : pos();
    const core::Rect window {framePosition.x(), framePosition.y(), normal.width(), normal.height()};
    const core::StoredBounds worth =
        core::BoundsWorthStoring(window, toRect(monitorNearest(framePosition)));
    core::SettingsStore& store = storeOf(m_context);
    if (worth.storeLeft)
        store.WriteSetting(core::key::Left, std::to_string(window.left));
    if (worth.storeTop)
        store.WriteSetting(core::key::Top, std::to_string(window.top));
    if (worth.storeHeight)
        store.WriteSetting(core::key::Height, std::to_string(window.height));
    if (worth.storeWidth)
        store.WriteSetting(core::key::Width, std::to_string(window.width));
}

void TfrmPeltoBrowser::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && !IsExiting) {
        auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMaximized = change->oldState() & Qt::WindowMaximized;
        const bool maximized = windowState() & Qt::WindowMaximized;
        if (maximized && !wasMaximized) {
            SaveWindowBounds();
            storeOf(m_context).WriteSetting(core::key::Maximized, "yes");
        } else if (!maximized && wasMaximized && !isMinimized()) {
            storeOf(m_context).WriteSetting(core::key::Maximized, "no");
        } else if (isMinimized() && !(change->oldState() & Qt::WindowMinimized)) {
            SaveWindowBounds();
        }
    }
    QMainWindow::changeEvent(event);
}

}  // namespace pelto::ui
