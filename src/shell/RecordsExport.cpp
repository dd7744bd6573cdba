#include "shell/RecordsExport.h"

#include <QSaveFile>
#include <QStringEncoder>
#include <langinfo.h>

namespace varnel {

QString winTxtText(const QList<std::pair<QString, QString>>& rows)
{
    QString out;
    qsizetype size = 0;
    for (const auto& r : rows)
        size += r.first.size() + r.second.size() + 3;
    out.reserve(size);
    for (const auto& r : rows) {
        out += r.first;
        out += QLatin1Char('\t');
        out += r.second;
        out += QLatin1String("\r\n");
    }
    return out;
}

QByteArray localeCodeset()
{
    const char* cs = nl_langinfo(CODESET);
    return cs ? QByteArray(cs) : QByteArray("UTF-8");
}

QByteArray encodeForCodeset(const QString& text, const QByteArray& codeset)
{
    const QByteArray cs = codeset.toUpper();
    if (cs == "GBK" || cs == "GB18030" || cs == "GB2312" || cs == "CP936") {
        QStringEncoder enc("GB18030");
        if (enc.isValid())
            return enc.encode(text);
    }
    return text.toUtf8();
}

bool writeFileReplacing(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace varnel
