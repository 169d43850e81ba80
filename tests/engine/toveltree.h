#ifndef TOVELTREE_H
#define TOVELTREE_H

#include "scratchdir.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <QtTest>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char **environ;

// A process whose files may grow to a limit only: a write past it fails
// with EFBIG, as on a full disk, instead of ending the process.
class LimitedProcess : public QProcess
{
public:
    explicit LimitedProcess(rlim_t fileSizeLimit) : fileSizeLimit(fileSizeLimit) {}

protected:
    void setupChildProcess() override
    {
        if (fileSizeLimit == 0)
            return;
        signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    }

private:
    rlim_t fileSizeLimit;
};

// An installed tree of its own for the built engine: DIR/bin/tovel, with DIR
// as the engine's working directory, where its data files and logs lie.
class TovelTree
{
public:
    struct Run {
        QByteArray out;
        QByteArray err;
        int exitCode = -1;
    };

    enum Contents {
        Bare,    // only the engine: it warns about its missing data files
        Quiet,   // with an empty operator table and an empty cache
        Shipped, // with the shipped library and operator table
        System,  // installed system-wide: the shipped files in share/tovel
    };

    explicit TovelTree(Contents contents = Quiet)
    {
        QDir(dir.path()).mkdir(QStringLiteral("bin"));
        QFile::copy(QStringLiteral(TOVEL_BINARY), binary());
        if (contents == Bare)
            return;
        if (contents == System) {
            copyLibrary(QStringLiteral("share/tovel/"));
            return;
        }
        writeFile(QStringLiteral("tovel_cache.dat"), QByteArray());
        if (contents == Quiet)
            writeFile(QStringLiteral("tovel_operators.conf"), QByteArray());
        else
            copyLibrary(QString());
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString binary() const { return path(QStringLiteral("bin/tovel")); }

    // Runs the engine with a fixed locale, so that results never depend on
    // the machine's.
    Run run(const QStringList &arguments, const QByteArray &input = QByteArray(),
            const QString &language = QStringLiteral("C"), int timeout = 60000) const
    {
        LimitedProcess process(fileSizeLimit);
        start(process, arguments, language);
        process.write(input);
        process.closeWriteChannel();
        Run result;
        if (!process.waitForFinished(timeout)) {
            // why the wait gave up, read before the kill changes it
            const QString why = QStringLiteral("the engine did not end in time: %1, state %2")
                                    .arg(process.errorString())
                                    .arg(process.state());
            process.kill();
            process.waitForFinished();
            QTest::qFail(qPrintable(why), __FILE__, __LINE__);
            return result;
        }
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        // a sanitizer report of the engine fails the test even where the test
        // does not look at standard error
        if (result.err.contains("Sanitizer") || result.err.contains("runtime error:"))
            qFatal("the engine reported a fault:\n%s", result.err.constData());
        return result;
    }

    // Starts the engine with a fixed locale and the tree's environment.
    void start(QProcess &process, const QStringList &arguments,
               const QString &language = QStringLiteral("C")) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.remove(QStringLiteral("LANGUAGE"));
        environment.insert(QStringLiteral("LANG"), language);
        environment.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("home/data")));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QDir::rootPath());
        if (!asNobody) {
            process.start(binary(), arguments);
            return;
        }
        shareSuppressions(environment);
        process.setProcessEnvironment(environment);
        QDir().mkpath(path(QStringLiteral("home")));
        if (chown(QFile::encodeName(path(QStringLiteral("home"))).constData(), 65534, 65534) != 0)
            qFatal("the home cannot be given away");
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                  QStringLiteral("--clear-groups"), binary()} +
                          arguments);
    }

    // Runs the engine with its standard output on a pipe whose reader is
    // already gone, standard input from input and standard error kept.
    Run runWithClosedOutput(const QStringList &arguments,
                            const QByteArray &input = QByteArray()) const
    {
        writeFile(QStringLiteral("input.txt"), input);
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            qFatal("no pipe");
        ::close(pipeEnds[0]);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
        const QByteArray inputName = QFile::encodeName(path(QStringLiteral("input.txt")));
        const QByteArray errorName = QFile::encodeName(path(QStringLiteral("error.txt")));
        posix_spawn_file_actions_addopen(&actions, 0, inputName.constData(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, errorName.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QList<QByteArray> words{QFile::encodeName(binary())};
        for (const QString &argument : arguments)
            words << argument.toLocal8Bit();
        std::vector<char *> argv;
        for (QByteArray &word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        QList<QByteArray> variables;
        for (char **variable = environ; *variable; ++variable) {
            if (!QByteArray(*variable).startsWith("LANG=") &&
                !QByteArray(*variable).startsWith("LC_"))
                variables << QByteArray(*variable);
        }
        variables << "LANG=C";
        std::vector<char *> envp;
        for (QByteArray &variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);
        pid_t child = 0;
        const int spawned =
            posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        Run result;
        int status = 0;
        const bool ended =
            spawned == 0 &&
            QTest::qWaitFor(
                [child, &status]() { return waitpid(child, &status, WNOHANG) == child; }, 60000);
        if (spawned == 0 && !ended) {
            ::kill(child, SIGKILL);
            waitpid(child, &status, 0);
            QTest::qFail("the engine did not end in time", __FILE__, __LINE__);
            return result;
        }
        if (ended && WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
        result.err = readFile(QStringLiteral("error.txt"));
        if (result.err.contains("Sanitizer") || result.err.contains("runtime error:"))
            qFatal("the engine reported a fault:\n%s", result.err.constData());
        return result;
    }

    void writeFile(const QString &name, const QByteArray &content) const
    {
        ::writeFile(path(name), content);
    }

    QByteArray readFile(const QString &name) const { return ::readFile(path(name)); }

    // The user's own directory of a system install, under the tree's home.
    QString userPath(const QString &name) const
    {
        return path(QStringLiteral("home/data/tovel/") + name);
    }

    // The most bytes a run's files may hold; 0 for no limit.
    rlim_t fileSizeLimit = 0;
    // Runs as the user nobody (for a test run by root), the home theirs.
    bool asNobody = false;

private:
    // The leak checker's suppressions may lie where nobody cannot read them
    // (a checkout in root's home): the run as nobody reads a copy in the tree,
    // in a directory of its own beside the engine's files.
    void shareSuppressions(QProcessEnvironment &environment) const
    {
        QString options = environment.value(QStringLiteral("LSAN_OPTIONS"));
        const QRegularExpression file(QStringLiteral("suppressions=([^:]*)"));
        const QRegularExpressionMatch match = file.match(options);
        if (!match.hasMatch())
            return;
        const QString copy = path(QStringLiteral("sanitizer/lsan.supp"));
        QDir().mkpath(path(QStringLiteral("sanitizer")));
        QFile::remove(copy);
        QFile::copy(match.captured(1), copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::ReadOther);
        options.replace(match.capturedStart(1), match.capturedLength(1), copy);
        environment.insert(QStringLiteral("LSAN_OPTIONS"), options);
    }

    void copyLibrary(const QString &prefix) const
    {
        const QDir library(QStringLiteral(TOVEL_LIBRARY));
        QDir(dir.path()).mkpath(prefix + QStringLiteral("scripts"));
        QFile::copy(library.filePath(QStringLiteral("tovel_operators.conf")),
                    path(prefix + QStringLiteral("tovel_operators.conf")));
        const QDir scripts(library.filePath(QStringLiteral("scripts")));
        for (const QString &name : scripts.entryList(QDir::Files))
            QFile::copy(scripts.filePath(name), path(prefix + QStringLiteral("scripts/") + name));
    }

    QTemporaryDir dir;
};

// The records of a cache file after the record of its stamp, the first
// one, whose key line starts with a tab.
inline QByteArray cacheRecords(const QByteArray &cache)
{
    if (!cache.startsWith('\t'))
        return cache;
    const int keyEnd = cache.indexOf('\n');
    const int valueEnd = keyEnd < 0 ? -1 : cache.indexOf('\n', keyEnd + 1);
    return valueEnd < 0 ? QByteArray() : cache.mid(valueEnd + 1);
}

#endif
