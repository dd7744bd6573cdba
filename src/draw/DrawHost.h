#pragma once

#include "store/TextTransforms.h"

#include <QImage>
#include <QString>

namespace varnel {

// What the draw screen and the engine ask of the main window while a draw runs (the main
// window implements it; tests use a plain fake).
class DrawHost {
public:
    virtual ~DrawHost() = default;

    // Star mask values of the option page at this moment.
    virtual StarMaskParams starMaskParams() const = 0;
    // Mode radio buttons: true for "滚动名单的普通抽奖模式".
    virtual bool normalMode() const = 0;
    // The three mall options, read from the main window's check boxes.
    virtual bool mallRegisterDrawer() const = 0; // chkSCdjcjr
    virtual bool mallCycles() const = 0;         // chkZQCJ
    virtual bool mallOnlyWinnable() const = 0;   // chkGDtjMD
    // The notice panel pnlTS of the main window (empty text hides it).
    virtual void showNotice(const QString& text) = 0;
    virtual void hideNotice() = 0;
    // "退出抽奖" in mall mode refreshes the mall page when it is shown.
    virtual void refreshMallPageIfShown() = 0;
    // Leaving adjust mode hands the new layout preview to the option page (imgYL, lblCJInfo).
    virtual void setLayoutPreview(const QImage& preview, const QString& screenSizeText) = 0;
};

} // namespace varnel
