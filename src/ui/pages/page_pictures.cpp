#include "ui/pages/page_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace pelto::ui {

namespace {

QPixmap blankPicture(qreal ratio)
{
    const int side = qMax(1, qRound(PagePictures::kSize * ratio));
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A faint ring with a bright arc on it; frame k turns the arc by k ninths of a circle.
QPixmap drawLoadingFrame(int frame, qreal ratio)
{
    QPixmap pixmap = blankPicture(ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring(3.0, 3.0, 12.0, 12.0);

    QPen track(QColor(0x2f, 0x7b, 0xd9, 60), 2.2);
    painter.setPen(track);
    painter.drawEllipse(ring);

    QPen arc(QColor(0x2f, 0x7b, 0xd9), 2.2, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(arc);
    // Angles in sixteenths of a degree, counter-clockwise from three o'clock; the arc runs
    // clockwise from twelve o'clock.
    const int start = (90 - frame * 40) * 16;
    painter.drawArc(ring, start, -110 * 16);
    return pixmap;
}

// A white sheet with its top right corner folded over and four grey lines of text.
QPixmap drawPlainPage(qreal ratio)
{
    QPixmap pixmap = blankPicture(ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal left = 3.5, top = 1.5, right = 14.5, bottom = 16.5, fold = 4.0;
    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.0));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    corner.closeSubpath();
    painter.setBrush(QColor(0xd6, 0xd6, 0xd6));
    painter.drawPath(corner);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0xa8, 0xa8, 0xa8), 1.0));
    painter.drawLine(QPointF(5.0, 7.0), QPointF(12.0, 7.0));
    painter.drawLine(QPointF(5.0, 9.0), QPointF(12.0, 9.0));
    painter.drawLine(QPointF(5.0, 11.0), QPointF(12.0, 11.0));
    painter.drawLine(QPointF(5.0, 13.0), QPointF(10.0, 13.0));
    return pixmap;
}

}  // namespace

PagePictures::PagePictures(qreal devicePixelRatio)
    : m_devicePixelRatio(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
{
    for (int i = 0; i < kPlainPage; ++i)
        m_pictures[i] = drawLoadingFrame(i, m_devicePixelRatio);
    m_pictures[kPlainPage] = drawPlainPage(m_devicePixelRatio);
}

QPixmap PagePictures::picture(int index) const
{
    if (index < 0 || index >= kCount)
        return m_pictures[kPlainPage];
    return m_pictures[index];
}

}  // namespace pelto::ui
