#include "store/SetIni.h"

#include "store/ValueCodec.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <SimpleIni.h>
#include <string>

namespace varnel {

namespace {

const char* const kFileName = "set.ini";
const char* const kLastSection = "set";
const char* const kLastKey = "最后项目";
const char* const kKeySection = "SET";
const char* const kKeyKey = "SPACE";

// Loads the file into `ini`. A file written by the earlier Windows program is in the ANSI code
// page (GB18030 here); it is read as such when it is not valid UTF-8. False when unreadable.
bool loadIni(const QString& path, CSimpleIniA& ini)
{
    ini.SetUnicode(true);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder gb("GB18030");
        if (gb.isValid())
            bytes = QString(gb.decode(bytes)).toUtf8();
    }
    return ini.LoadData(bytes.constData(), size_t(bytes.size())) >= 0;
}

} // namespace

SetIni::SetIni(const QString& programFolder) : m_path(programFolder + QLatin1String(kFileName)) {}

QString SetIni::lastProject() const
{
    CSimpleIniA ini;
    if (!loadIni(m_path, ini))
        return {};
    return QString::fromUtf8(ini.GetValue(kLastSection, kLastKey, ""));
}

bool SetIni::writeLastProject(const QString& name)
{
    CSimpleIniA ini;
    loadIni(m_path, ini); // keep whatever else the file holds
    const QByteArray value = name.toUtf8();
    if (ini.SetValue(kLastSection, kLastKey, value.constData()) < 0)
        return false;
    std::string text;
    if (ini.Save(text, false) < 0)
        return false;
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(text.data(), qint64(text.size())) != qint64(text.size()))
        return false;
    return out.commit();
}

int SetIni::drawKey() const
{
    CSimpleIniA ini;
    if (!loadIni(m_path, ini))
        return 32;
    const char* v = ini.GetValue(kKeySection, kKeyKey, nullptr);
    if (!v)
        return 32;
    const QString text = QString::fromUtf8(v).trimmed();
    const int code = toIntOr0(text);
    return code == 0 && text != QLatin1String("0") ? 32 : code;
}

} // namespace varnel
