#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace varnel {

class ProjectDb;

// One row of z_jx as the item page shows it. `rowId` tells rows apart even when two items
// share a number in a damaged file.
struct DrawItem {
    qint64 rowId = 0;
    int no = 0;
    QString name;       // JXname
    QString prize;      // JPname
    QString picture;    // JPjpg
    QString background; // BJjpg
    QString count;      // JXcount as text
    QString perPress;   // CQcount as text
    QString condition;  // TJ
};

// What the edits hold when an item is saved.
struct ItemInput {
    QString name;
    QString prize;
    QString picturePath;
    QString backgroundPath;
    QString count;
    QString condition;
};

// The editing rules of the draw items (table z_jx), without widgets. Database errors throw
// DbError, a winner count that is not a 32-bit integer throws ConversionError; in both cases
// nothing is stored.
class ItemEditor {
public:
    explicit ItemEditor(ProjectDb& db) : m_db(db) {}

    // "select * from z_jx order by NO".
    QList<DrawItem> items() const;

    enum class Missing { None, Name, Prize };
    static Missing missingField(const ItemInput& input);

    // Appends the input as a new item after the highest number; returns its number.
    int add(const ItemInput& input);
    // Saves the input into an existing row. A picture path equal to the stored file name
    // leaves the stored picture as it is.
    void update(const DrawItem& row, const ItemInput& input);

    // Whether the item counts as drawn (no greater than the highest completed plan item).
    bool drawn(int no) const;

    // Deletes the row and renumbers the rest 1, 2, 3, ... in their order. All or nothing;
    // false when a statement failed (the table is then as it was).
    bool remove(qint64 rowId);

    enum class Move { Nothing, Refused, Moved };
    // Swaps item `no` with its upper neighbour. Refused when that neighbour is drawn.
    Move moveUp(int no);
    // Swaps item `no` with its lower neighbour; `rowCount` is the number of items shown.
    // Refused when item `no` itself is drawn.
    Move moveDown(int no, int rowCount);

    // The winner count that a save stores: empty reads as 1.
    static int countOf(const QString& text);

private:
    // Swaps two numbers through the temporary number 0.
    void swap(int moved, int other);

    ProjectDb& m_db;
};

// The condition operators, in the order of the operator list.
const QStringList& conditionOperators();
// Appends the term operator + number to a condition text; unchanged when either is empty.
QString addConditionTerm(const QString& text, const QString& op, const QString& number);
// Removes the last term of a condition text.
QString removeLastConditionTerm(const QString& text);

// Key filter of the number edits: whether a typed character text is thrown away. Only the
// digits 0 to 9 and backspace go through; keys without a printable character (arrows,
// shortcuts) are left alone.
bool digitFilterDiscards(const QString& typed);

} // namespace varnel
