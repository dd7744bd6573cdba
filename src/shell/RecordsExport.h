#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace varnel {

// One line per row: the winner text, a tab, the item name; CR LF after every line.
QString winTxtText(const QList<std::pair<QString, QString>>& rows);
// The locale's code set ("UTF-8", "GB18030", ...).
QByteArray localeCodeset();
// Bytes in the locale's code page: GB18030 for a GBK, GB18030 or GB2312 code set, else UTF-8;
// never a byte-order mark.
QByteArray encodeForCodeset(const QString& text, const QByteArray& codeset);
// Replaces `path` with `bytes` in one step (the old file stays whole on failure). On failure
// `error` gets the reason.
bool writeFileReplacing(const QString& path, const QByteArray& bytes, QString* error);

} // namespace varnel
