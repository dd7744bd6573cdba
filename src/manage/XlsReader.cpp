#include "manage/XlsReader.h"

#include "manage/ImportError.h"
#include "manage/NumberFormat.h"

#include <QDir>
#include <QFile>
#include <freexl.h>

namespace varnel {

XlsReader::XlsReader(const QString& path) : m_path(path)
{
    const int rc = freexl_open(QFile::encodeName(path).constData(), &m_handle);
    if (rc != FREEXL_OK)
        refuse(QStringLiteral("该文件已损坏或不是可读取的Excel工作簿"));
    unsigned int info = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED)
        refuse(QStringLiteral("该文件受密码保护,请在Excel中取消密码后再导入"));
    if (freexl_select_active_worksheet(m_handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(m_handle, &m_rows, &m_columns) != FREEXL_OK)
        refuse(QStringLiteral("该文件没有可读取的工作表"));
}

XlsReader::~XlsReader()
{
    if (m_handle)
        freexl_close(m_handle);
}

void XlsReader::refuse(const QString& why) const
{
    if (m_handle) // the library wants its handle closed after a failed open as well
        freexl_close(m_handle);
    const_cast<XlsReader*>(this)->m_handle = nullptr;
    throw ImportError(QStringLiteral("无法打开Excel文件: ") + QDir::toNativeSeparators(m_path) +
                      QLatin1Char('\r') + why);
}

bool XlsReader::nextRow(SheetRow& row)
{
    if (m_next >= m_rows)
        return false;
    const unsigned int r = m_next++;
    row.number = qint64(r) + 1;
    for (unsigned short c = 0; c < 4; ++c) {
        QString& text = row.cells[c];
        text.clear();
        if (c >= m_columns)
            continue;
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(m_handle, r, c, &cell) != FREEXL_OK)
            throw ImportError(QStringLiteral("读取Excel文件时出错: ") +
                              QDir::toNativeSeparators(m_path) + QStringLiteral("\r该文件已损坏"));
        switch (cell.type) {
        case FREEXL_CELL_INT:
            text = QString::number(cell.value.int_value);
            break;
        case FREEXL_CELL_DOUBLE:
            text = generalNumberText(cell.value.double_value);
            break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            text = QString::fromUtf8(cell.value.text_value);
            break;
        default:
            break;
        }
    }
    return true;
}

} // namespace varnel
