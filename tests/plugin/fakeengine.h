#ifndef FAKEENGINE_H
#define FAKEENGINE_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A stand-in for the engine, first on PATH while it lives: a shell script
// named tovel that records each argument it gets on a line of its own and
// prints what the test gave it, at once or once it is told to, or runs until
// it is stopped, or crashes. Like
// the engine, it exits with 1 when it printed an error and no answer.
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
                     "[ -e \"$dir/crash\" ] && kill -9 $$\n"
                     "[ -e \"$dir/wait\" ] && read go\n"
                     "[ -e \"$dir/deaf\" ] && trap '' TERM && exec sleep 600\n"
                     "if [ -e \"$dir/endless\" ]; then\n"
                     "  trap 'kill $!; touch \"$dir/terminated\"; exit 0' TERM\n"
                     "  sleep 600 & wait\n"
                     "fi\n"
                     "[ -e \"$dir/stdout\" ] && cat \"$dir/stdout\"\n"
                     "[ -e \"$dir/stderr\" ] && cat \"$dir/stderr\" >&2\n"
                     "[ -e \"$dir/stderr-end\" ] && sleep 0.3 && cat \"$dir/stderr-end\" >&2\n"
                     "[ -e \"$dir/stdout\" ] || [ ! -e \"$dir/stderr\" ]\n");
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
        for (const char *mode : {"endless", "deaf", "crash", "wait"})
            QFile::remove(dir.filePath(QLatin1String(mode)));
    }

    // From now on the engine runs until it is stopped; a deaf one ignores
    // the request to end and goes only when it is killed.
    void runEndlessly(bool deaf = false) const
    {
        write(QLatin1String(deaf ? "deaf" : "endless"), "1");
    }
    // From now on the engine answers only once a line was written to its
    // standard input.
    void waitForInput() const { write(QStringLiteral("wait"), "1"); }
    // From now on the engine is killed by a signal before it prints anything.
    void crash() const { write(QStringLiteral("crash"), "1"); }
    // Whether an endless engine ended on the request to end.
    bool endedOnRequest() const
    {
        return QFile::exists(dir.filePath(QStringLiteral("terminated")));
    }

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
