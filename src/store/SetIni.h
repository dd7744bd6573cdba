#pragma once

#include <QString>

namespace varnel {

// "set.ini" beside the program: section "set" key "最后项目", section "SET" key "SPACE".
// Section names are compared without case, so both keys live in one section.
// A missing or garbled file reads as empty values.
class SetIni {
public:
    explicit SetIni(const QString& programFolder);

    QString lastProject() const;                // "" when missing
    bool writeLastProject(const QString& name); // false when the file cannot be written
    int drawKey() const;                        // "SPACE", default 32

private:
    QString m_path;
};

} // namespace varnel
