#ifndef QEVENTLOG_H
#define QEVENTLOG_H

#include <QString>
#include <QtGlobal>

class QMessageLogContext;

// The engine's event log: every message of the run becomes one entry of a
// plain-text file in the working directory. The active file carries a leading
// "_" while the run lives; at normal exit it takes the log name again, so a
// left-over active file tells the next run that this one did not end well.
//
// Runs at once (the panel and a console session) share the active file. A
// lock file beside it, "_tovel.log.lock", tells a live run from a dead one:
// every live run holds a shared lock on it, and whoever touches the log
// files holds its exclusive lock meanwhile. A run that starts beside live
// runs reports no crash; the last run to end renames the active file and
// removes the lock file.
class QEventLog
{
public:
    explicit QEventLog(const QString &logFileName);
    ~QEventLog();

    void message(QtMsgType type, const QString &message);

    // The entry line for a text and a level, with its leading line feed.
    static QString formatEntry(const QString &text, const QString &level);

private:
    void writeEntry(const QString &text, const QString &level = QString());
    void appendEntry(const QString &text, const QString &level = QString());
    void rotate();
    QString header() const;
    // Takes the lock file's locks; true when no other run lives.
    bool join();
    // With the files locked: true when this is the last live run.
    bool leave();
    void lockFiles();
    void unlockFiles();
    void mergeIntoLog();

    QString logFileName;
    QString activeFileName;
    QString lockFileName;
    int lockHandle = -1;
};

// The handler of a run that logs: makes the log at the first message.
void eventLogHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);
// The handler of a run started with "\log:0": drops every message.
void silentHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

#endif
