#include "qengineprocess.h"

#include <QCoreApplication>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

QEngineProcess::QEngineProcess(QObject *parent)
    : QProcess(parent), panelProcessId(QCoreApplication::applicationPid())
{
}

// Runs in the child between fork and exec. A panel that died before the
// request was made can no longer send the signal, so the child ends at once.
void QEngineProcess::setupChildProcess()
{
#ifdef Q_OS_LINUX
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != panelProcessId)
        _exit(127);
#endif
}
