#include "platform/OptionalLibrary.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace varnel {

namespace {

// Names to try for `library`: the name as given, and for a Windows-style "X.dll" also the
// Linux forms "X.so" and "libX.so".
QStringList candidateNames(const QString& library)
{
    QStringList names{library};
    if (library.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive)) {
        const QString base = library.left(library.size() - 4);
        names << base + QStringLiteral(".so")
              << QStringLiteral("lib") + base + QStringLiteral(".so");
    }
    return names;
}

QFunctionPointer resolveIn(const QString& file, const char* exportName)
{
    // Never unloaded: the callee may keep threads or windows alive after it returns.
    auto* lib = new QLibrary(file);
    if (lib->load()) {
        if (QFunctionPointer f = lib->resolve(exportName))
            return f;
    }
    delete lib;
    return nullptr;
}

} // namespace

bool callOptionalExport(const QString& programFolder, const QString& library,
                        const char* exportName, const QList<int>& intArgs)
{
    if (library.isEmpty() || !exportName || intArgs.size() > 6)
        return false;
    QFunctionPointer f = nullptr;
    const QStringList names = candidateNames(library);
    // The program folder first, then the system's own library search.
    if (!programFolder.isEmpty()) {
        for (const QString& name : names) {
            const QString path = QDir(programFolder).filePath(name);
            if (QFileInfo::exists(path) && (f = resolveIn(path, exportName)))
                break;
        }
    }
    if (!f) {
        for (const QString& name : names)
            if ((f = resolveIn(name, exportName)))
                break;
    }
    if (!f)
        return false;
    int a[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < intArgs.size(); ++i)
        a[i] = intArgs[i];
    // With the C calling convention the caller cleans up, so passing six arguments to an export
    // that takes fewer is harmless.
    using Fn = int (*)(int, int, int, int, int, int);
    reinterpret_cast<Fn>(f)(a[0], a[1], a[2], a[3], a[4], a[5]);
    return true;
}

} // namespace varnel
