#pragma once

namespace varnel {

// Rolling-area geometry and flags, shared by the draw screen, its rolling-area dialog and the
// draw engine. Loaded by the draw screen when it is created.
struct RollSettings {
    int RollCenterX = 418;
    int RollCenterY = 365;
    int ZoomCenterX = 418;
    int ZoomCenterY = 365;
    double ZoomRatio = 2.6;
    bool ZoomEnabled = false;
    int CellHeight = 30;
    int CellWidth = 120;
    int CellCount = 5;
    int WinnerColumns = 2;
    bool ShowCellPictures = false;
    bool RollFixed = true;
    bool ShowCellText = true;
    bool MultiPointRoll = true;
    bool HorizontalRoll = false;
};

} // namespace varnel
