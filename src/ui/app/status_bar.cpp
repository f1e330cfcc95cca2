#include "ui/app/status_bar.h"

#include "core/pages/page_rules.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>

namespace pelto::ui {

namespace {

// A 16 x 16 padlock: closed and gold for a secure site, open and grey for an ordinary one.
QPixmap padlock(bool closed, qreal ratio)
{
    QPixmap pixmap(QSize(16, 16) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor body = closed ? QColor(0xd9, 0xa4, 0x1e) : QColor(0x9a, 0x9a, 0x9a);
    const QColor edge = closed ? QColor(0x8a, 0x62, 0x05) : QColor(0x5f, 0x5f, 0x5f);
    QPen shackle(edge, 1.8);
    painter.setPen(shackle);
    painter.setBrush(Qt::NoBrush);
    QPainterPath arc;
    if (closed) {
        arc.moveTo(4.5, 8);
        arc.lineTo(4.5, 5.5);
        arc.arcTo(QRectF(4.5, 1.5, 7, 8), 180, -180);
        arc.lineTo(11.5, 8);
    } else {
        arc.moveTo(4.5, 8);
        arc.lineTo(4.5, 4.5);
        arc.arcTo(QRectF(4.5, 0.5, 7, 8), 180, -180);
    }
    painter.drawPath(arc);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(edge);
    painter.drawEllipse(QPointF(8, 10.8), 1.2, 1.2);
    return pixmap;
}

}  // namespace

PageStatusBar::PageStatusBar(QWidget* parent)
    : QStatusBar(parent)
    , m_text(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_secure(new QLabel(this))
    , m_ordinary(new QLabel(this))
{
    setObjectName(QStringLiteral("tbtStatus"));
    m_text->setObjectName(QStringLiteral("lblStatusText"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setMinimumWidth(50);
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_progress->setObjectName(QStringLiteral("pbStatus"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedSize(120, 14);
    m_secure->setObjectName(QStringLiteral("imgSecure"));
    m_ordinary->setObjectName(QStringLiteral("imgUnsecure"));
    const qreal ratio = devicePixelRatioF();
    m_secure->setPixmap(padlock(true, ratio));
    m_ordinary->setPixmap(padlock(false, ratio));
    m_ordinary->setToolTip(QString::fromStdString(core::PresentSecureState(0).text));
    addWidget(m_text, 1);
    addPermanentWidget(m_progress);
    addPermanentWidget(m_secure);
    addPermanentWidget(m_ordinary);
    m_secure->hide();
    m_ordinary->hide();
}

void PageStatusBar::setStatusText(const QString& text)
{
    // Status texts arrive with their ampersands doubled for menus; a plain label shows them as they are.
    QString shown = text;
    shown.replace(QLatin1String("&&"), QLatin1String("&"));
    m_text->setText(shown);
}

void PageStatusBar::setProgress(int position, int maximum)
{
    if (maximum > 0) {
        m_progress->setMaximum(maximum);
        m_progress->setValue(std::clamp(position, 0, maximum));
    } else {
        m_progress->setValue(0);
    }
}

void PageStatusBar::setSecureState(int secureLockState)
{
    const core::SecurePresentation presentation = core::PresentSecureState(secureLockState);
    m_secure->setVisible(presentation.secureShown);
    m_ordinary->setVisible(presentation.ordinaryShown);
    if (presentation.secureShown)
        m_secure->setToolTip(QString::fromStdString(presentation.text));
}

void PageStatusBar::clearDisplay()
{
    m_text->clear();
    m_progress->setValue(0);
    m_secure->hide();
    m_ordinary->hide();
}

QString PageStatusBar::statusText() const { return m_text->text(); }
int PageStatusBar::progressValue() const { return m_progress->value(); }
bool PageStatusBar::securePictureShown() const { return !m_secure->isHidden(); }
bool PageStatusBar::ordinaryPictureShown() const { return !m_ordinary->isHidden(); }
QString PageStatusBar::securePictureHint() const { return m_secure->toolTip(); }

}  // namespace pelto::ui
