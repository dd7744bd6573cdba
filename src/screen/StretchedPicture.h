#pragma once

#include <QImage>
#include <QWidget>

namespace varnel {

// A picture stretched over the whole widget with smooth scaling, scaled once per size.
class StretchedPicture final : public QWidget {
public:
    explicit StretchedPicture(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QImage m_picture;
    QImage m_scaled;
};

} // namespace varnel
