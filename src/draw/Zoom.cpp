#include "draw/Zoom.h"

#include "draw/RollRenderer.h"
#include "store/ValueCodec.h"

#include <QFontMetrics>
#include <QPainter>

namespace varnel {

namespace {
// Each growth frame pauses a little, so the zoom is seen as a movement.
constexpr int kZoomFramePauseMs = 4;
} // namespace

QRect Zoom::geometryFor(const RollRenderer& renderer)
{
    const RollSettings& s = renderer.settings();
    const int h = std::max(1, roundHalfEven(s.CellHeight * s.ZoomRatio));
    const int w = std::max(1, roundHalfEven(double(h) / s.CellHeight * s.CellWidth));
    return QRect(s.ZoomCenterX - w / 2, s.ZoomCenterY - h / 2, w, h);
}

QImage Zoom::composePicture(const RollRenderer& renderer, const QSize& size, const QImage& picture,
                            const QString& caption)
{
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const int w = size.width();
    const int h = size.height();
    QRect picRect(4, 4, w - 8, h - 8);
    if (renderer.settings().ShowCellText) {
        const int th = QFontMetrics(renderer.font()).height();
        p.setFont(renderer.font());
        p.setPen(renderer.colour());
        // The caption is star-masked by the caller (it shows what the cell showed).
        DrawWrappedText(p, caption, QRect(0, h - th - 2, w, th));
        picRect.setHeight(h - th - 8);
    }
    if (!picture.isNull() && picRect.width() > 0 && picRect.height() > 0)
        p.drawImage(picRect, picture);
    return out;
}

QImage Zoom::frameAt(int w, int h) const
{
    QImage frame = m_back;
    QPainter p(&frame);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRect r((m_rect.width() - w) / 2, (m_rect.height() - h) / 2, w, h);
    p.drawImage(r, m_picture);
    return frame;
}

void Zoom::show(const RollRenderer& renderer, const QImage& picture, const QString& caption,
                const QImage& rollFrame)
{
    try {
        m_rect = geometryFor(renderer);
        m_hooks.setGeometry(m_rect);
        m_picture = composePicture(renderer, m_rect.size(), picture, caption);
        m_back = renderer.backgroundCut(m_rect);
        if (!rollFrame.isNull()) {
            QPainter p(&m_back);
            p.drawImage(renderer.area().topLeft() - m_rect.topLeft(), rollFrame);
        }
        const int H = m_rect.height();
        const int W = m_rect.width();
        const int step = std::max(1, H / 80);
        int h = 1;
        int w = 1;
        while (h < H) {
            m_hooks.present(frameAt(w, h));
            h += step;
            w = roundHalfEven(double(h) / H * W);
            m_hooks.serveQueue();
            m_hooks.sleep(kZoomFramePauseMs);
        }
        // End on the whole picture, whatever the step left over.
        m_hooks.present(frameAt(W, H));
    } catch (...) {
        // a zoom that cannot be drawn is simply not shown
    }
}

void Zoom::close()
{
    if (!m_hooks.visible())
        return;
    try {
        const int H = std::max(1, m_rect.height());
        const int W = m_rect.width();
        const int step = std::max(1, H / 80);
        int h = H;
        int w = W;
        while (h > 0 && !m_back.isNull()) {
            m_hooks.present(frameAt(w, h));
            h -= step;
            m_hooks.serveQueue();
            m_hooks.sleep(kZoomFramePauseMs);
            w = roundHalfEven(double(h) / H * W);
        }
    } catch (...) {
    }
    m_hooks.hide();
    m_hooks.serveQueue();
    m_back = QImage();
}

} // namespace varnel
