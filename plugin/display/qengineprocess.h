#ifndef QENGINEPROCESS_H
#define QENGINEPROCESS_H

#include <QProcess>

// The process that runs the engine for a panel. On Linux the engine is
// killed when the program that holds the panel dies, even by a signal that
// leaves it no time to stop the engine: a line that never ends would keep
// the engine running for ever.
class QEngineProcess : public QProcess
{
public:
    explicit QEngineProcess(QObject *parent);

protected:
    void setupChildProcess() override;

private:
    qint64 panelProcessId;
};

#endif
