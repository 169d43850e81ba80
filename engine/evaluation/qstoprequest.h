#ifndef QSTOPREQUEST_H
#define QSTOPREQUEST_H

#include <QObject>

class QEvaluationGuard;

// SIGINT and SIGTERM as requests to stop: the signal is noted, and the
// script evaluation that runs ends at the engine's next look at the event
// queue, so that the run ends as a run should (its cache saved, its log
// renamed) or, at the prompt, the session goes on. A second signal while
// the first is still unanswered ends the program at once.
class QStopRequest : public QObject
{
    Q_OBJECT

public:
    // How often, in milliseconds, a running evaluation looks for a request.
    static const int checkInterval = 100;

    // Installs the signal handlers; made once, by the console driver.
    static void install();
    // The signal that asked to stop, or 0.
    static int signal();
    // Forgets the request, once it has been answered.
    static void clear();
    // A descriptor that becomes readable when a request comes; -1 before
    // install().
    static int handle();
    // The guard of the evaluation that runs now, which a request stops;
    // null when none runs.
    static void watch(QEvaluationGuard *guard);
    // The error text of a line that a request stopped.
    static QString stoppedText();

private slots:
    void stopEvaluation();

private:
    QStopRequest();
};

#endif
