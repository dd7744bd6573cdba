#pragma once

#include "draw/DrawHost.h"

#include <QImage>
#include <QStringList>

// The main window as the draw screen's tests need it: records notices and the layout preview.
struct Host : varnel::DrawHost {
    varnel::StarMaskParams starMaskParams() const override { return {}; }
    bool normalMode() const override { return true; }
    bool mallRegisterDrawer() const override { return false; }
    bool mallCycles() const override { return false; }
    bool mallOnlyWinnable() const override { return false; }
    void showNotice(const QString& text) override { notices << text; }
    void hideNotice() override {}
    void refreshMallPageIfShown() override {}
    void setLayoutPreview(const QImage& p, const QString& size) override
    {
        preview = p;
        previewSize = size;
    }
    QStringList notices;
    QImage preview;
    QString previewSize;
};
