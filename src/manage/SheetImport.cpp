#include "manage/SheetImport.h"

#include "manage/ImportError.h"
#include "manage/XlsReader.h"
#include "manage/XlsxReader.h"

#include <QDir>
#include <QFile>

namespace varnel {

namespace {

QString unreadable(const QString& path, const QString& why)
{
    return QStringLiteral("无法打开Excel文件: ") + QDir::toNativeSeparators(path) +
           QLatin1Char('\r') + why;
}

// An encrypted .xlsx is a compound file holding these streams instead of a zip package.
bool isEncryptedPackage(const QByteArray& head)
{
    const QByteArray name = QByteArray("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
    return head.contains(name);
}

} // namespace

std::unique_ptr<SheetReader> openWorkbook(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ImportError(unreadable(path, file.errorString()));
    const QByteArray magic = file.read(8);
    if (magic.startsWith("PK\x03\x04"))
        return std::make_unique<XlsxReader>(path);
    if (magic == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
        file.seek(0);
        if (isEncryptedPackage(file.read(4 << 20)))
            throw ImportError(
                unreadable(path, QStringLiteral("该文件受密码保护,请在Excel中取消密码后再导入")));
        return std::make_unique<XlsReader>(path);
    }
    throw ImportError(unreadable(path, QStringLiteral("该文件已损坏或不是Excel工作簿")));
}

SheetRecordSource::SheetRecordSource(SheetReader& reader, qint64 limit)
    : m_reader(reader), m_limit(limit)
{
}

bool SheetRecordSource::next(ImportRecord& record)
{
    if (m_done || m_row >= m_limit) {
        m_done = true;
        return false;
    }
    const qint64 r = ++m_row;
    while (!m_havePending || m_pending.number < r) {
        if (!m_reader.nextRow(m_pending)) {
            m_done = true;
            return false;
        }
        m_havePending = true;
    }
    if (m_pending.number != r) { // the file stores nothing for row r: an empty row
        m_done = true;
        return false;
    }
    const auto& c = m_pending.cells;
    if (c[0].isEmpty() && c[1].isEmpty() && c[2].isEmpty()) {
        m_done = true;
        return false;
    }
    for (int i = 0; i < 4; ++i)
        m_utf8[i] = c[i].toUtf8();
    record.list = m_utf8[0];
    record.memo = QByteArrayView(m_utf8[1].constData(), m_utf8[1].size());
    record.mark = m_utf8[2];
    record.picture = m_utf8[3];
    record.hasPicture = true;
    if (r == m_limit)
        m_limitReached = true;
    return true;
}

} // namespace varnel
