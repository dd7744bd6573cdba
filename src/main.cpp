#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/gui/QtDialogs.h"
#include "shell/AppSetup.h"
#include "shell/SignalCloser.h"
#include "shell/StartupHooks.h"
#include "shell/TFrmSet.h"

#include <QApplication>
#include <QElapsedTimer>

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    varnel::setUpApplication(app);

    varnel::QtDialogs dialogs;
    varnel::SdlSoundPlayer sound;
    varnel::SystemClock clock;
    varnel::FrmSetDeps deps;
    deps.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    deps.dialogs = &dialogs;
    deps.sound = &sound;
    deps.clock = &clock;

    varnel::TFrmSet window(deps);
    dialogs.setParentWidget(&window);
    varnel::SignalCloser closeOnSignal(
        &window); // a stop request during start-up waits for the loop
    if (!window.FormCreate())
        return 1; // the fatal message was shown
    varnel::installStartupHooks(window, sinceStart);
    window.show();
    return app.exec();
}
