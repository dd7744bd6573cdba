#pragma once

#include "screen/ListTextRenderer.h"

#include <QStringList>
#include <QWidget>

namespace varnel {

// Multi-line anti-aliased text with centred lines, opaque (white) or transparent. With
// automatic sizing on it takes the size of its text; only the lines in view are painted.
class MultiLineLabel final : public QWidget {
public:
    explicit MultiLineLabel(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    const QStringList& lines() const { return m_lines; }
    void setTextStyle(const ListTextStyle& style);
    const ListTextStyle& textStyle() const { return m_renderer.style(); }
    void setTransparent(bool on);
    bool transparent() const { return m_transparent; }
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }
    int lineHeight() const { return m_renderer.lineHeight(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitText();

    QStringList m_lines;
    ListTextRenderer m_renderer;
    bool m_transparent = false;
    bool m_autoSize = true;
};

} // namespace varnel
