#include "platform/ScriptedDialogs.h"

namespace varnel {

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const Shown& s : shown)
        if (s.kind == QLatin1String("message") || s.kind == QLatin1String("error") ||
            s.kind == QLatin1String("ask"))
            out << s.text;
    return out;
}

QVariant ScriptedDialogs::next()
{
    return m_answers.isEmpty() ? QVariant() : m_answers.dequeue();
}

void ScriptedDialogs::record(Shown s)
{
    shown.append(s);
    if (onShown)
        onShown(shown.last());
}

void ScriptedDialogs::message(const QString& text, const QString& title, Icon icon)
{
    record({QStringLiteral("message"), title, text, icon});
}

void ScriptedDialogs::error(const QString& text)
{
    record({QStringLiteral("error"), {}, text, Icon::Error});
}

bool ScriptedDialogs::askYesNo(const QString& title, const QString& text, Icon icon, bool defaultNo,
                               bool topmost)
{
    record({QStringLiteral("ask"), title, text, icon, defaultNo, topmost});
    const QVariant a = next();
    return a.typeId() == QMetaType::Bool && a.toBool();
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& title, const QString& prompt,
                                                 const QString& initial)
{
    Q_UNUSED(initial);
    record({QStringLiteral("input"), title, prompt});
    const QVariant a = next();
    if (a.typeId() != QMetaType::QString)
        return std::nullopt;
    return a.toString();
}

QString ScriptedDialogs::openFile(const QString& folder, const QString& filter,
                                  const QString& title)
{
    Q_UNUSED(folder);
    record({QStringLiteral("openFile"), title, filter});
    const QVariant a = next();
    return a.typeId() == QMetaType::QString ? a.toString() : QString();
}

QString ScriptedDialogs::openFolder(const QString& caption)
{
    record({QStringLiteral("openFolder"), {}, caption});
    const QVariant a = next();
    return a.typeId() == QMetaType::QString ? a.toString() : QString();
}

QString ScriptedDialogs::openPicture(const QString& folder, const QString& filter)
{
    Q_UNUSED(folder);
    record({QStringLiteral("openPicture"), {}, filter});
    const QVariant a = next();
    return a.typeId() == QMetaType::QString ? a.toString() : QString();
}

std::optional<QFont> ScriptedDialogs::chooseFont(const QFont& initial, QColor* colour)
{
    Q_UNUSED(initial);
    Q_UNUSED(colour);
    record({QStringLiteral("font"), {}, {}});
    const QVariant a = next();
    if (a.typeId() != QMetaType::QFont)
        return std::nullopt;
    return a.value<QFont>();
}

bool ScriptedDialogs::choosePrinter(QPrinter* printer)
{
    Q_UNUSED(printer);
    record({QStringLiteral("print"), {}, {}});
    const QVariant a = next();
    return a.typeId() == QMetaType::Bool && a.toBool();
}

} // namespace varnel
