#pragma once

// A headless draw run: a temporary project, the in-memory screen and the engine.
#include "FakeDrawView.h"
#include "TestProject.h"
#include "draw/DrawEngine.h"

#include <QTest>
#include <memory>

namespace varnel {

struct DrawRig {
    TestProject tp;
    FakeDrawHost host;
    std::unique_ptr<FakeDrawView> view;
    std::unique_ptr<DrawEngine> engine;

    DrawRig()
    {
        tp.ctx().presetPath = tp.file(QStringLiteral("preset.tmp"));
        // test speed only
        tp.db().exec(QStringLiteral("PRAGMA synchronous = OFF"));
        tp.db().exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
        set("滚动显示速度", "1"); // quick landings unless a test wants the slow one
        set("滚动有声音", "1");
        set("中奖有声音", "1");
    }

    void set(const char* key, const QString& value)
    {
        tp.settings().save(QString::fromUtf8(key), value);
    }

    DrawEngine& open(int key = 32)
    {
        if (engine)
            close();
        view = std::make_unique<FakeDrawView>(tp.ctx().roll);
        engine = std::make_unique<DrawEngine>(tp.ctx(), host, *view, key);
        engine->startRun();
        return *engine;
    }

    bool close()
    {
        if (!engine)
            return true;
        const bool ok = engine->endRun();
        if (ok)
            engine.reset();
        return ok;
    }

    // Ticks the roll timer while it is on (bounded).
    void tickWhileOn(int max = 50)
    {
        for (int i = 0; i < max && view->timerOn; ++i)
            engine->timerTick();
    }

    // One whole press: start, first tick, stop, the stop tick.
    void press(int key = 32)
    {
        engine->keyPress(key);
        if (view->timerOn)
            engine->timerTick();
        engine->keyPress(key);
        tickWhileOn();
    }

    QVariantList winners(const QString& item)
    {
        return tp.column(
            QStringLiteral("select ListZJ from z_zj where JXname = ? and BZ = '' order by rowid"),
            {item});
    }
    QVariantList planStates()
    {
        return tp.column(QStringLiteral("select ZT from z_log order by XNO"));
    }
    int pendingRows()
    {
        return tp.column(QStringLiteral("select 1 from z_zj where BZ = '*' or BZ = '-'")).size();
    }
};

} // namespace varnel
