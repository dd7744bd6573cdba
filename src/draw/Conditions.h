#pragma once

#include <QList>
#include <QString>

namespace varnel {

// One term of a condition text ("=5|>=3|Memo like '销售%'"). A mark test compares the
// participant's condition mark (z_user.TJ); any other term is the operator's own SQL.
struct ConditionTerm {
    QString text; // operator and number, "is NULL" for the fallback, or raw SQL
    bool markTest = false;
    bool fallback = false; // the appended " is NULL" or an empty piece standing for it
    bool appended = false; // the fallback added after the last piece
};

// Splits at every "|" (only the last piece is trimmed), appends the fallback and classifies
// each term. Pieces holding nothing but blanks count as empty, so they never reach SQL.
QList<ConditionTerm> conditionTerms(const QString& condition);

// The mall filter: with a real term present, the appended fallback and the empty pieces in
// front of the first real term are dropped; empty pieces after it still act as fallbacks.
QList<ConditionTerm> mallTerms(const QList<ConditionTerm>& terms);

// "(z_user.tj=5)or(z_user.tj is NULL)" — the joined term list of the rolling list and of the
// mall cycle count.
QString rollingTermList(const QList<ConditionTerm>& terms);

// The condition part of a winners insert: " tj =5", " tj is NULL" or " (raw)".
QString selectionTerm(const ConditionTerm& term);

} // namespace varnel
