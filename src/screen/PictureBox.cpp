#include "screen/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace varnel {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_scaled = QPixmap();
    // An opaque picture lets the screen skip what lies beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent, !picture.isNull() && !picture.hasAlphaChannel());
}

QImage PictureBox::shownImage() const
{
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return {};
    return m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    m_scaled = QPixmap();
    QWidget::resizeEvent(event);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    if (m_picture.isNull())
        return;
    const QSize target = size() * devicePixelRatioF();
    if (m_scaled.isNull() || m_scaled.size() != target) {
        m_scaled = QPixmap::fromImage(
            m_picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(devicePixelRatioF());
    }
    QPainter p(this);
    const QRect r = event->rect();
    const qreal dpr = devicePixelRatioF();
    p.drawPixmap(r, m_scaled, QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (onMousePress)
        onMousePress(event);
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove(event);
    QWidget::mouseMoveEvent(event);
}

} // namespace varnel
