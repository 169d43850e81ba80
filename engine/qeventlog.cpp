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

namespace
{

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
    : logFileName(logFileName), activeFileName(QLatin1Char('_') + logFileName)
{
    if (QFile::exists(activeFileName))
        writeEntry(QStringLiteral("Incorrect termination detected!"));
    else if (QFile::exists(logFileName))
        QFile::rename(logFileName, activeFileName);
    writeEntry(QString());
    rotate();
}

QEventLog::~QEventLog()
{
    QFile::rename(activeFileName, logFileName);
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
    QFile file(activeFileName);
    const bool fresh = !file.exists();
    if (!file.open(QIODevice::Append))
        return;
    if (fresh)
        file.write(QCStringCodec::fromUnicode(header()));
    file.write(QCStringCodec::fromUnicode(formatEntry(text, level)));
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
