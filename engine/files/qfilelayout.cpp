#include "qfilelayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{

QString shippedDirectory;

QString parentOf(const QString &programDirectory)
{
    return QDir::cleanPath(programDirectory + QStringLiteral("/.."));
}

bool mayWrite(const QString &directory)
{
#ifdef Q_OS_UNIX
    return access(QFile::encodeName(directory).constData(), W_OK | X_OK) == 0;
#else
    return QFileInfo(directory).isWritable();
#endif
}

#ifdef Q_OS_UNIX
// $XDG_DATA_HOME, or ~/.local/share; a relative path counts as none.
QByteArray dataHome()
{
    const QByteArray configured = qgetenv("XDG_DATA_HOME");
    if (configured.startsWith('/'))
        return configured;
    QByteArray home = qgetenv("HOME");
    if (!home.startsWith('/')) {
        const struct passwd *user = getpwuid(geteuid());
        home = user && user->pw_dir ? QByteArray(user->pw_dir) : QByteArray();
    }
    return home.startsWith('/') ? home + "/.local/share" : QByteArray();
}

// Makes every missing directory of the path, each with mode 0700.
void makePath(const QByteArray &path)
{
    for (int slash = path.indexOf('/', 1); slash != -1; slash = path.indexOf('/', slash + 1))
        mkdir(path.left(slash).constData(), 0700);
    mkdir(path.constData(), 0700);
}
#endif

} // namespace

void QFileLayout::apply(const QString &programDirectory)
{
    const QString tree = parentOf(programDirectory);
    const QString share = tree + QStringLiteral("/share/tovel");
    const bool system =
        !QFileInfo::exists(tree + QStringLiteral("/scripts")) && QFileInfo(share).isDir();
    const QString shipped = system ? share : tree;
    if (!system && mayWrite(tree)) {
        QDir::setCurrent(tree);
        return;
    }
    const QString own = userDirectory();
    if (!own.isEmpty() && QDir::setCurrent(own)) {
        shippedDirectory = shipped;
        return;
    }
    // no directory of the user's own: the shipped files are read, and the
    // files the engine writes are written where the user may
    QDir::setCurrent(shipped);
}

QStringList QFileLayout::directories()
{
    QStringList found{QStringLiteral(".")};
    if (!shippedDirectory.isEmpty())
        found << shippedDirectory;
    return found;
}

QString QFileLayout::locate(const QString &name)
{
    if (shippedDirectory.isEmpty() || QFileInfo::exists(name))
        return name;
    const QString shipped = shippedDirectory + QLatin1Char('/') + name;
    return QFileInfo::exists(shipped) ? shipped : name;
}

QString QFileLayout::userDirectory()
{
#ifdef Q_OS_UNIX
    const QByteArray home = dataHome();
    if (home.isEmpty())
        return QString();
    const QByteArray own = home + "/tovel";
    makePath(own);
    // a directory of someone else's would let them put code into the
    // user's calculations
    struct stat status;
    if (stat(own.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != geteuid())
        return QString();
    return QFile::decodeName(own);
#else
    return QString();
#endif
}
