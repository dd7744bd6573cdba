#pragma once

#include <QIcon>
#include <QPixmap>
#include <QWidget>

namespace varnel {

// The top bar `Pnl_Top`: the stretched banner picture `ImgTOP` behind the project controls.
// Without the built-in banner a painted gradient stands in.
class BannerPanel final : public QWidget {
public:
    explicit BannerPanel(QWidget* parent = nullptr);
    bool hasBannerPicture() const { return !m_banner.isNull(); }
    // Whether the background is dark, so the controls on it use light text.
    bool isDark() const { return m_dark; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_banner;
    bool m_dark = true;
};

// The two icons of the lock button (image list `il1`): 0 unlocked, 1 locked.
QIcon lockIcon(int index);

} // namespace varnel
