#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace varnel {

// A stretched picture of the draw screen (background, prize picture, draw button): smooth
// scaling, transparency of PNG pictures kept, scaled once per size and picture.
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture); // a null image shows nothing
    const QImage& picture() const { return m_picture; }
    // The stretched picture at the box's size, as it is shown.
    QImage shownImage() const;

    std::function<void(QMouseEvent*)> onMousePress;
    std::function<void(QMouseEvent*)> onMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    QPixmap m_scaled;
};

} // namespace varnel
