#ifndef FAKEENGINE_H
#define FAKEENGINE_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A stand-in for the engine, first on PATH while it lives: a shell script
// named tovel that records each argument it gets on a line of its own and
// prints what the test gave it, or runs until it is stopped.
class FakeEngine
{
public:
    FakeEngine() : oldPath(qgetenv("PATH"))
    {
        QDir(dir.path()).mkdir(QStringLiteral("bin"));
        QFile script(dir.filePath(QStringLiteral("bin/tovel")));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\n"
                     "dir=$(dirname \"$0\")/..\n"
                     "printf '%s\\n' \"$1\" >> \"$dir/arguments\"\n"
                     "[ -e \"$dir/endless\" ] && exec sleep 600\n"
                     "[ -e \"$dir/stdout\" ] && cat \"$dir/stdout\"\n"
                     "[ -e \"$dir/stderr\" ] && cat \"$dir/stderr\" >&2\n"
                     "[ -e \"$dir/stderr-end\" ] && sleep 0.3 && cat \"$dir/stderr-end\" >&2\n"
                     "exit 0\n");
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        script.close();
        qputenv("PATH", QFile::encodeName(dir.filePath(QStringLiteral("bin"))) + ':' + oldPath);
    }
    ~FakeEngine() { qputenv("PATH", oldPath); }

    // What the engine prints from now on; an error may end with a line end
    // written a moment later, as a separate piece.
    void answer(const QByteArray &out, const QByteArray &err = QByteArray(),
                const QByteArray &errEnd = QByteArray()) const
    {
        write(QStringLiteral("stdout"), out);
        write(QStringLiteral("stderr"), err);
        write(QStringLiteral("stderr-end"), errEnd);
        QFile::remove(dir.filePath(QStringLiteral("endless")));
    }

    // From now on the engine runs until it is stopped.
    void runEndlessly() const { write(QStringLiteral("endless"), "1"); }

    QStringList arguments() const
    {
        QFile file(dir.filePath(QStringLiteral("arguments")));
        if (!file.open(QIODevice::ReadOnly))
            return QStringList();
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        lines.removeLast();
        return lines;
    }

private:
    void write(const QString &name, const QByteArray &content) const
    {
        QFile file(dir.filePath(name));
        if (content.isEmpty()) {
            file.remove();
            return;
        }
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }

    QTemporaryDir dir;
    QByteArray oldPath;
};

#endif
