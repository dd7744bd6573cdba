#include "screen/WinnersList.h"

#include "screen/TfrmZJQD.h"
#include "store/AppContext.h"
#include "store/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace varnel {

namespace {

QRect screenRect(QWidget* parent)
{
    QScreen* screen =
        parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? QRect(QPoint(0, 0), screen->size()) : QRect(0, 0, 1024, 768);
}

} // namespace

void applyWinnersListGeometry(TfrmZJQD& window, bool windowMode, const QRect& client,
                              QWidget* parent)
{
    if (windowMode) {
        // Normal state with a sizeable border and the given client rectangle.
        window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        window.setWindowState(Qt::WindowNoState);
        window.resize(std::max(client.width(), 1), std::max(client.height(), 1));
        window.move(client.topLeft());
    } else {
        window.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
        window.setGeometry(screenRect(parent));
        window.setWindowState(Qt::WindowMaximized);
    }
}

void prepareWinnersList(TfrmZJQD& window, const WinnersListRequest& request, QWidget* parent)
{
    window.setListLines(request.lines);
    window.ListItemName = request.itemName;
    window.ListTitle = request.title;
    if (request.hasEffect)
        window.setListTextEffect(request.effect);
    if (request.printMenu)
        window.attachPrintMenu();
    applyWinnersListGeometry(window, request.windowMode, request.geometry, parent);
}

void showWinnersListModal(AppContext& ctx, const WinnersListRequest& request, QWidget* parent)
{
    TfrmZJQD window(ctx, parent);
    prepareWinnersList(window, request, parent);
    window.startScrolling();
    window.exec();
}

void prepareWinnersListAdjust(AppContext& ctx, TfrmZJQD& window, QWidget* parent)
{
    Settings settings(*ctx.db);
    bool windowMode = false;
    QRect client;
    try {
        windowMode = settings.read(QStringLiteral("抽奖界面窗口模式")) == QLatin1String("-1");
        client = QRect(settings.integer(QStringLiteral("抽奖界面窗口左")),
                       settings.integer(QStringLiteral("抽奖界面窗口顶")),
                       settings.integer(QStringLiteral("抽奖界面窗口宽")),
                       settings.integer(QStringLiteral("抽奖界面窗口高")));
    } catch (const DbError&) {
        windowMode = false; // the full screen needs no stored geometry
    }
    applyWinnersListGeometry(window, windowMode, client, parent);
    window.setAdjustMode();
}

void showWinnersListAdjust(AppContext& ctx, QWidget* parent)
{
    TfrmZJQD window(ctx, parent);
    prepareWinnersListAdjust(ctx, window, parent);
    window.exec(); // no scrolling: the list stands still for adjusting
}

} // namespace varnel
