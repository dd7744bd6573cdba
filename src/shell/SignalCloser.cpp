#include "shell/SignalCloser.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace varnel {

namespace {
int g_pipe[2] = {-1, -1};

extern "C" void forwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(g_pipe[0], &byte, 1);
}
} // namespace

SignalCloser::SignalCloser(QWidget* window) : m_window(window)
{
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return;
    ::fcntl(g_pipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalCloser::onSignal);
    struct sigaction sa = {};
    sa.sa_handler = forwardSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
}

SignalCloser::~SignalCloser()
{
    if (!m_notifier)
        return;
    struct sigaction sa = {};
    sa.sa_handler = SIG_DFL;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void SignalCloser::onSignal()
{
    char buffer[16];
    while (::read(g_pipe[1], buffer, sizeof buffer) > 0) {
    }
    m_window->close();        // writes set.ini; closing is never refused
    QCoreApplication::quit(); // also when the window was not shown yet
}

} // namespace varnel
