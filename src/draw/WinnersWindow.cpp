// The winners list window opened from the draw screen.
#include "draw/DrawEngineImpl.h"
#include "draw/DrawHost.h"
#include "draw/DrawView.h"
#include "platform/Dialogs.h"
#include "screen/WinnersList.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"

namespace varnel {

void DrawEngine::Impl::presentList(const QString& text, const QString& itemName,
                                   bool withTitleAndMenu)
{
    WinnersListRequest request;
    request.lines = resultLines(text);
    if (withTitleAndMenu) {
        request.itemName = itemName;
        request.title = view.mainTitle();
        request.printMenu = true;
    }
    request.windowMode = view.windowMode();
    request.geometry = view.windowGeometry();
    view.showWinnersList(request);
}

void DrawEngine::Impl::afterListWindow()
{
    CloseZoom();
    const bool ok = LoadCurrentItem();
    view.setRollCaption(ok ? QStringLiteral("单击继续") : QStringLiteral("抽取结束"));
    view.fitRollArea(0);
}

void DrawEngine::Impl::ShowWinnersWindow(const QString& name)
{
    stopRoll();
    const QString text = name == QStringLiteral("全部")
                             ? allWinnersText(db, listReversed, resultsFormat(), resultColumnWidth)
                             : ItemWinnersText(db, name, resultsFormat(), resultColumnWidth);
    presentList(text, name, true);
    finishedItemName.clear();
    afterListWindow();
}

void DrawEngine::Impl::showItemWinners(const QString& caption)
{
    // Between presses only: the window would stop the roll timer and leave the press hanging.
    if (!idleAndFree())
        return;
    try {
        ShowWinnersWindow(captionItemName(caption));
    } catch (const DbError& e) {
        ctx.dialogs->error(e.text());
    }
}

void DrawEngine::Impl::M_ShowAllGDClick()
{
    if (!idleAndFree())
        return;
    try {
        stopRoll();
        view.drawRollNotice(QStringLiteral("数据整理中"), true);
        const QString text = allRollingText(db, host.starMaskParams(), resultColumnWidth);
        presentList(text, QString(), false);
        afterListWindow();
    } catch (const DbError& e) {
        ctx.dialogs->error(e.text());
    }
}

} // namespace varnel
