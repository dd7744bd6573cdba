// Latency of a start press's database work: SelectWinners and reopening the rolling list with
// 100,000 participants of whom 10,000 have already won.
#include "draw/PressSelection.h"
#include "draw/RollingList.h"
#include "platform/ScriptedDialogs.h"
#include "store/ProjectDb.h"
#include "store/ProjectStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace varnel;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    ProjectDb db;
    ScriptedDialogs dialogs;
    ProjectStore store(db, dialogs, dir.path() + u'/', QByteArray());
    store.open(QStringLiteral("bench"));

    db.exec(QStringLiteral("BEGIN"));
    for (int no = 1; no <= 100000; ++no)
        db.exec(QStringLiteral("insert into z_user(NO,List,Memo,TJ,PicB) values(?,?,?,NULL,'无')"),
                {no, QStringLiteral("人员%1").arg(no, 6, 10, QLatin1Char('0')),
                 QStringLiteral("部门%1").arg(no % 40)});
    db.exec(QStringLiteral("insert into zz_user(NO) select NO from z_user order by random()"));
    db.exec(QStringLiteral("insert into z_zj(ListNO,ListZJ,ListBZ,JXname,BZ) select NO,List,Memo,"
                           "'往届','' from z_user order by random() limit 10000"));
    db.exec(QStringLiteral("insert into z_jx(NO,JXname,JPname,JXcount,CQcount,TJ) "
                           "values(1,'一等奖','一等奖',100000,10,'')"));
    db.exec(QStringLiteral(
        "insert into z_log values(1,1,'一等奖','一等奖','',1,100000,10,'','进行中')"));
    db.exec(QStringLiteral("COMMIT"));

    ensureDrawIndexes(db); // as the draw screen does when it opens
    RollingList list;
    std::vector<double> times, select, rolling, cpu;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer t;
        t.start();
        const std::clock_t c0 = std::clock();
        SelectionParams p = pressQuota(db, QString(), QString());
        SelectWinners(db, QString(), p);
        const double selected = double(t.nsecsElapsed()) / 1e6;
        list.open(db, rollingListSql(QString(), false, false));
        const bool rows = !list.isEmpty(); // the first cell is ready
        times.push_back(double(t.nsecsElapsed()) / 1e6);
        cpu.push_back(double(std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC);
        select.push_back(selected);
        rolling.push_back(times.back() - selected);
        if (!rows)
            return 1;
        db.exec(QStringLiteral("delete from z_zj where bz = '*'"));
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("press_latency_ms: %.2f ms\n", median(times));
    // Processor time of the same work: what the wall time is on a machine that is not shared.
    std::printf("press_latency_cpu_ms: %.2f ms\n", median(cpu));
    std::printf("press_select_winners_ms: %.2f ms\n", median(select));
    std::printf("press_rolling_list_ms: %.2f ms\n", median(rolling));
    return 0;
}
