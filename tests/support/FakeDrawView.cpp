#include "FakeDrawView.h"

#include <QFontMetrics>

namespace varnel {

FakeDrawView::FakeDrawView(const RollSettings& roll, QSize client)
    : font(QStringLiteral("WenQuanYi Zen Hei"), 18), m_roll(roll), m_client(client)
{
    font.setBold(true);
    m_background = QImage(client, QImage::Format_RGB32);
    m_background.fill(QColor(120, 20, 20));
    fitRollArea(0);
}

void FakeDrawView::setStatusText(const QString& text)
{
    m_status = text;
    statusHistory << text;
}

void FakeDrawView::setPrizeText(const QString& text)
{
    m_prize = text;
    prizeHistory << text;
}

void FakeDrawView::setRollCaption(const QString& text)
{
    m_caption = text;
    captionHistory << text;
}

void FakeDrawView::fitRollArea(int cells)
{
    QSize size;
    if (cells <= 0) {
        const QFontMetrics fm(font);
        const QString t = m_caption.isEmpty() ? QStringLiteral("      ") : m_caption;
        size = QSize(fm.horizontalAdvance(t) + 20, fm.height() + 20);
    } else if (m_roll.HorizontalRoll) {
        size = QSize(cells * m_roll.CellWidth, m_roll.CellHeight);
    } else {
        size = QSize(m_roll.CellWidth, cells * m_roll.CellHeight);
    }
    m_area = QRect(m_roll.RollCenterX - size.width() / 2, m_roll.RollCenterY - size.height() / 2,
                   size.width(), size.height());
}

void FakeDrawView::presentRollFrame(const QImage& frame)
{
    lastRollFrame = frame;
    ++rollFrames;
    if (onRollFrame)
        onRollFrame();
}

void FakeDrawView::drawRollNotice(const QString& text, bool)
{
    notices << text;
}

void FakeDrawView::presentZoomFrame(const QImage& frame)
{
    lastZoomFrame = frame;
    m_zoomVisible = true;
    ++zoomFrames;
}

void FakeDrawView::setRollTimer(bool on, int intervalMs)
{
    timerOn = on;
    timerInterval = intervalMs;
}

void FakeDrawView::processEvents()
{
    ++processCount;
    if (onProcessEvents && !m_inProcess) {
        m_inProcess = true;
        onProcessEvents();
        m_inProcess = false;
    }
}

void FakeDrawView::setMenuState(bool autoContinue, bool nextItem, bool addItem)
{
    autoContinueChecked = autoContinue;
    nextItemEnabled = nextItem;
    addItemVisible = addItem;
}

void FakeDrawView::showWinnersList(const WinnersListRequest& request)
{
    winnersRequests << request;
    if (onWinnersList)
        onWinnersList(request);
}

void FakeDrawView::closeScreen()
{
    ++closeRequests;
    if (onClose)
        onClose();
}

} // namespace varnel
