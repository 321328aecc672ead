#include "platform/shell/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

int g_pipe[2] = {-1, -1};

// A closed terminal or a logout (SIGHUP) and SIGQUIT end the program the same
// way: a recording is finished, never cut off without its index.
constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

extern "C" void onTerminationSignal(int signalNumber)
{
    // Only async-signal-safe work here: hand the number to the event loop.
    const unsigned char n = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] ssize_t ignored = ::write(g_pipe[1], &n, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return;
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kTerminationSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signalNumber : kTerminationSignals)
        std::signal(signalNumber, SIG_DFL);
}

void TerminationSignals::readSignal()
{
    unsigned char n = 0;
    if (::read(g_pipe[0], &n, 1) == 1)
        emit terminationRequested(n);
}

}  // namespace platform
