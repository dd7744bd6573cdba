#include "shell/TopBar.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace varnel {

BannerPanel::BannerPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Pnl_Top"));
    if (QFile::exists(QStringLiteral(":/banner.png")))
        m_banner.load(QStringLiteral(":/banner.png"));
    if (!m_banner.isNull()) {
        const QImage small =
            m_banner.toImage().scaled(16, 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 sum = 0;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x)
                sum += qGray(small.pixel(x, y));
        m_dark = sum / (small.width() * small.height()) < 140;
    }
}

void BannerPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_banner.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), m_banner);
    } else {
        QLinearGradient g(0, 0, width(), height());
        g.setColorAt(0.0, QColor(0x9E, 0x0F, 0x1B));
        g.setColorAt(0.55, QColor(0xC8, 0x23, 0x2C));
        g.setColorAt(1.0, QColor(0xE0, 0x8A, 0x1E));
        p.fillRect(rect(), g);
        p.setPen(QPen(QColor(255, 214, 102, 160), 1));
        p.drawLine(0, height() - 1, width(), height() - 1);
    }
}

static QPixmap paintedLock(bool locked)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = locked ? QColor(0xC6, 0x28, 0x28) : QColor(0x2E, 0x7D, 0x32);
    p.setPen(QPen(QColor(0x55, 0x5F, 0x6B), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    if (locked) {
        shackle.moveTo(10, 15);
        shackle.lineTo(10, 10);
        shackle.arcTo(10, 3, 12, 14, 180, -180);
        shackle.lineTo(22, 15);
    } else {
        shackle.moveTo(10, 15);
        shackle.lineTo(10, 8);
        shackle.arcTo(10, 1, 12, 14, 180, -180);
    }
    p.drawPath(shackle);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(6, 14, 20, 15), 3, 3);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QPointF(16, 20.5), 2.2, 2.2);
    p.drawRect(QRectF(15.2, 21, 1.6, 4.5));
    return pm;
}

QIcon lockIcon(int index)
{
    const QString name =
        index == 1 ? QStringLiteral(":/lock_closed.png") : QStringLiteral(":/lock_open.png");
    if (QFile::exists(name))
        return QIcon(name);
    return QIcon(paintedLock(index == 1));
}

} // namespace varnel
