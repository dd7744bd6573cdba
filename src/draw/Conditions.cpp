#include "draw/Conditions.h"

namespace varnel {

namespace {

const QString kFallback = QStringLiteral("is NULL");

bool startsWithOperator(const QString& t)
{
    if (t.isEmpty())
        return false;
    const QChar c = t.at(0);
    return c == u'<' || c == u'=' || c == u'>';
}

ConditionTerm fallbackTerm(bool appended)
{
    ConditionTerm t;
    t.text = kFallback;
    t.markTest = true;
    t.fallback = true;
    t.appended = appended;
    return t;
}

} // namespace

QList<ConditionTerm> conditionTerms(const QString& condition)
{
    QStringList pieces = condition.split(u'|');
    pieces.last() = pieces.last().trimmed();
    QList<ConditionTerm> terms;
    for (const QString& piece : pieces) {
        if (piece.trimmed().isEmpty()) {
            terms << fallbackTerm(false);
            continue;
        }
        ConditionTerm t;
        t.text = piece;
        t.markTest = startsWithOperator(piece);
        terms << t;
    }
    terms << fallbackTerm(true);
    return terms;
}

QList<ConditionTerm> mallTerms(const QList<ConditionTerm>& terms)
{
    qsizetype firstReal = -1;
    for (qsizetype i = 0; i < terms.size(); ++i) {
        if (!terms[i].fallback) {
            firstReal = i;
            break;
        }
    }
    if (firstReal < 0)
        return {fallbackTerm(true)};
    QList<ConditionTerm> out;
    for (qsizetype i = firstReal; i < terms.size(); ++i) {
        if (terms[i].appended)
            continue;
        out << terms[i];
    }
    return out;
}

QString rollingTermList(const QList<ConditionTerm>& terms)
{
    QString list;
    for (const ConditionTerm& t : terms) {
        if (t.fallback)
            list += QStringLiteral("(z_user.tj is NULL)or");
        else if (t.markTest)
            list += QStringLiteral("(z_user.tj") + t.text + QStringLiteral(")or");
        else
            list += QStringLiteral("(") + t.text + QStringLiteral(")or");
    }
    list.chop(2);
    return list;
}

QString selectionTerm(const ConditionTerm& term)
{
    // A raw term is bracketed so an "or" inside it cannot escape the not-yet-won test and
    // hand a prize to someone twice.
    if (term.markTest)
        return QStringLiteral(" tj ") + term.text;
    return QStringLiteral(" (") + term.text + QStringLiteral(")");
}

} // namespace varnel
