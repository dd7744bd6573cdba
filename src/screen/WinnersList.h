#pragma once

#include "screen/TextEffect.h"

#include <QByteArray>
#include <QRect>
#include <QStringList>

class QWidget;

namespace varnel {

struct AppContext;
class TfrmZJQD;

// What the draw screen hands the winners list window when it presents a list.
struct WinnersListRequest {
    QStringList lines;      // the list content (lines of the results text)
    QString itemName;       // ListItemName ("全部" or an item); empty for the rolling list
    QString title;          // ListTitle (the draw screen's main title)
    bool printMenu = false; // attach pm2 ("打印(&P)")
    bool hasEffect = false;
    TextEffect effect;       // the rolling area's text effect for the list text
    bool windowMode = false; // draw screen in window mode: normal sizeable window at `geometry`
    QRect geometry;          // client rectangle in window mode
};

// Opens the winners list window in draw mode, starts its scrolling and returns when the
// operator closes it (any key or click).
void showWinnersListModal(AppContext& ctx, const WinnersListRequest& request, QWidget* parent);

// The main window's "调整中奖清单界面": the window in adjust mode with demonstration data.
void showWinnersListAdjust(AppContext& ctx, QWidget* parent);

// The steps of the two openers before the window is shown (tests use them to drive the window
// without a modal loop).
void applyWinnersListGeometry(TfrmZJQD& window, bool windowMode, const QRect& client,
                              QWidget* parent);
void prepareWinnersList(TfrmZJQD& window, const WinnersListRequest& request, QWidget* parent);
void prepareWinnersListAdjust(AppContext& ctx, TfrmZJQD& window, QWidget* parent);

} // namespace varnel
