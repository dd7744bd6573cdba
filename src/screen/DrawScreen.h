#pragma once

class QWidget;

namespace varnel {

struct AppContext;
class DrawHost;

// Creates the draw screen TfrmJIANG, shows it modally and destroys it when it closes.
// adjustMode: the layout adjust mode ("调整抽奖界面"); otherwise a draw with `drawKey` as the
// start/stop key (values outside 3..255 are read as 32).
void runDrawScreen(AppContext& ctx, DrawHost& host, bool adjustMode, int drawKey, QWidget* parent);

} // namespace varnel
