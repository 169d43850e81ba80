#ifndef SCRATCHDIR_H
#define SCRATCHDIR_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// A temporary directory that is the working directory while it lives: the
// engine's classes read and write their files relative to it.
class ScratchDir
{
public:
    ScratchDir() { QDir::setCurrent(dir.path()); }
    ~ScratchDir() { QDir::setCurrent(QDir::rootPath()); }

    QString path() const { return dir.path(); }

private:
    QTemporaryDir dir;
};

inline QByteArray readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &name, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile file(name);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

#endif
