#include "draw/RollMotion.h"

#include "draw/RollingList.h"
#include "platform/Clock.h"
#include "store/ValueCodec.h"

namespace varnel {

std::vector<RollPass> decelerationPasses(int rollSpeed, int cellHeight)
{
    const int rs = std::max(1, rollSpeed);
    std::vector<RollPass> passes;
    int interval = 1;
    do {
        if (interval < rs)
            interval += 2;
        if (interval > rs)
            interval = rs;
        const int p = roundHalfEven(double(rs - interval + 1) / rs * cellHeight);
        if (p == 1)
            interval = rs;
        passes.push_back({interval, p});
    } while (interval != rs);
    return passes;
}

int centreSlot(int cellCount)
{
    if (cellCount == 1)
        return 1;
    if (cellCount == 3)
        return 2;
    return 3;
}

int passesToCentre(int cellCount)
{
    return 5 - centreSlot(cellCount) + 1;
}

int injectionPass(int totalPasses, int cellCount, int rows)
{
    const int c = totalPasses - passesToCentre(cellCount);
    return (rows > 0 && c > rows) ? c % rows : c;
}

RollMotion::RollMotion(RollRenderer& renderer, RollingList& list, Clock& clock, Hooks hooks)
    : m_renderer(renderer), m_list(list), m_clock(clock), m_hooks(std::move(hooks))
{
}

void RollMotion::fill()
{
    const bool pictures = m_renderer.settings().ShowCellPictures;
    for (size_t k = 0; k < 6; ++k) {
        if (m_list.eof())
            m_list.first();
        if (m_list.eof()) {
            m_slots.SlotPic[k] = m_blank;
            m_slots.SlotText[k] = QString();
            continue;
        }
        if (!m_slots.SlotText[k].isEmpty())
            continue;
        const RollingList::Row& row = m_list.current();
        m_slots.SlotPic[k] = pictures ? m_list.picture(row, m_blank) : m_blank;
        m_slots.SlotText[k] = row.list;
        m_list.next();
    }
}

void RollMotion::shift()
{
    for (size_t k = 0; k < 5; ++k) {
        m_slots.SlotText[k] = m_slots.SlotText[k + 1];
        m_slots.SlotPic[k] = m_slots.SlotPic[k + 1];
    }
    m_slots.SlotText[5].clear();
    m_slots.SlotPic[5] = QImage();
}

void RollMotion::RollStep(int sleepMs, int stepPx)
{
    const int s = std::max(1, sleepMs);
    const int step = std::max(1, stepPx);
    fill();
    if (m_hooks.prepare)
        m_hooks.prepare();
    const RollSettings& rs = m_renderer.settings();
    const int pitch = rs.HorizontalRoll ? rs.CellWidth : rs.CellHeight;
    int pos = 0;
    while (pos < pitch) {
        pos = std::min(pos + step, pitch);
        m_lastFrame = m_renderer.composeFrame(m_slots, pos);
        if (m_hooks.present)
            m_hooks.present(m_lastFrame);
        m_clock.sleepMs(s);
    }
    const size_t centre = size_t(centreSlot(rs.CellCount));
    m_zoomSource = m_slots.SlotPic[centre];
    m_zoomCaption = m_slots.SlotText[centre];
    shift();
}

int RollMotion::accelerate(int rollSpeed, bool rolling)
{
    const int rs = std::max(1, rollSpeed);
    int interval = rs;
    if (!rolling)
        return interval;
    const RollSettings& st = m_renderer.settings();
    const int length = st.HorizontalRoll ? st.CellWidth : st.CellHeight;
    // At least one millisecond less per pass, so slow speeds (below 5) still reach full speed.
    const int drop = std::max(1, roundHalfEven(rs / 8.0));
    do {
        interval = interval <= 1 ? 1 : std::max(1, interval - drop);
        const int p = roundHalfEven(double(rs - interval + 1) / rs * length);
        RollStep(interval, p);
        if (m_hooks.touch)
            m_hooks.touch();
    } while (interval != 1);
    return interval;
}

void RollMotion::skipWinnerRow(const QString& winnerText, bool normalMode)
{
    if (normalMode && !m_list.eof() && m_list.current().list == winnerText)
        m_list.next();
    if (m_list.eof())
        m_list.first();
}

void RollMotion::inject(const QString& text, const QImage& pic)
{
    m_slots.SlotText[5] = text;
    m_slots.SlotPic[5] = pic;
}

void RollMotion::land(const QString& winnerText, const QImage& winnerPic, int rollSpeed,
                      bool normalMode)
{
    const int cells = m_renderer.settings().CellCount;
    const int H = m_renderer.settings().CellHeight;
    const bool pictures = m_renderer.settings().ShowCellPictures;
    const QImage pic = pictures ? winnerPic : m_blank;
    // An empty winner text would be refilled like an empty slot; a blank keeps its place.
    const QString text = winnerText.isEmpty() ? QStringLiteral(" ") : winnerText;
    auto serve = [this] {
        if (m_hooks.serveQueue)
            m_hooks.serveQueue();
    };
    if (rollSpeed < 10) {
        inject(text, pic);
        for (int n = passesToCentre(cells); n > 0; --n) {
            skipWinnerRow(winnerText, normalMode);
            RollStep(1, H);
            serve();
            if (m_hooks.touch)
                m_hooks.touch();
        }
        return;
    }
    std::vector<RollPass> passes = decelerationPasses(rollSpeed, H);
    // Very flat cells give fewer passes than the strip needs to carry the winner to the
    // centre; a few full-speed passes in front keep the landing exact.
    const int needed = passesToCentre(cells);
    if (int(passes.size()) < needed)
        passes.insert(passes.begin(), size_t(needed) - passes.size(), RollPass{1, H});
    const int total = int(passes.size());
    const int rows = m_list.countUpTo(total + 1);
    const int j = injectionPass(total, cells, rows);
    for (int i = 0; i < total; ++i) {
        if (i == j || (rows > 0 && (i - j) % rows == 0))
            inject(text, pic);
        skipWinnerRow(winnerText, normalMode);
        RollStep(passes[size_t(i)].sleepMs, passes[size_t(i)].stepPx);
        serve();
        if (m_hooks.touch)
            m_hooks.touch();
    }
}

} // namespace varnel
