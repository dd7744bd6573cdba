#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

namespace varnel {

class RollRenderer;

// The zoomed winner picture on lbZoom: grows out of the label's centre after a landing and
// shrinks away before the next press or item change.
class Zoom {
public:
    struct Hooks {
        std::function<void(const QRect&)> setGeometry;
        std::function<void(const QImage&)> present; // shows lbZoom with the frame
        std::function<void()> hide;
        std::function<bool()> visible;
        std::function<void()> serveQueue;
        std::function<void(int)> sleep;
    };

    explicit Zoom(Hooks hooks) : m_hooks(std::move(hooks)) {}

    // The label's rectangle for the rolling settings (height CellHeight x ZoomRatio).
    static QRect geometryFor(const RollRenderer& renderer);
    // The composed zoom picture: the centre cell's picture, with its caption in a band.
    static QImage composePicture(const RollRenderer& renderer, const QSize& size,
                                 const QImage& picture, const QString& caption);

    // ShowZoom: `rollFrame` is what the rolling area shows now (copied over the background).
    void show(const RollRenderer& renderer, const QImage& picture, const QString& caption,
              const QImage& rollFrame);
    // CloseZoom (only while the label is visible).
    void close();

    QImage picture() const { return m_picture; }
    QImage back() const { return m_back; }

private:
    QImage frameAt(int w, int h) const;

    Hooks m_hooks;
    QRect m_rect;
    QImage m_picture; // bmpZoomSource turned into the zoom picture
    QImage m_back;    // bmpZoomBack
};

} // namespace varnel
