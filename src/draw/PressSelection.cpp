#include "draw/PressSelection.h"

#include "draw/Conditions.h"
#include "store/ProjectDb.h"

#include <QFile>
#include <SimpleIni.h>

namespace varnel {

namespace {

const QString kRollColumns =
    QStringLiteral("select zz_user.NO,z_user.List,z_user.Memo,z_user.PicB from zz_user,z_user ");

int toInt(const QVariant& v, int fallback)
{
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : fallback;
}

int countMarked(ProjectDb& db)
{
    return db.scalar(QStringLiteral("select count(*)sl from z_zj where bz = '-'")).toInt();
}

// The largest cycle number in z_zj, compared as integers; 1 when there is none.
int currentCycle(ProjectDb& db)
{
    QSqlQuery q = db.select(QStringLiteral("select distinct ListBZ from z_zj"));
    int cycle = 0;
    bool any = false;
    while (q.next()) {
        bool ok = false;
        const int c = q.value(0).toString().trimmed().toInt(&ok);
        if (ok && (!any || c > cycle)) {
            cycle = c;
            any = true;
        }
    }
    return any ? cycle : 1;
}

int selectNormal(ProjectDb& db, const QList<ConditionTerm>& terms, const SelectionParams& p)
{
    int missing = p.quota;
    const QString name = sqlQuote(p.itemName);
    for (const ConditionTerm& term : terms) {
        if (missing <= 0)
            break;
        const QString t = selectionTerm(term);
        const QString where =
            p.repeatWins ? QStringLiteral("where ") + t
                         : QStringLiteral("where NO not in(select ListNO from z_zj) and ") + t;
        db.exec(QStringLiteral(
                    "insert into z_zj(ListNO,ListZJ,ListBZ,JXname,BZ) select NO,List,Memo,'") +
                name + QStringLiteral("','-' from z_user ") + where +
                QStringLiteral("  order by random() limit ") + QString::number(missing));
        missing -= countMarked(db);
        db.exec(QStringLiteral("update z_zj set bz = '*' where bz = '-'"));
    }
    return p.quota - std::max(missing, 0);
}

int selectMall(ProjectDb& db, const QList<ConditionTerm>& allTerms, const SelectionParams& p)
{
    const QList<ConditionTerm> terms = mallTerms(allTerms);
    int cycle = 1;
    if (p.mallCycles) {
        cycle = currentCycle(db);
        const QVariant left = db.scalar(
            QStringLiteral("select Count(z_user.NO)NO from z_user where (z_user.NO not in(select "
                           "ListNO from z_zj where ListBZ = '") +
            QString::number(cycle) + QStringLiteral("')) and (") + rollingTermList(terms) +
            QStringLiteral(")"));
        if (left.toInt() == 0)
            ++cycle;
    }
    const QString c = QString::number(cycle);
    const QString name = sqlQuote(p.itemName);
    int missing = p.quota;
    for (const ConditionTerm& term : terms) {
        if (missing <= 0)
            break;
        db.exec(QStringLiteral("insert into z_zj(ListNO,scuserNO,ListZJ,ListBZ,JXname,BZ) select "
                               "NO,Memo,List,'") +
                c + QStringLiteral("','") + name +
                QStringLiteral("','-' from z_user where NO not in(select ListNO from z_zj where "
                               "ListBZ = '") +
                c + QStringLiteral("') and ") + selectionTerm(term) +
                QStringLiteral("  order by random() limit ") + QString::number(missing));
        missing -= countMarked(db);
        db.exec(QStringLiteral("update z_zj set bz = '*' where bz = '-'"));
    }
    return p.quota - std::max(missing, 0);
}

} // namespace

void ensureDrawIndexes(ProjectDb& db)
{
    db.exec(QStringLiteral("create index if not exists zj_listno on z_zj(ListNO)"));
}

SelectionParams pressQuota(ProjectDb& db, const QString& tempPrefix, const QString& currentItem)
{
    SelectionParams p;
    if (!tempPrefix.isEmpty()) {
        p.itemName = tempPrefix + currentItem;
        p.quota = 1;
        return p;
    }
    QSqlQuery q = db.select(QStringLiteral("select * from z_log where ZT = '进行中'"));
    if (!q.next()) {
        p.quota = 0;
        return p;
    }
    p.itemName = q.value(QStringLiteral("JXname")).toString();
    const int per = std::max(1, toInt(q.value(QStringLiteral("CQcount")), 1));
    const int left =
        toInt(q.value(QStringLiteral("count")), 0) - toInt(q.value(QStringLiteral("indx")), 1) + 1;
    p.quota = std::max(0, std::min(per, left));
    return p;
}

int SelectWinners(ProjectDb& db, const QString& condition, const SelectionParams& params)
{
    // One transaction: a single commit to disk for the whole press, and a press that fails
    // half-way (a raw term that is not valid SQL) leaves no "-" or "*" row behind.
    db.exec(QStringLiteral("BEGIN"));
    try {
        db.exec(QStringLiteral("delete from z_zj where bz = '*'"));
        const QList<ConditionTerm> terms = conditionTerms(condition);
        const int chosen =
            params.normalMode ? selectNormal(db, terms, params) : selectMall(db, terms, params);
        db.exec(QStringLiteral("COMMIT"));
        return chosen;
    } catch (const DbError&) {
        try {
            db.exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
        }
        throw;
    }
}

void discardPressWinners(ProjectDb& db)
{
    db.exec(QStringLiteral("delete from z_zj where bz = '-' or bz = '*'"));
}

QString rollingListSql(const QString& condition, bool temporaryVariant, bool repeatWins)
{
    const QString list = rollingTermList(conditionTerms(condition));
    QString where;
    if (repeatWins)
        where = QStringLiteral("where (") + list + QStringLiteral(")");
    else if (temporaryVariant)
        where = QStringLiteral(
                    "where zz_user.NO not in(select ListNO from z_zj where bz <> '*') and (") +
                list + QStringLiteral(")");
    else
        where = QStringLiteral("where (zz_user.NO not in(select ListNO from z_zj)) and (") + list +
                QStringLiteral(")");
    return kRollColumns + where +
           QStringLiteral(" and (zz_user.No=z_user.No) order by zz_user.rowid");
}

QString fullRollingListSql()
{
    return kRollColumns + QStringLiteral("where zz_user.No=z_user.No order by zz_user.rowid");
}

QString ReadPresetCondition(const QString& presetPath, const QString& itemNo)
{
    if (presetPath.isEmpty() || !QFile::exists(presetPath))
        return {};
    CSimpleIniA ini;
    ini.SetUnicode(true);
    if (ini.LoadFile(QFile::encodeName(presetPath).constData()) < 0)
        return {};
    const char* v = ini.GetValue("Data", itemNo.toUtf8().constData(), "");
    return v ? QString::fromUtf8(v) : QString();
}

QString mallTimeCondition(ProjectDb& db, const QDateTime& now)
{
    QSqlQuery q = db.select(
        QStringLiteral("select var,beizhu from z_set where name = '商场抽取条件' order by var"));
    QString condition;
    while (q.next()) {
        const QDateTime from = QDateTime::fromString(q.value(0).toString().trimmed(),
                                                     QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!from.isValid() || !(now > from))
            break;
        condition = q.value(1).toString();
    }
    return condition;
}

} // namespace varnel
