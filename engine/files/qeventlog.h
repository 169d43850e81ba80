#ifndef QEVENTLOG_H
#define QEVENTLOG_H

#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

class QMessageLogContext;

// The engine's event log: every message of the run becomes one entry of a
// plain-text file in the working directory. The active file carries a leading
// "_" while the run lives; at normal exit it takes the log name again, so a
// left-over active file tells the next run that this one did not end well.
// The active file stays open for the run; it is opened again only when
// another run has moved it away meanwhile (archived it, or ended last).
//
// Runs at once (the panel and a console session) share the active file. A
// lock file beside it, "_tovel.log.lock", tells a live run from a dead one:
// every live run holds a shared lock on it, and whoever touches the log
// files holds its exclusive lock meanwhile. A run that starts beside live
// runs reports no crash; the last run to end renames the active file and
// removes the lock file. A run that cannot take a lock in time (someone
// holds it and never lets go) goes on without the log.
class QEventLog
{
public:
    explicit QEventLog(const QString &logFileName);
    ~QEventLog();

    // echo false keeps a warning off standard error: a note on an ordinary
    // state, for the log only.
    void message(QtMsgType type, const QString &message, bool echo = true);

    // The entry line for a text and a level, with its leading line feed.
    static QString formatEntry(const QString &text, const QString &level);

private:
    Q_DISABLE_COPY(QEventLog)

    void writeEntry(const QString &text, const QString &level = QString());
    void appendEntry(const QString &text, const QString &level = QString());
    // With the files locked: the active file open as its name now stands.
    bool openActiveFile(bool *fresh);
    void closeActiveFile();
    void rotate();
    QString header() const;
    // Takes the lock file's locks; true when no other run lives.
    bool join();
    // With the files locked: true when this is the last live run.
    bool leave();
    bool lockFiles();
    void unlockFiles();
    void mergeIntoLog();

    QString logFileName;
    QString activeFileName;
    QString lockFileName;
    int lockHandle = -1;
    int activeHandle = -1;
    quint64 activeDevice = 0;
    quint64 activeInode = 0;
    bool enabled = true;
};

// Warnings of this category are notes on ordinary states, such as the
// missing cache of a first run: the log takes them, standard error does not.
Q_DECLARE_LOGGING_CATEGORY(logOnly)

// The handler of a run that logs: makes the log at the first message.
void eventLogHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);
// The handler of a run started with "\log:0": drops every message.
void silentHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

#endif
