#include "qeventlog.h"

#include "qcstringcodec.h"

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

namespace
{

#ifdef Q_OS_UNIX
// Locks of the lock file: byte 0 is held shared by every live run for its
// whole life, byte 1 exclusively by the one run that touches the log files.
// Open-file-description locks belong to the open file, not to the process,
// so two logs of one process exclude each other as two processes do.
#ifdef F_OFD_SETLK
const int tryLockCommand = F_OFD_SETLK;
const int waitLockCommand = F_OFD_SETLKW;
#else
const int tryLockCommand = F_SETLK;
const int waitLockCommand = F_SETLKW;
#endif
const off_t liveByte = 0;
const off_t filesByte = 1;

bool lockByte(int handle, int command, short type, off_t byte)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    while (fcntl(handle, command, &lock) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}
#endif

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
    if (alone && QFile::exists(activeFileName))
        appendEntry(QStringLiteral("Incorrect termination detected!"));
    else if (!QFile::exists(activeFileName) && QFile::exists(logFileName))
        QFile::rename(logFileName, activeFileName);
    appendEntry(QString());
    rotate();
    unlockFiles();
}

QEventLog::~QEventLog()
{
    // The last run to end gives the log its name back.
    lockFiles();
    if (leave() && !QFile::rename(activeFileName, logFileName))
        mergeIntoLog();
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
        lockHandle = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (lockHandle < 0)
            return true; // no lock file can be made: the run is taken as alone
        lockByte(lockHandle, waitLockCommand, F_WRLCK, filesByte);
        // the last run may have removed the file while this one waited
        struct stat held;
        struct stat named;
        if (fstat(lockHandle, &held) == 0 && stat(name.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            break;
        ::close(lockHandle);
    }
    const bool alone = lockByte(lockHandle, tryLockCommand, F_WRLCK, liveByte);
    lockByte(lockHandle, waitLockCommand, F_RDLCK, liveByte);
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
    if (!lockByte(lockHandle, tryLockCommand, F_WRLCK, liveByte))
        return false;
    // no run lives beside this one, and none can join before the file is
    // gone: joining waits for the files byte, and then finds another file
    ::unlink(QFile::encodeName(lockFileName).constData());
#endif
    return true;
}

void QEventLog::lockFiles()
{
#ifdef Q_OS_UNIX
    if (lockHandle >= 0)
        lockByte(lockHandle, waitLockCommand, F_WRLCK, filesByte);
#endif
}

void QEventLog::unlockFiles()
{
#ifdef Q_OS_UNIX
    if (lockHandle >= 0)
        lockByte(lockHandle, tryLockCommand, F_UNLCK, filesByte);
#endif
}

// An active file beside a log of the same name is left by earlier runs that
// ran at once without the lock: the log takes the active file's entries, the
// newer ones, at its end, and one log is left.
void QEventLog::mergeIntoLog()
{
    QFile active(activeFileName);
    QFile log(logFileName);
    if (!active.open(QIODevice::ReadOnly) || !log.open(QIODevice::Append))
        return;
    const QByteArray entries = active.readAll();
    if (log.write(QByteArray(1, '\n') + entries) == entries.size() + 1 && log.flush())
        active.remove();
}

void QEventLog::message(QtMsgType type, const QString &message)
{
    const char *level = nullptr;
    const char *echo = nullptr;
    switch (type) {
    case QtDebugMsg:
        writeEntry(message);
        return;
    case QtWarningMsg:
        level = "BUG:";
        echo = "Bug: %s\n";
        break;
    case QtCriticalMsg:
        level = "CRITICAL:";
        echo = "Critical: %s\n";
        break;
    case QtFatalMsg:
        level = "FATAL:";
        echo = "Fatal: %s\n";
        break;
    default:
        return;
    }
    writeEntry(message, QLatin1String(level));
    fprintf(stderr, echo, message.toLocal8Bit().constData());
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
    lockFiles();
    appendEntry(text, level);
    unlockFiles();
}

void QEventLog::appendEntry(const QString &text, const QString &level)
{
    QFile file(activeFileName);
    const bool fresh = !file.exists();
    if (!file.open(QIODevice::Append))
        return;
    // the entry goes out in one write, so that no other run's entry cuts it
    QByteArray bytes = QCStringCodec::fromUnicode(formatEntry(text, level));
    if (fresh)
        bytes.prepend(QCStringCodec::fromUnicode(header()));
    file.write(bytes);
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

void eventLogHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    static QEventLog log(QStringLiteral("tovel.log"));
    log.message(type, message);
}

void silentHandler(QtMsgType, const QMessageLogContext &, const QString &) {}
