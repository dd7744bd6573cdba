#include "screen/DrawScreen.h"

#include "platform/Dialogs.h"
#include "screen/TfrmJIANG.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"

#include <QEventLoop>

namespace varnel {

void runDrawScreen(AppContext& ctx, DrawHost& host, bool adjustMode, int drawKey, QWidget* parent)
{
    std::unique_ptr<TfrmJIANG> screen;
    try {
        screen = std::make_unique<TfrmJIANG>(ctx, host, adjustMode, drawKey, parent);
    } catch (const DbError& e) {
        ctx.dialogs->error(e.text());
        return;
    } catch (const ConversionError& e) {
        ctx.dialogs->error(e.text());
        return;
    }
    screen->setWindowModality(Qt::ApplicationModal);
    screen->show();
    // Modal until the screen has accepted its close (a close during a landing waits).
    QEventLoop loop;
    screen->onClosed = [&loop] { loop.quit(); };
    loop.exec();
}

} // namespace varnel
