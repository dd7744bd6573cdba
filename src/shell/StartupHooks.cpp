#include "shell/StartupHooks.h"

#include "shell/TFrmSet.h"

#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace varnel {

namespace {

class FirstShow final : public QObject {
public:
    FirstShow(TFrmSet& window, QElapsedTimer since, QString shotDir, bool exitWhenShown)
        : QObject(&window), m_window(window), m_since(since), m_shotDir(std::move(shotDir)),
          m_exit(exitWhenShown)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show && !m_done) {
            m_done = true;
            QTimer::singleShot(0, &m_window, [this] { act(); });
        }
        return false;
    }

private:
    void act()
    {
        if (m_exit) {
            std::printf("shown %lld\n", static_cast<long long>(m_since.elapsed()));
            std::fflush(stdout);
        }
        if (!m_shotDir.isEmpty())
            m_window.saveScreenshots(m_shotDir);
        m_window.close();
    }

    TFrmSet& m_window;
    QElapsedTimer m_since;
    QString m_shotDir;
    bool m_exit;
    bool m_done = false;
};

} // namespace

void installStartupHooks(TFrmSet& window, const QElapsedTimer& sinceStart)
{
    const QString shots = qEnvironmentVariable("VARNEL_SCREENSHOT_DIR");
    const bool exitWhenShown = qEnvironmentVariableIsSet("VARNEL_EXIT_WHEN_SHOWN");
    if (shots.isEmpty() && !exitWhenShown)
        return;
    new FirstShow(window, sinceStart, shots, exitWhenShown);
}

} // namespace varnel
