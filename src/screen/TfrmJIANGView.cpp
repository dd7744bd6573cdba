// What the draw engine sees of the screen, and the window's own events. Every setter shows
// its change at once: the roll keeps the event loop busy between frames.
#include "screen/TfrmJIANG.h"

#include "draw/DrawEngine.h"
#include "screen/CnAALabel.h"
#include "screen/MarqueeText.h"
#include "screen/PictureBox.h"
#include "screen/WinnersList.h"
#include "store/AppContext.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

namespace varnel {

// An auto-sized label may shrink: what it leaves is repainted at once, in the same pass.
void TfrmJIANG::showLabelText(TCnAALabel* label, const QString& text)
{
    const QRect before = label->geometry();
    label->setText(text);
    if (label->geometry() == before)
        label->repaint();
    else
        ImgBJ->repaint(before.united(label->geometry()));
}

void TfrmJIANG::setStatusText(const QString& text)
{
    showLabelText(lbZTLname, text);
}

QString TfrmJIANG::statusText() const
{
    return lbZTLname->text();
}

void TfrmJIANG::setPrizeText(const QString& text)
{
    showLabelText(lbJPname, text);
}

QString TfrmJIANG::prizeText() const
{
    return lbJPname->text();
}

void TfrmJIANG::setRollCaption(const QString& text)
{
    lbGDLname->setText(text);
    lbGDLname->repaint();
}

QString TfrmJIANG::rollCaption() const
{
    return lbGDLname->text();
}

void TfrmJIANG::fitRollArea(int cells)
{
    // The area shrinks as well as grows: what it leaves uncovered is repainted too.
    const QRect before = lbGDLname->geometry();
    lbGDLname->clearNotice();
    FitRollArea(lbGDLname, cells);
    ImgBJ->repaint(before.united(lbGDLname->geometry()));
}

QRect TfrmJIANG::rollArea() const
{
    return lbGDLname->geometry();
}
QFont TfrmJIANG::rollFont() const
{
    return lbGDLname->labelFont();
}
QColor TfrmJIANG::rollFontColour() const
{
    return lbGDLname->fontColour();
}
QSize TfrmJIANG::clientSize() const
{
    return ImgBJ->size();
}

void TfrmJIANG::setBackground(const QImage& picture)
{
    m_background = picture;
    ImgBJ->setPicture(picture);
    ImgBJ->repaint();
}

QImage TfrmJIANG::background() const
{
    return m_background;
}

void TfrmJIANG::setPrizePicture(const QImage& picture)
{
    imgJP->setPicture(picture);
    imgJP->repaint();
}

bool TfrmJIANG::drawButtonVisible() const
{
    return !imgHB->isHidden();
}

void TfrmJIANG::setDrawButtonPicture(const QImage& picture)
{
    // A picture that could not be read keeps the one shown before.
    if (picture.isNull())
        return;
    imgHB->setPicture(picture);
    imgHB->repaint();
}

void TfrmJIANG::setMarqueeText(const QString& text)
{
    cnmrqtxt1->setText(text);
    if (cnmrqtxt1->isVisible())
        ImgBJ->repaint(cnmrqtxt1->geometry());
}
QString TfrmJIANG::marqueeText() const
{
    return cnmrqtxt1->text();
}

void TfrmJIANG::setMarqueeVisible(bool visible)
{
    if (visible == !cnmrqtxt1->isHidden())
        return;
    cnmrqtxt1->setVisible(visible);
    if (visible)
        cnmrqtxt1->raise();
    ImgBJ->repaint(cnmrqtxt1->geometry());
}

bool TfrmJIANG::marqueeVisible() const
{
    return !cnmrqtxt1->isHidden();
}
void TfrmJIANG::setMarqueeScrolling(bool on)
{
    cnmrqtxt1->setActive(on);
}
bool TfrmJIANG::marqueeScrolling() const
{
    return cnmrqtxt1->active();
}

void TfrmJIANG::presentRollFrame(const QImage& frame)
{
    bmpRollFrame = frame;
    lbGDLname->clearNotice();
    // The frame already holds the background beneath the area: one copy, nothing under it.
    lbGDLname->setAttribute(Qt::WA_OpaquePaintEvent, lbGDLname->text().isEmpty() &&
                                                         frame.size() == lbGDLname->size() &&
                                                         !frame.hasAlphaChannel());
    lbGDLname->repaint();
}

void TfrmJIANG::drawRollNotice(const QString& text, bool whiteText)
{
    TCnAALabel::Notice n;
    n.text = text;
    n.font = lbGDLname->labelFont();
    if (whiteText || n.font.pixelSize() > 20 || n.font.pointSize() > 15)
        n.font.setPixelSize(20); // 15 points at 96 dpi
    n.colour = whiteText ? QColor(Qt::white) : lbGDLname->fontColour();
    const QFontMetrics fm(n.font);
    const QSize need(fm.horizontalAdvance(text) + 20, fm.height() + 20);
    const QRect before = lbGDLname->geometry();
    lbGDLname->resize(std::max(lbGDLname->width(), need.width()),
                      std::max(lbGDLname->height(), need.height()));
    lbGDLname->setAttribute(Qt::WA_OpaquePaintEvent, false);
    lbGDLname->setNotice(n);
    ImgBJ->repaint(before.united(lbGDLname->geometry()));
}

void TfrmJIANG::setZoomGeometry(const QRect& rect)
{
    lbZoom->setGeometry(rect);
}
QRect TfrmJIANG::zoomGeometry() const
{
    return lbZoom->geometry();
}

void TfrmJIANG::presentZoomFrame(const QImage& frame)
{
    bmpZoomFrame = frame;
    if (lbZoom->isHidden()) {
        lbZoom->show();
        lbZoom->raise();
    }
    lbZoom->repaint();
}

void TfrmJIANG::hideZoom()
{
    if (lbZoom->isHidden())
        return;
    lbZoom->hide();
    bmpZoomFrame = QImage();
    ImgBJ->repaint(lbZoom->geometry());
}

bool TfrmJIANG::zoomVisible() const
{
    return !lbZoom->isHidden();
}

void TfrmJIANG::setRollTimer(bool on, int intervalMs)
{
    Timer1->setInterval(std::max(0, intervalMs));
    if (on)
        Timer1->start();
    else
        Timer1->stop();
}

void TfrmJIANG::processEvents()
{
    QCoreApplication::processEvents();
}

void TfrmJIANG::setMenuState(bool autoContinueChecked, bool nextItemEnabled, bool addItemVisible)
{
    M_SY->setChecked(autoContinueChecked);
    M_NextJX->setEnabled(nextItemEnabled);
    M_AddJX->setVisible(addItemVisible);
}

bool TfrmJIANG::windowMode() const
{
    return M_Windows->isChecked();
}

QRect TfrmJIANG::windowGeometry() const
{
    return QRect(frameGeometry().topLeft(), size());
}

QString TfrmJIANG::mainTitle() const
{
    return lbZBTname->text();
}

void TfrmJIANG::showWinnersList(const WinnersListRequest& request)
{
    WinnersListRequest r = request;
    r.hasEffect = true;
    r.effect = lbGDLname->effect();
    showWinnersListModal(m_ctx, r, this);
}

void TfrmJIANG::closeScreen()
{
    close();
}

void TfrmJIANG::keyPressEvent(QKeyEvent* event)
{
    if (adjustMode() || !m_engine) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The typed character, as the key handler of a form sees it (space 32, Enter 13).
    int code = 0;
    if (!event->text().isEmpty())
        code = event->text().at(0).unicode();
    else if (event->key() >= 0x20 && event->key() < 0x7F)
        code = event->key();
    if (code > 0 && code < 256)
        m_engine->keyPress(code);
}

void TfrmJIANG::closeEvent(QCloseEvent* event)
{
    // A close in the middle of a landing or a zoom waits: the engine closes the screen as soon
    // as the sequence has ended.
    if (m_engine && !m_engine->endRun()) {
        event->ignore();
        return;
    }
    Timer1->stop();
    cnmrqtxt1->setActive(false);
    saveWindowGeometry();
    m_closed = true;
    event->accept();
    if (onClosed)
        onClosed();
}

void TfrmJIANG::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // In front of everything (a headless platform has no stacking to change).
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void TfrmJIANG::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ImgBJ->setGeometry(rect());
    // A resized window keeps the marquee along its bottom, across its width.
    if (m_engine && cnmrqtxt1->height() > 0)
        cnmrqtxt1->setGeometry(0, ImgBJ->height() - cnmrqtxt1->height() - 5, ImgBJ->width(),
                               cnmrqtxt1->height());
}

} // namespace varnel
