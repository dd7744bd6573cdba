#pragma once

#include "platform/Dialogs.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"
#include "store/Settings.h"

namespace varnel {

// Stores one setting the moment its control changes; a database error is shown and ends only
// that change. Nothing happens while no project is connected.
inline void saveSettingOrShowError(AppContext& ctx, const QString& key, const QString& value)
{
    if (!ctx.db || !ctx.db->isConnected())
        return;
    try {
        Settings(*ctx.db).save(key, value);
    } catch (const DbError& e) {
        if (ctx.dialogs)
            ctx.dialogs->error(e.text());
    }
}

} // namespace varnel
