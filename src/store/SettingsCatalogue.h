#pragma once

#include <QString>
#include <span>

namespace varnel {

enum class SettingKind {
    Text,
    FlagOffOnlyAtZero,
    FlagOnOnlyAtMinusOne,
    Integer,
    Decimal,
    FontSpec,
    Picture,
    Sound,
    File,
    ScreenSize,
    DateTime,
    Mode,       // "滚动名单模式": "0" mall, anything else normal
    ImportMode, // "抽奖人追加导入方式": "0" replace, anything else append
    MultiRow,   // "商场抽取条件", "商场抽取条件按键"
};

// One entry of the catalogue of settings keys.
struct SettingKey {
    const char* key;         // UTF-8
    const char* creation;    // value at project creation, or the default added when missing
    bool createdWithProject; // false: no row at creation ("none" / added later when missing)
    SettingKind kind;
};

// Every settings key the program uses, in the order of the catalogue.
std::span<const SettingKey> settingsCatalogue();
const SettingKey* findSettingKey(const QString& key);

} // namespace varnel
