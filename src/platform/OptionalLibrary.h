#pragma once

#include <QString>
#include <QStringList>

namespace varnel {

// Calls an export of a library found by name (the program folder first, then the system's
// library search). A missing library or export does nothing and returns false. The library
// is never unloaded.
bool callOptionalExport(const QString& programFolder, const QString& library,
                        const char* exportName, const QList<int>& intArgs);

} // namespace varnel
