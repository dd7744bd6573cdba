#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

namespace varnel {

struct WinnersListRequest;

// The draw screen as the draw engine sees it. TfrmJIANG implements it with its widgets; the
// engine's tests use an in-memory implementation. Every setter shows its change at once
// (the labels repaint immediately, as the roll blocks the event loop between frames).
class DrawView {
public:
    virtual ~DrawView() = default;

    // Labels
    virtual void setStatusText(const QString& text) = 0; // lbZTLname
    virtual QString statusText() const = 0;
    virtual void setPrizeText(const QString& text) = 0; // lbJPname
    virtual QString prizeText() const = 0;
    virtual void setRollCaption(const QString& text) = 0; // lbGDLname's text
    virtual QString rollCaption() const = 0;
    // FitRollArea(lbGDLname, cells): 0 fits the caption (+20 each way), n > 0 makes room for
    // n cells of RollSettings, centred on RollCenterX/Y.
    virtual void fitRollArea(int cells) = 0;
    virtual QRect rollArea() const = 0; // lbGDLname in client coordinates
    virtual QFont rollFont() const = 0; // the rolling area's font
    virtual QColor rollFontColour() const = 0;

    // Pictures
    virtual QSize clientSize() const = 0;                  // ImgBJ's size
    virtual void setBackground(const QImage& picture) = 0; // ImgBJ (stretched when shown)
    virtual QImage background() const = 0;                 // the picture as loaded (not stretched)
    virtual void setPrizePicture(const QImage& picture) = 0; // imgJP; a null image clears it
    virtual bool drawButtonVisible() const = 0;              // imgHB
    virtual void setDrawButtonPicture(const QImage& picture) = 0;

    // Winners marquee cnmrqtxt1
    virtual void setMarqueeText(const QString& text) = 0;
    virtual QString marqueeText() const = 0;
    virtual void setMarqueeVisible(bool visible) = 0;
    virtual bool marqueeVisible() const = 0;
    virtual void setMarqueeScrolling(bool on) = 0;
    virtual bool marqueeScrolling() const = 0;

    // Rolling area frames: keeps `frame` as bmpRollFrame and shows it on the area at once.
    virtual void presentRollFrame(const QImage& frame) = 0;
    // Draws a notice ("数据准备中", "数据整理中") straight onto the rolling area: font capped at
    // size 15 (`whiteText`: size 15 in white), the area widened/heightened to text + 20 when
    // smaller, grey rectangle 9 px and red rectangle 6 px around the centred text.
    virtual void drawRollNotice(const QString& text, bool whiteText) = 0;

    // Zoom label lbZoom
    virtual void setZoomGeometry(const QRect& rect) = 0;
    virtual QRect zoomGeometry() const = 0;
    virtual void presentZoomFrame(const QImage& frame) = 0; // shows lbZoom with bmpZoomFrame
    virtual void hideZoom() = 0;
    virtual bool zoomVisible() const = 0;

    // The roll timer Timer1 (the screen owns the QTimer and calls DrawEngine::timerTick).
    virtual void setRollTimer(bool on, int intervalMs) = 0;

    // Serve the message queue (keys and menu commands may run inside).
    virtual void processEvents() = 0;

    // Menu states of PopupMenu1, pushed by the engine whenever they change.
    virtual void setMenuState(bool autoContinueChecked, bool nextItemEnabled,
                              bool addItemVisible) = 0;

    // Window facts used by the winners window geometry rule.
    virtual bool windowMode() const = 0;      // M_Windows checked
    virtual QRect windowGeometry() const = 0; // client rect (left, top, width, height)
    virtual QString mainTitle() const = 0;    // lbZBTname's caption
    // Opens the winners list window modally and returns when it closes.
    virtual void showWinnersList(const WinnersListRequest& request) = 0;

    // Closes the draw screen (the engine has checked it may close).
    virtual void closeScreen() = 0;
};

} // namespace varnel
