#include "manage/ItemEditor.h"

#include "store/ProjectDb.h"
#include "store/ProjectStore.h"
#include "store/ValueCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

namespace varnel {

namespace {

// The three swap statements and the renumbering must not leave the numbers half changed.
class Transaction {
public:
    explicit Transaction(ProjectDb& db) : m_db(db) { m_db.exec(QStringLiteral("BEGIN")); }
    ~Transaction()
    {
        if (!m_done) {
            try {
                m_db.exec(QStringLiteral("ROLLBACK"));
            } catch (const DbError&) {
                // Nothing more can be done; the statement that failed is reported already.
            }
        }
    }
    void commit()
    {
        m_db.exec(QStringLiteral("COMMIT"));
        m_done = true;
    }

private:
    ProjectDb& m_db;
    bool m_done = false;
};

QString text(const QSqlRecord& r, const char* column)
{
    const QVariant v = r.value(QLatin1String(column));
    return v.isNull() ? QString() : v.toString();
}

// The change a picture path edit asks for.
struct PictureChange {
    bool change = false;
    QString name;
    QVariant bytes; // null QByteArray variant when cleared
};

PictureChange pictureChange(const QString& path, const QString& storedName)
{
    PictureChange c;
    if (path == storedName)
        return c;
    c.change = true;
    c.bytes = QVariant(QMetaType(QMetaType::QByteArray));
    if (path.isEmpty())
        return c;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return c; // unreadable: picture and name cleared, no message
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return c;
    c.name = QFileInfo(path).fileName();
    c.bytes = bytes;
    return c;
}

} // namespace

QList<DrawItem> ItemEditor::items() const
{
    QList<DrawItem> out;
    QSqlQuery q = m_db.select(QStringLiteral("select rowid as _row, * from z_jx order by NO"));
    while (q.next()) {
        const QSqlRecord r = q.record();
        DrawItem it;
        it.rowId = r.value(QStringLiteral("_row")).toLongLong();
        it.no = r.value(QStringLiteral("NO")).toInt();
        it.name = text(r, "JXname");
        it.prize = text(r, "JPname");
        it.picture = text(r, "JPjpg");
        it.background = text(r, "BJjpg");
        it.count = text(r, "JXcount");
        it.perPress = text(r, "CQcount");
        it.condition = text(r, "TJ");
        out << it;
    }
    return out;
}

ItemEditor::Missing ItemEditor::missingField(const ItemInput& input)
{
    if (input.name.isEmpty())
        return Missing::Name;
    if (input.prize.isEmpty())
        return Missing::Prize;
    return Missing::None;
}

int ItemEditor::countOf(const QString& text)
{
    return toIntStrict(text.isEmpty() ? QStringLiteral("1") : text);
}

int ItemEditor::add(const ItemInput& input)
{
    const int count = countOf(input.count);
    int no = 1;
    const QVariant max = m_db.scalar(QStringLiteral("select Max(NO)NO from z_jx"));
    bool ok = false;
    const int highest = max.isNull() ? 0 : max.toInt(&ok);
    if (ok)
        no = highest + 1;
    const PictureChange pic = pictureChange(input.picturePath, QString());
    const PictureChange bj = pictureChange(input.backgroundPath, QString());
    const QVariant noBlob(QMetaType(QMetaType::QByteArray));
    m_db.exec(QStringLiteral("insert into z_jx(NO,JXname,JPname,JPjpg,Pic,BJjpg,Bj,JXcount,"
                             "CQcount,TJ) values(?,?,?,?,?,?,?,?,1,?)"),
              {no, input.name, input.prize, pic.name, pic.change ? pic.bytes : noBlob, bj.name,
               bj.change ? bj.bytes : noBlob, count, input.condition});
    return no;
}

void ItemEditor::update(const DrawItem& row, const ItemInput& input)
{
    const int count = countOf(input.count);
    QString sql = QStringLiteral("update z_jx set JXname = ?, JPname = ?, JXcount = ?, "
                                 "CQcount = 1, TJ = ?");
    QVariantList binds{input.name, input.prize, count, input.condition};
    const PictureChange pic = pictureChange(input.picturePath, row.picture);
    if (pic.change) {
        sql += QStringLiteral(", JPjpg = ?, Pic = ?");
        binds << pic.name << pic.bytes;
    }
    const PictureChange bj = pictureChange(input.backgroundPath, row.background);
    if (bj.change) {
        sql += QStringLiteral(", BJjpg = ?, Bj = ?");
        binds << bj.name << bj.bytes;
    }
    sql += QStringLiteral(" where rowid = ?");
    binds << row.rowId;
    m_db.exec(sql, binds);
}

bool ItemEditor::drawn(int no) const
{
    return itemAlreadyDrawn(m_db, no);
}

bool ItemEditor::remove(qint64 rowId)
{
    try {
        Transaction t(m_db);
        m_db.exec(QStringLiteral("delete from z_jx where rowid = ?"), {rowId});
        QList<qint64> rows;
        QSqlQuery q = m_db.select(QStringLiteral("select rowid from z_jx order by no"));
        while (q.next())
            rows << q.value(0).toLongLong();
        q.finish();
        for (int i = 0; i < rows.size(); ++i)
            m_db.exec(QStringLiteral("update z_jx set NO = ? where rowid = ?"), {i + 1, rows[i]});
        t.commit();
        return true;
    } catch (const DbError&) {
        return false;
    }
}

void ItemEditor::swap(int moved, int other)
{
    const QString a = QString::number(moved);
    const QString b = QString::number(other);
    Transaction t(m_db);
    m_db.exec(QStringLiteral("update z_jx set NO = 0 where NO = ") + a);
    m_db.exec(QStringLiteral("update z_jx set NO = ") + a + QStringLiteral(" where NO = ") + b);
    m_db.exec(QStringLiteral("update z_jx set NO = ") + b + QStringLiteral(" where NO = 0"));
    t.commit();
}

ItemEditor::Move ItemEditor::moveUp(int no)
{
    if (no <= 1)
        return Move::Nothing;
    if (drawn(no - 1))
        return Move::Refused;
    swap(no, no - 1);
    return Move::Moved;
}

ItemEditor::Move ItemEditor::moveDown(int no, int rowCount)
{
    if (rowCount <= 0 || no >= rowCount)
        return Move::Nothing;
    if (drawn(no))
        return Move::Refused;
    swap(no, no + 1);
    return Move::Moved;
}

const QStringList& conditionOperators()
{
    static const QStringList ops{QStringLiteral("="),  QStringLiteral(">"),  QStringLiteral("<"),
                                 QStringLiteral(">="), QStringLiteral("<="), QStringLiteral("<>")};
    return ops;
}

QString addConditionTerm(const QString& text, const QString& op, const QString& number)
{
    if (op.isEmpty() || number.isEmpty())
        return text;
    QString out = text + QLatin1Char('|') + op + number;
    if (out.startsWith(QLatin1Char('|')))
        out.remove(0, 1);
    return out;
}

QString removeLastConditionTerm(const QString& text)
{
    if (text.isEmpty())
        return text;
    const qsizetype bar = text.lastIndexOf(QLatin1Char('|'));
    return bar < 0 ? QString() : text.left(bar);
}

bool digitFilterDiscards(const QString& typed)
{
    for (const QChar c : typed) {
        if (c == QLatin1Char('\b') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            continue;
        if (c.isPrint())
            return true;
    }
    return false;
}

} // namespace varnel
