#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace varnel {

// Turns SIGTERM and SIGINT into a normal close of `window` (so "set.ini" is written as when the
// operator closes it). The handler only writes a byte to a pipe; the close runs in the event loop.
class SignalCloser final : public QObject {
public:
    explicit SignalCloser(QWidget* window);
    ~SignalCloser() override;
    SignalCloser(const SignalCloser&) = delete;
    SignalCloser& operator=(const SignalCloser&) = delete;

private:
    void onSignal();
    QWidget* m_window;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace varnel
