#include "ui/pages/popup_blocker.h"

#include "core/app/settings_keys.h"
#include "ui/app/action_registry.h"
#include "ui/app/shared_state.h"
#include "ui/pages/page.h"
#include "ui/pages/web_control.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSoundEffect>
#include <QStatusBar>
#include <QUrl>

namespace pelto::ui {

namespace {

// A middle click on a link asks for its window within this time.
constexpr std::int64_t kMiddleClickRequestMs = 1000;

QPixmap speakerPicture(bool muted)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath speaker;
    speaker.moveTo(2, 6);
    speaker.lineTo(5, 6);
    speaker.lineTo(9, 2);
    speaker.lineTo(9, 14);
    speaker.lineTo(5, 10);
    speaker.lineTo(2, 10);
    speaker.closeSubpath();
    p.fillPath(speaker, QColor(0x40, 0x40, 0x40));
    if (muted) {
        p.setPen(QPen(Qt::red, 1.6));
        p.drawLine(11, 5, 15, 11);
        p.drawLine(15, 5, 11, 11);
    } else {
        p.setPen(QPen(QColor(0x20, 0x60, 0xC0), 1.2));
        p.drawArc(QRectF(7, 4, 6, 8), -60 * 16, 120 * 16);
        p.drawArc(QRectF(6, 2, 10, 12), -60 * 16, 120 * 16);
    }
    return pixmap;
}

QColor fromRgb(std::uint32_t rgb)
{
    return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

}  // namespace

PopupBlocker::PopupBlocker(Services services, QObject* parent)
    : QObject(parent)
    , m_services(std::move(services))
{
    m_clock.start();
    m_uTimer.setObjectName(QStringLiteral("uTimer"));
    m_uTimer.setInterval(int(core::kUserClickWindowMs));
    m_uTimer.setSingleShot(true);
    connect(&m_uTimer, &QTimer::timeout, this, &PopupBlocker::CloseUserClickWindow);
    m_timerPopup.setObjectName(QStringLiteral("TimerPopup"));
    m_timerPopup.setInterval(core::kPopupColourIntervalMs);
    connect(&m_timerPopup, &QTimer::timeout, this, &PopupBlocker::colourTick);

    if (m_services.statusBar) {
        m_imgVolume = new QLabel(m_services.statusBar);
        m_imgVolume->setObjectName(QStringLiteral("ImgVolume"));
        m_imgVolume->setPixmap(speakerPicture(false));
        m_imgVolume->setToolTip(QStringLiteral("Play sound when pop-up page is blocked"));
        m_imgMute = new QLabel(m_services.statusBar);
        m_imgMute->setObjectName(QStringLiteral("ImgMute"));
        m_imgMute->setPixmap(speakerPicture(true));
        m_imgMute->setToolTip(QStringLiteral("Mute when pop-up page is blocked"));
        m_fpStopper = new QLabel(m_services.statusBar);
        m_fpStopper->setObjectName(QStringLiteral("fpStopper"));
        m_fpStopper->setToolTip(QStringLiteral("The number of blocked popup pages."));
        m_fpStopper->setMinimumWidth(m_fpStopper->fontMetrics().horizontalAdvance(QStringLiteral("0000 ")));
        m_fpStopper->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_fpStopper->setText(counterText());
        for (QLabel* label : {m_imgVolume, m_imgMute, m_fpStopper}) {
            label->installEventFilter(this);
            m_services.statusBar->addPermanentWidget(label);
        }
        showSoundPicture();
    }
    // The user's own input: clicks that end the context menu's grace, middle clicks on links.
    qApp->installEventFilter(this);
}

PopupBlocker::~PopupBlocker()
{
    qApp->removeEventFilter(this);
}

void PopupBlocker::attach(ActionRegistry& actions)
{
    m_actions = &actions;
    SharedState& state = *m_services.state;
    const struct {
        const char* name;
        bool core::GeneralSettings::*field;
        std::string_view key;
    } switches[] = {
        {"actBlock", &core::GeneralSettings::StopAutoPopup, core::key::StopAutoPopup},
        {"actKPPlaySound", &core::GeneralSettings::KPPlaySound, core::key::KPPlaySound},
        {"actPopupForeground", &core::GeneralSettings::PopupForeground, core::key::PopupForeground},
    };
    for (const auto& entry : switches) {
        QAction* action = actions.action(entry.name);
        action->setCheckable(true);
        action->setChecked(state.settings.*entry.field);
        actions.onTriggered(entry.name, [this, action, field = entry.field, key = entry.key] {
            m_services.state->settings.*field = action->isChecked();
            if (m_services.writeSwitch)
                m_services.writeSwitch(key, action->isChecked());
            showSoundPicture();
        });
    }
}

void PopupBlocker::settingsChanged()
{
    if (!m_actions)
        return;
    const core::GeneralSettings& settings = m_services.state->settings;
    m_actions->action("actBlock")->setChecked(settings.StopAutoPopup);
    m_actions->action("actKPPlaySound")->setChecked(settings.KPPlaySound);
    m_actions->action("actPopupForeground")->setChecked(settings.PopupForeground);
    showSoundPicture();
}

NewWindowAnswer PopupBlocker::decide(const TfrmPage* opener, const NewWindowRequest& request)
{
    const core::GeneralSettings& settings = m_services.state->settings;
    const bool closing = opener && PageIsClosing(opener);
    // A link the user middle-clicked (the engine asks for a page of its own for it).
    const bool tabRequest = request.kind() == NewWindowKind::BackgroundTab || request.kind() == NewWindowKind::ForegroundTab;
    const bool middleClicked = tabRequest && request.userInitiated() && m_middlePressedAt >= 0
        && now() - m_middlePressedAt <= kMiddleClickRequestMs;
    if (middleClicked && !closing) {
        m_middlePressedAt = -1;
        if (!settings.EnableMOpen)
            return NewWindowAnswer::Open;
        return settings.sMOpenBackG ? NewWindowAnswer::OpenBehind : NewWindowAnswer::OpenInFront;
    }

    core::NewWindowRequest asked;
    asked.blockerOn = settings.StopAutoPopup;
    asked.openerClosing = closing;
    asked.playSound = settings.KPPlaySound;
    asked.nowMs = now();
    const core::NewWindowVerdict verdict = core::DecideNewWindow(m_state, asked);
    m_state = verdict.next;
    if (verdict.allow) {
        m_uTimer.stop();
        return NewWindowAnswer::Open;
    }
    if (m_fpStopper)
        m_fpStopper->setText(counterText());
    if (verdict.playSound) {
        const QString file = QString::fromStdString(settings.KPSound);
        if (m_services.playSound)
            m_services.playSound(file);
        else
            playDefault(file);
    }
    if (verdict.startColourCycle) {
        m_timerPopup.start();
        colourTick();
    }
    return NewWindowAnswer::Refuse;
}

void PopupBlocker::OpenUserClickWindow()
{
    core::OpenUserClickWindow(m_state, now());
    m_uTimer.start();
}

void PopupBlocker::CloseUserClickWindow()
{
    m_uTimer.stop();
    core::CloseUserClickWindow(m_state);
}

bool PopupBlocker::userClickWindowOpen() const
{
    return core::UserClickWindowOpen(m_state, now());
}

void PopupBlocker::contextMenuShown()
{
    m_state.contextMenuSeen = true;
    m_contextMenuOpen = true;
}

QString PopupBlocker::counterText() const
{
    return QString::fromStdString(core::BlockedCounterText(m_state.blockedCount));
}

void PopupBlocker::resetCounter()
{
    m_state.blockedCount = 0;
    if (m_fpStopper)
        m_fpStopper->setText(counterText());
}

void PopupBlocker::colourTick()
{
    const core::PopupColourTick tick = core::PopupCounterColourTick(m_state.colourStep);
    m_state.colourStep = tick.nextStep;
    if (tick.colour && m_fpStopper) {
        QPalette palette = m_fpStopper->palette();
        palette.setColor(QPalette::WindowText, fromRgb(*tick.colour));
        m_fpStopper->setPalette(palette);
    }
    if (tick.stopTimer)
        m_timerPopup.stop();
}

void PopupBlocker::showSoundPicture()
{
    if (!m_imgVolume)
        return;
    const bool on = m_services.state->settings.KPPlaySound;
    m_imgVolume->setVisible(on);
    m_imgMute->setVisible(!on);
}

void PopupBlocker::playDefault(const QString& file)
{
    // A missing or unplayable file stays silent.
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    if (!m_sound)
        m_sound = new QSoundEffect(this);
    const QUrl source = QUrl::fromLocalFile(file);
    if (m_sound->source() != source)
        m_sound->setSource(source);
    m_sound->play();
}

bool PopupBlocker::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick && watched == m_fpStopper) {
        resetCounter();
        return true;
    }
    if (type == QEvent::MouseButtonDblClick && (watched == m_imgVolume || watched == m_imgMute)) {
        if (m_actions)
            m_actions->action("actKPPlaySound")->trigger();
        return true;
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress) {
        // The choice made in the page's context menu is the menu's own click; the first press
        // after the menu has gone ends its grace.
        const bool inMenu = qobject_cast<const QMenu*>(watched) != nullptr;
        if (m_contextMenuOpen && !inMenu && !QApplication::activePopupWidget()) {
            m_contextMenuOpen = false;
            m_state.contextMenuSeen = false;
        }
        if (type == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton
            && m_services.insideActivePage && m_services.insideActivePage(watched))
            m_middlePressedAt = now();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pelto::ui
