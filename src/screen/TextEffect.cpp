#include "screen/TextEffect.h"

#include <QFile>
#include <QSaveFile>
#include <SimpleIni.h>
#include <string>

namespace varnel {

namespace {

std::string utf8(const QString& s)
{
    return s.toUtf8().toStdString();
}

// One label's effect keys. Colours are written as #AARRGGBB so transparency survives.
struct Reader {
    const CSimpleIniA& ini;
    std::string section;

    const char* raw(const char* key) const { return ini.GetValue(section.c_str(), key, nullptr); }
    bool flag(const char* key, bool fallback) const
    {
        const char* v = raw(key);
        if (!v)
            return fallback;
        const QString s = QString::fromUtf8(v).trimmed();
        if (s == u"1" || s.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (s == u"0" || s.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
        return fallback;
    }
    int number(const char* key, int fallback) const
    {
        const char* v = raw(key);
        if (!v)
            return fallback;
        bool ok = false;
        const int n = QString::fromUtf8(v).trimmed().toInt(&ok);
        return ok ? n : fallback;
    }
    QColor colour(const char* key, const QColor& fallback) const
    {
        const char* v = raw(key);
        if (!v)
            return fallback;
        const QColor c = QColor::fromString(QString::fromUtf8(v).trimmed());
        return c.isValid() ? c : fallback;
    }
};

bool loadIni(const QString& path, CSimpleIniA& ini)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    return ini.LoadData(bytes.constData(), size_t(bytes.size())) >= 0;
}

void put(CSimpleIniA& ini, const std::string& section, const char* key, const QString& value)
{
    ini.SetValue(section.c_str(), key, utf8(value).c_str());
}

} // namespace

TextEffect loadTextEffect(const QString& iniPath, const QString& section)
{
    TextEffect e;
    CSimpleIniA ini;
    ini.SetUnicode(true);
    if (!loadIni(iniPath, ini))
        return e;
    const Reader r{ini, utf8(section)};
    e.transparent = r.flag("Transparent", e.transparent);
    e.shadow = r.flag("Shadow", e.shadow);
    e.shadowColour = r.colour("ShadowColour", e.shadowColour);
    e.shadowOffset = QPoint(r.number("ShadowOffsetX", e.shadowOffset.x()),
                            r.number("ShadowOffsetY", e.shadowOffset.y()));
    e.shadowBlur = std::clamp(r.number("ShadowBlur", e.shadowBlur), 0, 20);
    e.outline = r.flag("Outline", e.outline);
    e.outlineColour = r.colour("OutlineColour", e.outlineColour);
    e.outlineWidth = std::clamp(r.number("OutlineWidth", e.outlineWidth), 0, 20);
    e.gradient = r.flag("Gradient", e.gradient);
    e.gradientTop = r.colour("GradientTop", e.gradientTop);
    e.gradientBottom = r.colour("GradientBottom", e.gradientBottom);
    e.alpha = std::clamp(r.number("Alpha", e.alpha), 0, 100);
    return e;
}

bool saveTextEffect(const QString& iniPath, const QString& section, const TextEffect& e)
{
    CSimpleIniA ini;
    ini.SetUnicode(true);
    loadIni(iniPath, ini); // keep the other labels' sections
    const std::string s = utf8(section);
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    const auto colour = [](const QColor& c) { return c.name(QColor::HexArgb); };
    put(ini, s, "Transparent", flag(e.transparent));
    put(ini, s, "Shadow", flag(e.shadow));
    put(ini, s, "ShadowColour", colour(e.shadowColour));
    put(ini, s, "ShadowOffsetX", QString::number(e.shadowOffset.x()));
    put(ini, s, "ShadowOffsetY", QString::number(e.shadowOffset.y()));
    put(ini, s, "ShadowBlur", QString::number(e.shadowBlur));
    put(ini, s, "Outline", flag(e.outline));
    put(ini, s, "OutlineColour", colour(e.outlineColour));
    put(ini, s, "OutlineWidth", QString::number(e.outlineWidth));
    put(ini, s, "Gradient", flag(e.gradient));
    put(ini, s, "GradientTop", colour(e.gradientTop));
    put(ini, s, "GradientBottom", colour(e.gradientBottom));
    put(ini, s, "Alpha", QString::number(e.alpha));
    std::string out;
    if (ini.Save(out) < 0)
        return false;
    QSaveFile f(iniPath);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out.data(), qint64(out.size()));
    return f.commit();
}

} // namespace varnel
