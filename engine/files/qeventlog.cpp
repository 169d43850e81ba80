#include "qeventlog.h"

#include "qcstringcodec.h"
#include "qdatafile.h"
#include "qfilelock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

Q_LOGGING_CATEGORY(logOnly, "tovel.note")

namespace
{

// Locks of the lock file: byte 0 is held shared by every live run for its
// whole life, byte 1 exclusively by the one run that touches the log files.
const qint64 liveByte = 0;
const qint64 filesByte = 1;

// A regular file under its own name, no link.
bool isOwnFile(const QString &name)
{
#ifdef Q_OS_UNIX
    struct stat status;
    return lstat(QFile::encodeName(name).constData(), &status) == 0 && S_ISREG(status.st_mode);
#else
    return QFileInfo(name).isFile();
#endif
}

const qint64 sizeLimit = 262144;

// The stamp shows whole seconds, so it is formatted once per second: the
// locale's formatting costs more than the rest of an entry.
QString timeStamp()
{
    static qint64 second = -1;
    static QString stamp;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (now != second) {
        second = now;
        stamp = QDateTime::fromSecsSinceEpoch(now).toString(QStringLiteral("dd-MM hh:mm:ss"));
    }
    return stamp;
}

QString operatingSystem()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("Windows");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#else
    return QStringLiteral("unknown OS");
#endif
}

} // namespace

QEventLog::QEventLog(const QString &logFileName)
    : logFileName(logFileName), activeFileName(QLatin1Char('_') + logFileName),
      lockFileName(activeFileName + QStringLiteral(".lock"))
{
    // Alone, the run reports a left-over active file as a crash and goes on
    // in the log. Beside live runs, the active file is theirs: the run goes
    // on in it and reports no crash.
    const bool alone = join();
    if (!enabled)
        return;
    if (alone && QFile::exists(activeFileName))
        appendEntry(QStringLiteral("Incorrect termination detected!"));
    else if (!QFile::exists(activeFileName) && isOwnFile(logFileName))
        QFile::rename(logFileName, activeFileName);
    appendEntry(QString());
    rotate();
    unlockFiles();
}

QEventLog::~QEventLog()
{
    // The last run to end gives the log its name back.
    if (enabled && lockFiles()) {
        closeActiveFile();
        if (leave() && isOwnFile(activeFileName) && !QFile::rename(activeFileName, logFileName))
            mergeIntoLog();
    }
    closeActiveFile();
#ifdef Q_OS_UNIX
    if (lockHandle >= 0)
        ::close(lockHandle);
#endif
}

bool QEventLog::join()
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(lockFileName);
    for (;;) {
        lockHandle = QDataFile::openOwn(lockFileName, O_RDWR, true);
        if (lockHandle < 0)
            return true; // no lock file can be made: the run is taken as alone
        if (!lockFiles())
            return false;
        // the last run may have removed the file while this one waited
        struct stat held;
        struct stat named;
        if (fstat(lockHandle, &held) == 0 && stat(name.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            break;
        ::close(lockHandle);
    }
    const bool alone = QFileLock::tryLock(lockHandle, QFileLock::Exclusive, liveByte, 1);
    if (!QFileLock::lock(lockHandle, QFileLock::Shared, liveByte, 1))
        enabled = false;
    return alone;
#else
    return true;
#endif
}

bool QEventLog::leave()
{
#ifdef Q_OS_UNIX
    if (lockHandle < 0)
        return true;
    if (!QFileLock::tryLock(lockHandle, QFileLock::Exclusive, liveByte, 1))
        return false;
    // no run lives beside this one, and none can join before the file is
    // gone: joining waits for the files byte, and then finds another file
    ::unlink(QFile::encodeName(lockFileName).constData());
#endif
    return true;
}

// False, with the log off for the rest of the run, when the lock is not to
// be had in time.
bool QEventLog::lockFiles()
{
    if (lockHandle >= 0 && !QFileLock::lock(lockHandle, QFileLock::Exclusive, filesByte, 1))
        enabled = false;
    return enabled;
}

void QEventLog::unlockFiles()
{
    if (lockHandle >= 0)
        QFileLock::tryLock(lockHandle, QFileLock::Unlocked, filesByte, 1);
}

// An active file beside a log of the same name is left by earlier runs that
// ran at once without the lock: the log takes the active file's entries, the
// newer ones, at its end, and one log is left.
void QEventLog::mergeIntoLog()
{
    QFile active;
    const int log = QDataFile::openOwn(logFileName, O_WRONLY | O_APPEND, false);
    if (log < 0)
        return;
    if (active.open(QDataFile::openOwn(activeFileName, O_RDONLY, false), QIODevice::ReadOnly,
                    QFileDevice::AutoCloseHandle) &&
        QDataFile::write(log, '\n' + active.readAll()))
        QFile::remove(activeFileName);
    ::close(log);
}

void QEventLog::message(QtMsgType type, const QString &message, bool echo)
{
    const char *level = nullptr;
    const char *echoFormat = nullptr;
    switch (type) {
    case QtDebugMsg:
        writeEntry(message);
        return;
    case QtWarningMsg:
        level = "BUG:";
        echoFormat = "Bug: %s\n";
        break;
    case QtCriticalMsg:
        level = "CRITICAL:";
        echoFormat = "Critical: %s\n";
        break;
    case QtFatalMsg:
        level = "FATAL:";
        echoFormat = "Fatal: %s\n";
        break;
    default:
        return;
    }
    writeEntry(message, QLatin1String(level));
    if (!echo)
        return;
    fprintf(stderr, echoFormat, message.toLocal8Bit().constData());
    fflush(stderr);
}

QString QEventLog::formatEntry(const QString &message, const QString &level)
{
    QString text = message.simplified();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    const int colon = text.indexOf(QLatin1String(": "));
    if (colon > 0) {
        text[colon] = QLatin1Char(']');
        text.prepend(QLatin1Char('['));
    }
    if (!text.isEmpty())
        text.prepend(timeStamp() + QLatin1Char('\t'));
    if (!level.isEmpty()) {
        const int bracket = text.indexOf(QLatin1Char(']'));
        text.insert(bracket + 1, QLatin1Char(' ') + level);
    }
    return QLatin1Char('\n') + text;
}

void QEventLog::writeEntry(const QString &text, const QString &level)
{
    if (!enabled || !lockFiles())
        return;
    appendEntry(text, level);
    unlockFiles();
}

void QEventLog::appendEntry(const QString &text, const QString &level)
{
    bool fresh = false;
    if (!openActiveFile(&fresh))
        return;
    // the entry goes out in one write, so that no other run's entry cuts it
    QByteArray bytes = QCStringCodec::fromUnicode(formatEntry(text, level));
    if (fresh)
        bytes.prepend(QCStringCodec::fromUnicode(header()));
    QDataFile::write(activeHandle, bytes);
}

bool QEventLog::openActiveFile(bool *fresh)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (activeHandle >= 0) {
        if (lstat(QFile::encodeName(activeFileName).constData(), &status) == 0 &&
            quint64(status.st_dev) == activeDevice && quint64(status.st_ino) == activeInode)
            return true;
        closeActiveFile();
    }
    activeHandle = QDataFile::openOwn(activeFileName, O_WRONLY | O_APPEND, true, fresh);
    if (activeHandle < 0 || fstat(activeHandle, &status) != 0) {
        closeActiveFile();
        return false;
    }
    activeDevice = quint64(status.st_dev);
    activeInode = quint64(status.st_ino);
    return true;
#else
    return false;
#endif
}

void QEventLog::closeActiveFile()
{
#ifdef Q_OS_UNIX
    if (activeHandle >= 0)
        ::close(activeHandle);
#endif
    activeHandle = -1;
}

QString QEventLog::header() const
{
    return QStringLiteral("###############################\n"
                          "##   EVENT LOG\n"
                          "##   Application: %1\n"
                          "##   Version: %2\n"
                          "##   OS: %3\n"
                          "##   Language: %4\n"
                          "##   Started: %5\n"
                          "###############################\n")
        .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion(),
             operatingSystem(), QLocale::languageToString(QLocale::system().language()),
             timeStamp());
}

void QEventLog::rotate()
{
    const QFileInfo active(activeFileName);
    if (active.size() <= sizeLimit)
        return;
    // Archives move up by one, the highest number first, so that no rename
    // meets a name that is still taken.
    QDir dir = active.absoluteDir();
    QMultiMap<qlonglong, QString> archives;
    const QStringList names = dir.entryList({logFileName + QStringLiteral(".*")},
                                            QDir::Files | QDir::Hidden | QDir::CaseSensitive);
    for (const QString &name : names)
        archives.insert(name.mid(name.lastIndexOf(QLatin1Char('.')) + 1).toLongLong(), name);
    for (auto it = archives.constEnd(); it != archives.constBegin();) {
        --it;
        dir.rename(it.value(), logFileName + QLatin1Char('.') + QString::number(it.key() + 1));
    }
    QFile::rename(activeFileName, logFileName + QStringLiteral(".1"));
}

void eventLogHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    static QEventLog log(QStringLiteral("tovel.log"));
    log.message(type, message, qstrcmp(context.category, logOnly().categoryName()) != 0);
}

void silentHandler(QtMsgType, const QMessageLogContext &, const QString &) {}
