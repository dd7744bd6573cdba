#pragma once

#include "draw/DrawHost.h"
#include "draw/DrawView.h"
#include "screen/WinnersList.h"
#include "store/RollSettings.h"

#include <QList>
#include <functional>

namespace varnel {

// An in-memory draw screen: keeps every text, frame, timer state and window request the
// engine hands it, so tests can run whole draws headless and assert what the audience sees.
class FakeDrawView : public DrawView {
public:
    explicit FakeDrawView(const RollSettings& roll, QSize client = QSize(800, 600));

    // Recorded history
    QStringList statusHistory, prizeHistory, captionHistory, notices;
    QList<WinnersListRequest> winnersRequests;
    int rollFrames = 0;
    int zoomFrames = 0;
    int closeRequests = 0;
    int processCount = 0;
    QImage lastRollFrame, lastZoomFrame, buttonPicture;
    bool timerOn = false;
    int timerInterval = 0;
    bool autoContinueChecked = true, nextItemEnabled = false, addItemVisible = true;

    // Hooks: run inside processEvents (keys or commands arriving mid-sequence) and after
    // every roll frame (keys arriving while the strip moves without serving the queue).
    std::function<void()> onProcessEvents;
    std::function<void()> onRollFrame;
    // What showWinnersList does while the window is "open".
    std::function<void(const WinnersListRequest&)> onWinnersList;
    std::function<void()> onClose;

    // Settings the test may change
    QFont font;
    QColor fontColour = Qt::white;
    bool buttonVisible = false;
    bool windowModeOn = false;
    QString title = QStringLiteral("二零零某年年终晚会");

    void setStatusText(const QString& text) override;
    QString statusText() const override { return m_status; }
    void setPrizeText(const QString& text) override;
    QString prizeText() const override { return m_prize; }
    void setRollCaption(const QString& text) override;
    QString rollCaption() const override { return m_caption; }
    void fitRollArea(int cells) override;
    QRect rollArea() const override { return m_area; }
    QFont rollFont() const override { return font; }
    QColor rollFontColour() const override { return fontColour; }

    QSize clientSize() const override { return m_client; }
    void setBackground(const QImage& picture) override { m_background = picture; }
    QImage background() const override { return m_background; }
    void setPrizePicture(const QImage& picture) override { m_prizePicture = picture; }
    QImage prizePicture() const { return m_prizePicture; }
    bool drawButtonVisible() const override { return buttonVisible; }
    void setDrawButtonPicture(const QImage& picture) override { buttonPicture = picture; }

    void setMarqueeText(const QString& text) override { m_marquee = text; }
    QString marqueeText() const override { return m_marquee; }
    void setMarqueeVisible(bool visible) override { m_marqueeVisible = visible; }
    bool marqueeVisible() const override { return m_marqueeVisible; }
    void setMarqueeScrolling(bool on) override { m_marqueeScrolling = on; }
    bool marqueeScrolling() const override { return m_marqueeScrolling; }

    void presentRollFrame(const QImage& frame) override;
    void drawRollNotice(const QString& text, bool whiteText) override;

    void setZoomGeometry(const QRect& rect) override { m_zoomRect = rect; }
    QRect zoomGeometry() const override { return m_zoomRect; }
    void presentZoomFrame(const QImage& frame) override;
    void hideZoom() override { m_zoomVisible = false; }
    bool zoomVisible() const override { return m_zoomVisible; }

    void setRollTimer(bool on, int intervalMs) override;
    void processEvents() override;
    void setMenuState(bool autoContinue, bool nextItem, bool addItem) override;

    bool windowMode() const override { return windowModeOn; }
    QRect windowGeometry() const override { return QRect(QPoint(0, 0), m_client); }
    QString mainTitle() const override { return title; }
    void showWinnersList(const WinnersListRequest& request) override;
    void closeScreen() override;

private:
    RollSettings m_roll;
    QSize m_client;
    QString m_status, m_prize, m_caption, m_marquee;
    QRect m_area;
    QImage m_background, m_prizePicture;
    bool m_marqueeVisible = false, m_marqueeScrolling = true, m_zoomVisible = false;
    QRect m_zoomRect;
    bool m_inProcess = false;
};

// A DrawHost with plain fields.
class FakeDrawHost : public DrawHost {
public:
    StarMaskParams mask;
    bool normal = true, registerDrawer = false, cycles = false, onlyWinnable = false;
    QStringList notices; // "" marks a hide
    int mallRefreshes = 0;

    StarMaskParams starMaskParams() const override { return mask; }
    bool normalMode() const override { return normal; }
    bool mallRegisterDrawer() const override { return registerDrawer; }
    bool mallCycles() const override { return cycles; }
    bool mallOnlyWinnable() const override { return onlyWinnable; }
    void showNotice(const QString& text) override { notices << text; }
    void hideNotice() override { notices << QString(); }
    void refreshMallPageIfShown() override { ++mallRefreshes; }
    void setLayoutPreview(const QImage&, const QString&) override {}
};

} // namespace varnel
