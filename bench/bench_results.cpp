// Figures of the winners list window and the records export:
//   winners_list_frame_ms        one frame of 10,000 winners scrolling full screen (1920x1080)
//   winners_list_still_frame_ms  the same in the still-background style (one 1 px turn)
//   export_100k_s                writing 100,000 winner rows to Win.TXT
#include "draw/Results.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "screen/MultiLineLabel.h"
#include "screen/ScrollingText.h"
#include "screen/TfrmZJQD.h"
#include "screen/WinnersList.h"
#include "shell/RecordsPage.h"
#include "store/AppContext.h"
#include "store/Pictures.h"
#include "store/ProjectDb.h"
#include "store/ProjectStore.h"
#include "store/Settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace varnel;

namespace {

class NoMain final : public MainWindowApi {
public:
    void navigateSelected() override {}
    int currentPage() const override { return 1; }
    void showPage(int) override {}
    void markDataChanged() override {}
    bool dataChanged() const override { return false; }
    void clearDataChanged() override {}
    bool normalMode() const override { return true; }
};

QStringList tenThousandWinners()
{
    QStringList v;
    v.reserve(10000);
    for (int i = 1; i <= 10000; ++i)
        v << QStringLiteral("中奖者%1").arg(i, 5, 10, QLatin1Char('0'));
    return resultLines(QStringLiteral("\r[一等奖]\r ") +
                       entryRows(v, 2, 8, StarMaskParams{}, QStringLiteral(" "),
                                 QStringLiteral("\r "), kMaxEntryPadding));
}

// Median and worst of `frames` frames, each one step plus a full repaint of the window.
template <typename Step> std::pair<double, double> measure(QWidget& window, int frames, Step step)
{
    QImage target(window.size(), QImage::Format_RGB32);
    std::vector<double> ms;
    ms.reserve(frames);
    QElapsedTimer t;
    for (int i = 0; i < frames; ++i) {
        t.start();
        step();
        QPainter p(&target);
        window.render(&p);
        p.end();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("黑体"), QStringLiteral("WenQuanYi Zen Hei"));
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    SystemClock clock;
    AppContext ctx;
    ctx.programFolder = dir.path() + QLatin1Char('/');
    ctx.dialogs = &dialogs;
    ctx.clock = &clock;
    ctx.blank = QImage(16, 16, QImage::Format_RGB32);
    ctx.blank.fill(Qt::white);
    ctx.blankJpeg = encodeJpeg(ctx.blank);
    ProjectDb db;
    ctx.db = &db;
    ProjectStore store(db, dialogs, ctx.programFolder, ctx.blankJpeg);
    if (!store.open(QStringLiteral("bench")).ready) {
        std::fprintf(stderr, "cannot create the bench project\n");
        return 1;
    }
    const QStringList lines = tenThousandWinners();

    for (const bool still : {false, true}) {
        Settings(db).save(QStringLiteral("滚动名单背景禁止"),
                          still ? QStringLiteral("-1") : QStringLiteral("0"));
        TfrmZJQD w(ctx);
        WinnersListRequest r;
        r.lines = lines;
        r.windowMode = true;
        r.geometry = QRect(0, 0, 1920, 1080);
        prepareWinnersList(w, r, nullptr);
        w.show();
        w.tmr1Timer();
        w.astlbl1->setActive(false); // frames are stepped by hand here
        const auto [median, worst] =
            still ? measure(w, 300, [&] { w.stillScrollTurn(); })
                  : measure(w, 300, [&] { w.astlbl1->advance(w.astlbl1->step()); });
        std::printf("%s: %.2f ms\n",
                    still ? "winners_list_still_frame_ms" : "winners_list_frame_ms", median);
        std::printf("%s: %.2f ms\n",
                    still ? "winners_list_still_frame_worst_ms" : "winners_list_frame_worst_ms",
                    worst);
        w.Scrolling = false;
    }

    // 100,000 winners exported from the records page.
    db.exec(QStringLiteral("BEGIN"));
    for (int i = 1; i <= 100000; ++i)
        db.exec(QStringLiteral("insert into z_zj(ListNO,ListZJ,ListBZ,JXname,BZ) "
                               "values(?,?,'',?,'')"),
                {i, QStringLiteral("参与者%1").arg(i, 6, 10, QLatin1Char('0')),
                 QStringLiteral("纪念奖")});
    db.exec(QStringLiteral("COMMIT"));
    NoMain main;
    RecordsPage page(ctx, main);
    page.openUrl = [](const QUrl&) { return true; };
    page.enter();
    QElapsedTimer t;
    t.start();
    page.S1Click();
    std::printf("export_100k_s: %.3f s\n", t.nsecsElapsed() / 1e9);
    return dialogs.shown.isEmpty() ? 0 : 1;
}
