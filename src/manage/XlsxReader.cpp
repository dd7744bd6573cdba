#include "manage/XlsxReader.h"

#include "manage/ImportError.h"
#include "manage/NumberFormat.h"

#include <QDir>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace varnel {

namespace {

QString folderOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash + 1);
}

QString resolveTarget(const QString& base, const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QDir::cleanPath(folderOf(base) + target);
}

QStringView attr(const QXmlStreamReader& xml, QLatin1StringView name)
{
    // Local names only: transitional and strict files use different namespaces.
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == name)
            return a.value();
    return {};
}

// Characters the format cannot hold directly are written as _xHHHH_.
QString decodeEscapes(QString s)
{
    if (!s.contains(QLatin1String("_x")))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i) == QLatin1Char('_') && i + 6 < s.size() && s.at(i + 1) == QLatin1Char('x') &&
            s.at(i + 6) == QLatin1Char('_')) {
            bool ok = false;
            const uint code = QStringView(s).mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(char16_t(code));
                i += 6;
                continue;
            }
        }
        out += s.at(i);
    }
    return out;
}

// Text of a string item (<si> or <is>): plain <t>, or the <t> of every rich text run;
// phonetic runs are not part of the shown text.
QString readStringItem(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const auto tt = xml.readNext();
        if (tt == QXmlStreamReader::StartElement) {
            if (xml.name() == u"t") {
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == u"rPh" || xml.name() == u"phoneticPr") {
                xml.skipCurrentElement();
            } else {
                ++depth;
            }
        } else if (tt == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return decodeEscapes(text);
}

qint64 columnOf(QStringView ref)
{
    qint64 col = 0;
    for (QChar c : ref) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        col = col * 26 + (u - u'A' + 1);
    }
    return col;
}

} // namespace

XlsxReader::XlsxReader(const QString& path) : m_path(path), m_zip(std::make_unique<QuaZip>(path))
{
    if (!m_zip->open(QuaZip::mdUnzip))
        damaged();
    m_zip->setFileNameCodec("UTF-8");
    readWorkbook();
}

XlsxReader::~XlsxReader()
{
    if (m_sheet)
        m_sheet->close();
    m_sheet.reset();
    m_zip->close();
}

void XlsxReader::damaged() const
{
    throw ImportError(QStringLiteral("无法打开Excel文件: ") + QDir::toNativeSeparators(m_path) +
                      QStringLiteral("\r该文件已损坏或不是Excel工作簿"));
}

QByteArray XlsxReader::readPart(const QString& name, bool required)
{
    if (!m_zip->setCurrentFile(name, QuaZip::csInsensitive)) {
        if (required)
            damaged();
        return {};
    }
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly))
        damaged();
    QByteArray bytes = file.readAll();
    file.close();
    if (file.getZipError() != UNZ_OK)
        damaged();
    return bytes;
}

QHash<QString, QString> XlsxReader::relationships(const QString& partName,
                                                  QHash<QString, QString>* types)
{
    const QString name = folderOf(partName) + QStringLiteral("_rels/") +
                         partName.mid(folderOf(partName).size()) + QStringLiteral(".rels");
    QHash<QString, QString> targets;
    QXmlStreamReader xml(readPart(name, false));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        if (attr(xml, QLatin1StringView("TargetMode")) == u"External")
            continue;
        const QString id = attr(xml, QLatin1StringView("Id")).toString();
        targets.insert(id,
                       resolveTarget(partName, attr(xml, QLatin1StringView("Target")).toString()));
        if (types)
            types->insert(id, attr(xml, QLatin1StringView("Type")).toString());
    }
    return targets;
}

void XlsxReader::readWorkbook()
{
    QString workbook = QStringLiteral("xl/workbook.xml");
    {
        QHash<QString, QString> types;
        const QHash<QString, QString> root = relationships(QString(), &types);
        for (auto it = types.cbegin(); it != types.cend(); ++it)
            if (it.value().endsWith(QLatin1String("/officeDocument")))
                workbook = root.value(it.key());
    }
    QHash<QString, QString> types;
    const QHash<QString, QString> rels = relationships(workbook, &types);

    QString sheetPart;
    QXmlStreamReader xml(readPart(workbook, true));
    while (!xml.atEnd() && sheetPart.isEmpty()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookPr") {
            const QStringView v = attr(xml, QLatin1StringView("date1904"));
            m_date1904 = v == u"1" || v == u"true";
        } else if (xml.name() == u"sheet") {
            // The first worksheet in tab order; chart sheets are not worksheets.
            const QString id = attr(xml, QLatin1StringView("id")).toString();
            if (types.value(id).endsWith(QLatin1String("/worksheet")))
                sheetPart = rels.value(id);
        }
    }
    if (xml.hasError() || sheetPart.isEmpty())
        damaged();

    QString stringsPart = QStringLiteral("xl/sharedStrings.xml");
    QString stylesPart = QStringLiteral("xl/styles.xml");
    for (auto it = types.cbegin(); it != types.cend(); ++it) {
        if (it.value().endsWith(QLatin1String("/sharedStrings")))
            stringsPart = rels.value(it.key());
        else if (it.value().endsWith(QLatin1String("/styles")))
            stylesPart = rels.value(it.key());
    }
    readSharedStrings(readPart(stringsPart, false));
    readStyles(readPart(stylesPart, false));

    if (!m_zip->setCurrentFile(sheetPart, QuaZip::csInsensitive))
        damaged();
    m_sheet = std::make_unique<QuaZipFile>(m_zip.get());
    if (!m_sheet->open(QIODevice::ReadOnly))
        damaged();
    m_xml.setDevice(m_sheet.get());
}

void XlsxReader::readSharedStrings(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            m_strings << readStringItem(xml);
    }
    if (xml.hasError())
        damaged();
}

void XlsxReader::readStyles(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    QXmlStreamReader xml(bytes);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        const auto tt = xml.readNext();
        if (tt == QXmlStreamReader::StartElement) {
            if (xml.name() == u"numFmt") {
                m_formats.insert(attr(xml, QLatin1StringView("numFmtId")).toInt(),
                                 attr(xml, QLatin1StringView("formatCode")).toString());
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && xml.name() == u"xf") {
                m_xfFormats << attr(xml, QLatin1StringView("numFmtId")).toInt();
            }
        } else if (tt == QXmlStreamReader::EndElement && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    if (xml.hasError())
        damaged();
}

QString XlsxReader::cellText(const QString& type, const QString& style, const QString& value) const
{
    if (type.isEmpty() || type == QLatin1String("n")) {
        if (value.isEmpty())
            return {};
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            return value;
        const int xf = style.isEmpty() ? 0 : style.toInt();
        const int fmt = m_xfFormats.value(xf, 0);
        if (fmt == 0)
            return generalNumberText(number);
        const auto custom = m_formats.constFind(fmt);
        return formatNumber(number, custom != m_formats.cend() ? *custom : builtinNumberFormat(fmt),
                            m_date1904);
    }
    if (type == QLatin1String("s"))
        return m_strings.value(value.toInt());
    if (type == QLatin1String("b"))
        return value == QLatin1String("1") || value == QLatin1String("true")
                   ? QStringLiteral("TRUE")
                   : QStringLiteral("FALSE");
    if (type == QLatin1String("str"))
        return decodeEscapes(value);
    return value; // inline strings (already decoded), errors such as #N/A, ISO dates
}

bool XlsxReader::nextRow(SheetRow& row)
{
    if (m_finished)
        return false;
    while (!m_xml.atEnd()) {
        const auto tt = m_xml.readNext();
        if (tt == QXmlStreamReader::EndElement && m_xml.name() == u"sheetData")
            break;
        if (tt != QXmlStreamReader::StartElement || m_xml.name() != u"row")
            continue;

        const QStringView r = attr(m_xml, QLatin1StringView("r"));
        row.number = r.isEmpty() ? m_lastRow + 1 : r.toLongLong();
        if (row.number <= m_lastRow) // rows out of order: not a sheet we can trust
            damaged();
        m_lastRow = row.number;
        for (QString& c : row.cells)
            c.clear();

        qint64 col = 0;
        while (!m_xml.atEnd()) {
            const auto t2 = m_xml.readNext();
            if (t2 == QXmlStreamReader::EndElement && m_xml.name() == u"row")
                return true;
            if (t2 != QXmlStreamReader::StartElement || m_xml.name() != u"c")
                continue;
            QString ref, type, style;
            for (const QXmlStreamAttribute& a : m_xml.attributes()) {
                if (a.name() == u"r")
                    ref = a.value().toString();
                else if (a.name() == u"t")
                    type = a.value().toString();
                else if (a.name() == u"s")
                    style = a.value().toString();
            }
            const qint64 c = ref.isEmpty() ? col + 1 : columnOf(ref);
            col = c;
            QString value;
            bool inlineText = false;
            while (!m_xml.atEnd()) {
                const auto t3 = m_xml.readNext();
                if (t3 == QXmlStreamReader::EndElement && m_xml.name() == u"c")
                    break;
                if (t3 != QXmlStreamReader::StartElement)
                    continue;
                if (m_xml.name() == u"v") {
                    value = m_xml.readElementText();
                } else if (m_xml.name() == u"is") {
                    value = readStringItem(m_xml);
                    inlineText = true;
                } else {
                    m_xml.skipCurrentElement();
                }
            }
            if (c >= 1 && c <= 4)
                row.cells[size_t(c - 1)] = inlineText ? value : cellText(type, style, value);
        }
        break;
    }
    if (m_xml.hasError())
        damaged();
    m_finished = true;
    return false;
}

} // namespace varnel
