#include "manage/TextImport.h"

#include "manage/ImportError.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <cstring>

namespace varnel {

namespace {

bool isBlank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

QByteArray decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding);
    return QString(decoder(bytes)).toUtf8();
}

} // namespace

QByteArray importTextToUtf8(const QByteArray& bytes, bool* binary)
{
    QByteArray utf8;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(3);
        utf8 = body.isValidUtf8() ? body.toByteArray() : QString::fromUtf8(body).toUtf8();
    } else if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        utf8 = decodeWith(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    } else if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        utf8 = decodeWith(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    } else if (QByteArrayView(bytes).isValidUtf8()) {
        utf8 = bytes;
    } else {
        QStringDecoder gb("GB18030");
        utf8 = gb.isValid() ? QString(gb(bytes)).toUtf8() : QString::fromLocal8Bit(bytes).toUtf8();
    }
    if (binary)
        *binary = std::memchr(utf8.constData(), 0, size_t(utf8.size())) != nullptr;
    return utf8;
}

QByteArray readImportTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ImportError(QStringLiteral("无法读取文件: ") + QDir::toNativeSeparators(path) +
                          QLatin1Char('\r') + file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ImportError(QStringLiteral("无法读取文件: ") + QDir::toNativeSeparators(path) +
                          QLatin1Char('\r') + file.errorString());
    bool binary = false;
    QByteArray utf8 = importTextToUtf8(bytes, &binary);
    if (binary)
        throw ImportError(QStringLiteral("无法导入文件: ") + QDir::toNativeSeparators(path) +
                          QStringLiteral("\r该文件不是文本文件,请选择CSV或TXT格式的文本文件"));
    return utf8;
}

void splitCommaFields(QByteArrayView line, QList<QByteArrayView>& fields,
                      std::vector<QByteArray>& scratch)
{
    fields.clear();
    const char* p = line.data();
    const char* end = p + line.size();
    if (const void* nul = p ? std::memchr(p, 0, size_t(line.size())) : nullptr)
        end = static_cast<const char*>(nul); // a NUL ends the line like a terminated string
    std::size_t scratchUsed = 0;

    while (p < end && isBlank(*p))
        ++p;
    while (p < end) {
        if (*p == '"') {
            const char* start = ++p;
            const char* q = p;
            bool doubled = false;
            for (;;) {
                q = static_cast<const char*>(std::memchr(q, '"', size_t(end - q)));
                if (!q) { // no closing quote: the field runs to the end of the line
                    q = end;
                    break;
                }
                if (q + 1 < end && q[1] == '"') {
                    doubled = true;
                    q += 2;
                    continue;
                }
                break;
            }
            if (!doubled) {
                fields.append(QByteArrayView(start, q - start));
            } else {
                if (scratch.size() <= scratchUsed)
                    scratch.resize(scratchUsed + 1);
                QByteArray& buf = scratch[scratchUsed++];
                buf.clear();
                for (const char* s = start; s < q; ++s) {
                    buf.append(*s);
                    if (*s == '"')
                        ++s; // the second quote of a pair
                }
                fields.append(QByteArrayView(buf));
            }
            p = q < end ? q + 1 : end;
        } else {
            const char* start = p;
            while (p<end&& static_cast<unsigned char>(*p)> 32 && *p != ',')
                ++p;
            fields.append(QByteArrayView(start, p - start));
        }
        while (p < end && isBlank(*p))
            ++p;
        if (p < end && *p == ',') {
            if (p + 1 == end)
                fields.append(QByteArrayView(p, 0));
            do
                ++p;
            while (p < end && isBlank(*p));
        }
    }
}

QStringList splitCommaList(const QString& line)
{
    const QByteArray utf8 = line.toUtf8();
    QList<QByteArrayView> fields;
    std::vector<QByteArray> scratch;
    splitCommaFields(utf8, fields, scratch);
    QStringList out;
    out.reserve(fields.size());
    for (QByteArrayView f : fields)
        out << QString::fromUtf8(f);
    return out;
}

TextRecordSource::TextRecordSource(QByteArray utf8, qint64 limit)
    : m_text(std::move(utf8)), m_limit(limit)
{
}

bool TextRecordSource::next(ImportRecord& record)
{
    if (m_done || m_count >= m_limit || m_pos >= m_text.size()) {
        m_done = true;
        return false;
    }
    const char* base = m_text.constData();
    const char* p = base + m_pos;
    const char* end = base + m_text.size();
    const char* eol = p;
    while (eol < end && *eol != '\n' && *eol != '\r')
        ++eol;
    const QByteArrayView line(p, eol - p);
    if (eol < end && *eol == '\r' && ++eol < end && *eol == '\n')
        ++eol; // CR LF
    else if (eol < end && *eol == '\n')
        ++eol;
    m_pos = eol - base;

    splitCommaFields(line, m_fields, m_scratch);
    if (m_fields.isEmpty()) {
        m_done = true;
        return false;
    }
    const qsizetype n = m_fields.size();
    record.list = m_fields[0];
    record.memo = n > 1 ? m_fields[1] : QByteArrayView("", 0);
    record.mark = n > 2 ? m_fields[2] : QByteArrayView();
    record.hasPicture = n > 3;
    record.picture = n > 3 ? m_fields[3] : QByteArrayView();
    ++m_count;
    return true;
}

} // namespace varnel
