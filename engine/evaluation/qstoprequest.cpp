#include "qstoprequest.h"

#include "qevaluationguard.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace
{

volatile sig_atomic_t stopSignal = 0;
int wakeEnds[2] = {-1, -1};
QEvaluationGuard *watched = nullptr;

#ifdef Q_OS_UNIX
void noteRequest(int signal)
{
    if (stopSignal != 0) {
        ::signal(signal, SIG_DFL);
        raise(signal);
        return;
    }
    stopSignal = signal;
    const int saved = errno;
    const char byte = 1;
    if (::write(wakeEnds[1], &byte, 1) < 0) {
        // a full pipe wakes its reader as well
    }
    errno = saved;
}

void drain()
{
    char bytes[64];
    while (::read(wakeEnds[0], bytes, sizeof bytes) > 0) {
    }
}
#endif

} // namespace

QStopRequest::QStopRequest()
{
    auto *notifier = new QSocketNotifier(wakeEnds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &QStopRequest::stopEvaluation);
}

void QStopRequest::install()
{
#ifdef Q_OS_UNIX
    if (wakeEnds[0] >= 0 || pipe2(wakeEnds, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    static QStopRequest instance;
    struct sigaction action = {};
    action.sa_handler = noteRequest;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

int QStopRequest::signal()
{
    return stopSignal;
}

void QStopRequest::clear()
{
#ifdef Q_OS_UNIX
    if (wakeEnds[0] >= 0)
        drain();
#endif
    stopSignal = 0;
}

int QStopRequest::handle()
{
    return wakeEnds[0];
}

void QStopRequest::watch(QEvaluationGuard *guard)
{
    watched = guard;
}

QString QStopRequest::stoppedText()
{
    return QCoreApplication::translate("QObject", "Calculation stopped");
}

void QStopRequest::stopEvaluation()
{
    if (stopSignal != 0 && watched && !watched->stopped())
        watched->stop(stoppedText());
}
