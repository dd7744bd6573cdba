#pragma once

#include <QDateTime>
#include <QString>

namespace varnel {

class ProjectDb;

// What SelectWinners needs to know besides the condition.
struct SelectionParams {
    QString itemName; // z_zj.JXname of the winners ("[临]" + name for a temporary draw)
    int quota = 1;    // winners still to draw in this press
    bool normalMode = true;
    bool repeatWins = false; // "可重复中奖" (normal mode only)
    bool mallCycles = false; // "商场周期出奖"
};

// The index the winners tests of every press use ("not in(select ListNO from z_zj)"). Only
// an index: files stay readable by every program that reads the format.
void ensureDrawIndexes(ProjectDb& db);

// The item name and quota of the press: the temporary draw's one winner, or the "进行中" plan
// row's min(CQcount, count - indx + 1). Throws DbError.
SelectionParams pressQuota(ProjectDb& db, const QString& tempPrefix, const QString& currentItem);

// Writes the pending winners ("*") of a press into z_zj, term by term. Returns how many were
// chosen. Throws DbError (raw terms are the operator's SQL); the caller removes what a failed
// press left behind with discardPressWinners.
int SelectWinners(ProjectDb& db, const QString& condition, const SelectionParams& params);
// Removes the "-" and "*" rows of an unfinished press.
void discardPressWinners(ProjectDb& db);

// The statement qryRoll is reopened on: the participants eligible for the press (the press
// variant excludes every winner, pending ones too; the temporary variant keeps the pending
// ones). Rows come in the working list's order; the picture column is read lazily.
QString rollingListSql(const QString& condition, bool temporaryVariant, bool repeatWins);
// The statement qryRoll opens on at run start.
QString fullRollingListSql();

// The preset file's value for an item number (section "Data"), or empty.
QString ReadPresetCondition(const QString& presetPath, const QString& itemNo);

// The mall time condition in force at `now`: the beizhu of the last "商场抽取条件" row whose
// moment has passed.
QString mallTimeCondition(ProjectDb& db, const QDateTime& now);

} // namespace varnel
