#include "screen/StretchedPicture.h"

#include <QPaintEvent>
#include <QPainter>

namespace varnel {

StretchedPicture::StretchedPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StretchedPicture::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_scaled = QImage();
    update();
}

void StretchedPicture::resizeEvent(QResizeEvent*)
{
    m_scaled = QImage();
}

void StretchedPicture::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    if (m_picture.isNull()) {
        p.fillRect(event->rect(), palette().window());
        return;
    }
    if (m_scaled.size() != size())
        m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    p.drawImage(event->rect(), m_scaled, event->rect());
}

} // namespace varnel
