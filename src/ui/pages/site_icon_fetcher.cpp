#include "ui/pages/site_icon_fetcher.h"

#include "core/app/product.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QPixmap>

namespace pelto::ui {

namespace {

constexpr int kIconSide = 16;

QString productWebAddress()
{
    return QString::fromUtf8(core::kProductWebAddress.data(), qsizetype(core::kProductWebAddress.size()));
}

// The picture scaled into a side x side square, centred, keeping its proportions.
QPixmap squarePixmap(const QImage& image, int side)
{
    const QImage scaled = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    return pixmap;
}

}  // namespace

SiteIconFetcher::SiteIconFetcher(QObject* parent)
    : QObject(parent)
{
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &SiteIconFetcher::fail);
}

SiteIconFetcher::~SiteIconFetcher()
{
    abort();
}

void SiteIconFetcher::setTransferTimeout(int milliseconds)
{
    m_transferTimeout = qMax(1, milliseconds);
}

void SiteIconFetcher::request(const QUrl& address)
{
    abort();
    m_currentAddress = address.toString();
    if (!address.isValid() || address.host().isEmpty()) {
        // Queued, so that a caller never hears of the failure in the middle of its own call.
        QMetaObject::invokeMethod(this, [this, address = m_currentAddress] {
            if (m_currentAddress == address && !m_reply)
                emit failed();
        }, Qt::QueuedConnection);
        return;
    }

    QNetworkRequest request(address);
    request.setTransferTimeout(m_transferTimeout);
    request.setMaximumRedirectsAllowed(10);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QString::fromUtf8(core::kApplicationTitle.data(), qsizetype(core::kApplicationTitle.size()))
                          + QStringLiteral(" (") + productWebAddress() + QLatin1Char(')'));
    request.setRawHeader("Referer", productWebAddress().toUtf8());

    m_data.clear();
    m_reply = m_manager.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &SiteIconFetcher::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &SiteIconFetcher::onFinished);
    // The transfer time-out only catches a server that falls silent; this one catches a server
    // that trickles.
    m_deadline.start(4 * m_transferTimeout);
}

void SiteIconFetcher::abort()
{
    m_deadline.stop();
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_data.clear();
}

void SiteIconFetcher::onReadyRead()
{
    if (!m_reply)
        return;
    const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (announced > kMaximumResponseSize || m_data.size() + m_reply->bytesAvailable() > kMaximumResponseSize) {
        fail();
        return;
    }
    m_data += m_reply->readAll();
}

void SiteIconFetcher::onFinished()
{
    if (!m_reply)
        return;
    const bool ok = m_reply->error() == QNetworkReply::NoError;
    if (ok) {
        onReadyRead();
        if (!m_reply)
            return;  // too large
    }
    const QByteArray data = m_data;
    abort();
    const QIcon icon = ok ? iconFromData(data) : QIcon();
    if (icon.isNull())
        emit failed();
    else
        emit iconReady(icon);
}

void SiteIconFetcher::fail()
{
    abort();
    emit failed();
}

QIcon SiteIconFetcher::iconFromData(const QByteArray& data)
{
    if (data.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return {};

    // An icon file holds several pictures: take the smallest of at least 16 pixels, or else
    // the largest.
    QImage best;
    const int count = qMax(1, reader.imageCount());
    for (int i = 0; i < count && i < 64; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        if (size.isValid() && (size.width() > kMaximumPictureSide || size.height() > kMaximumPictureSide))
            continue;
        QImage image = reader.read();
        if (image.isNull() || image.width() > kMaximumPictureSide || image.height() > kMaximumPictureSide)
            continue;
        const int side = qMin(image.width(), image.height());
        const int bestSide = best.isNull() ? 0 : qMin(best.width(), best.height());
        const bool better = best.isNull()
            || (side >= kIconSide && (bestSide < kIconSide || side < bestSide))
            || (side < kIconSide && bestSide < kIconSide && side > bestSide);
        if (better)
            best = std::move(image);
        if (count == 1)
            break;
    }
    if (best.isNull())
        return {};

    QIcon icon;
    icon.addPixmap(squarePixmap(best, kIconSide));
    if (qMin(best.width(), best.height()) >= 2 * kIconSide)
        icon.addPixmap(squarePixmap(best, 2 * kIconSide));
    return icon;
}

}  // namespace pelto::ui
