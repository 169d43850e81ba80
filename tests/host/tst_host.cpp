#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// Runs the host program as a user does: from the build tree and from a tree
// installed under a temporary prefix.
class HostTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
    void realWindow();
    void russianTexts();
    void settingsFileOfAnotherKind();
    void engineEndsWithHost();

private:
    struct Run {
        int exitCode = -1;
        bool finished = false;
        QByteArray out;
        QByteArray err;
    };
    Run host(const QString &program, QStringList arguments,
             const QStringList &wrapper = QStringList(),
             const QString &language = QStringLiteral("C.UTF-8"),
             const QStringList &changes = QStringList()) const;
    QString hostIn(const QString &tree) const;
    QString picture() const { return scratch.filePath(QStringLiteral("panel.png")); }

    QTemporaryDir prefix;
    QTemporaryDir system;
    QTemporaryDir withoutEngine;
    QTemporaryDir scratch;
};

// Installs the build as a portable tree under a private prefix, and as a
// system install under the prefix /usr of a staging directory; a third tree
// holds the portable host and plug-in without the engine.
void HostTest::initTestCase()
{
    for (QTemporaryDir *tree : {&prefix, &system}) {
        QProcess install;
        QString target = tree->path();
        if (tree == &system) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("DESTDIR"), system.path());
            install.setProcessEnvironment(environment);
            target = QStringLiteral("/usr");
        }
        install.start(QStringLiteral(CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                       QStringLiteral("--prefix"), target});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    }
    for (const char *file : {"bin/brisma-host", "plugins/libbrisma.so"}) {
        const QString copy = withoutEngine.filePath(QLatin1String(file));
        QVERIFY(QDir().mkpath(QFileInfo(copy).path()));
        QVERIFY(QFile::copy(prefix.filePath(QLatin1String(file)), copy));
    }
    QFile notPlugin(scratch.filePath(QStringLiteral("libnotaplugin.so")));
    QVERIFY(notPlugin.open(QIODevice::WriteOnly));
    notPlugin.write("not a library\n");
}

// The host's settings file and every picture stay in the test's directory,
// the engine of the installed tree writes its files there, the locale is
// fixed,
QString HostTest::hostIn(const QString &tree) const
{
    if (tree == QLatin1String("build"))
        return QStringLiteral(BUILD_HOST);
    if (tree == QLatin1String("system"))
        return system.filePath(QStringLiteral("usr/bin/brisma-host"));
    if (tree == QLatin1String("without engine"))
        return withoutEngine.filePath(QStringLiteral("bin/brisma-host"));
    return prefix.filePath(QStringLiteral("bin/brisma-host"));
}

HostTest::Run HostTest::host(const QString &program, QStringList arguments,
                             const QStringList &wrapper, const QString &language,
                             const QStringList &changes) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       scratch.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), scratch.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("LANG"), language);
    // nor does it talk to the user's session bus
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    // The panel draws without OpenGL. On X the toolkit would still load the
    // system's GL driver, which leaks and is unloaded again before the leak
    // check, where no suppression can name it.
    environment.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    // a change "NAME=value" sets a variable, "NAME" alone removes it
    for (const QString &change : changes) {
        const int equals = change.indexOf(QLatin1Char('='));
        if (equals < 0)
            environment.remove(change);
        else
            environment.insert(change.left(equals), change.mid(equals + 1));
    }
    process.setProcessEnvironment(environment);
    QString command = program;
    if (!wrapper.isEmpty()) {
        arguments.prepend(program);
        arguments = wrapper.mid(1) + arguments;
        command = wrapper.first();
    }
    process.start(command, arguments);
    Run run;
    run.finished = process.waitForFinished(120000);
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void HostTest::run_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<bool>("pictured");

    const QString shot = QStringLiteral("--screenshot=PICTURE");
    const QStringList asUsual;
    QTest::newRow("help lists the options")
        << QString("build") << QStringList{"--help"} << asUsual << 0
        << QByteArray("--plugin-file <file>") << QByteArray() << false;
    QTest::newRow("panel from the build tree") << QString("build") << QStringList{shot} << asUsual
                                               << 0 << QByteArray() << QByteArray() << true;
    QTest::newRow("installed tree calculates 1+2")
        << QString("portable") << QStringList{shot, "1+2"} << asUsual << 0 << QByteArray("3\n")
        << QByteArray() << true;
    QTest::newRow("system install with its shipped library")
        << QString("system") << QStringList{shot, "sqrt(16)+1"} << asUsual << 0 << QByteArray("5\n")
        << QByteArray() << true;
    QTest::newRow("installed tree with key clicks")
        << QString("portable") << QStringList{shot, "{Дробь}2{Up}1"} << asUsual << 0
        << QByteArray("0.5\n") << QByteArray() << true;
    QTest::newRow("engine error in the answer line")
        << QString("portable") << QStringList{shot, "2*"} << asUsual << 0
        << QByteArray("Syntax error\n") << QByteArray() << true;
    QTest::newRow("session without a runtime directory")
        << QString("portable") << QStringList{shot, "1+2"}
        << QStringList{"XDG_RUNTIME_DIR", "TMPDIR=SCRATCH"} << 0 << QByteArray("3\n")
        << QByteArray() << true;
    QTest::newRow("help without a runtime directory")
        << QString("build") << QStringList{"--help"}
        << QStringList{"XDG_RUNTIME_DIR=", "TMPDIR=SCRATCH"} << 0
        << QByteArray("--screenshot <file>") << QByteArray() << false;
    QTest::newRow("engine missing, pictured all the same")
        << QString("without engine") << QStringList{shot, "1+2"} << QStringList{"PATH="} << 4
        << QByteArray() << QByteArray("brisma-host: the engine tovel could not be started\n")
        << true;
    QTest::newRow("a field left empty, pictured all the same")
        << QString("portable") << QStringList{shot, "5+√"} << asUsual << 4 << QByteArray()
        << QByteArray("brisma-host: Fill in the empty field\n") << true;
    QTest::newRow("missing plug-in")
        << QString("portable") << QStringList{"--plugin-file=SCRATCH/none.so", shot} << asUsual << 3
        << QByteArray() << QByteArray("brisma-host: cannot use the plug-in") << false;
    QTest::newRow("file that is no plug-in")
        << QString("portable") << QStringList{"--plugin-file=SCRATCH/libnotaplugin.so", shot}
        << asUsual << 3 << QByteArray() << QByteArray("brisma-host: cannot use the plug-in")
        << false;
    QTest::newRow("plug-in of another kind")
        << QString("portable")
        << QStringList{"--plugin-file=QTPLUGINS/platforms/libqminimal.so", shot} << asUsual << 3
        << QByteArray() << QByteArray("it exports no verification data") << false;
    QTest::newRow("unknown key") << QString("portable") << QStringList{shot, "{Nothing}"} << asUsual
                                 << 4 << QByteArray()
                                 << QByteArray("the panel has no key \"Nothing\"") << false;
    QTest::newRow("two inputs") << QString("portable") << QStringList{shot, "1", "2"} << asUsual
                                << 2 << QByteArray() << QByteArray("give one input at most")
                                << false;
}

void HostTest::run()
{
    QFETCH(QString, tree);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(bool, pictured);

    QFile::remove(picture());
    for (QStringList *list : {&arguments, &environment}) {
        list->replaceInStrings(QStringLiteral("PICTURE"), picture());
        list->replaceInStrings(QStringLiteral("SCRATCH"), scratch.path());
    }
    arguments.replaceInStrings(QStringLiteral("QTPLUGINS"),
                               QLibraryInfo::location(QLibraryInfo::PluginsPath));
    const Run run =
        host(hostIn(tree), arguments, QStringList(), QStringLiteral("C.UTF-8"), environment);
    QVERIFY2(run.finished, "the host did not end");
    if (err.isEmpty())
        QCOMPARE(run.err, QByteArray());
    else
        QVERIFY2(run.err.contains(err), run.err.constData());
    QCOMPARE(run.exitCode, exitCode);
    if (out.isEmpty())
        QVERIFY(!run.out.contains("error"));
    else if (out.endsWith('\n'))
        QCOMPARE(run.out, out);
    else
        QVERIFY(run.out.contains(out));
    QCOMPARE(QImage(picture()).isNull(), !pictured);
}

// In a real window on a virtual X server, key clicks, typing and "=" give
// the answer, and the picture shows the panel.
void HostTest::realWindow()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty())
        QSKIP("xvfb-run is not installed");
    QFile::remove(picture());
    const Run run =
        host(hostIn(QStringLiteral("portable")),
             {QStringLiteral("-platform"), QStringLiteral("xcb"),
              QStringLiteral("--screenshot=") + picture(),
              QStringLiteral("{Дробь}4{Up}{Корень}{Степень}3{Up}2{Right}{Right}{Модуль}-2")},
             {xvfb, QStringLiteral("-a"), QStringLiteral("-s"),
              QStringLiteral("-screen 0 1024x768x24")});
    QVERIFY2(run.finished, "the host did not end");
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(run.out, QByteArray("1.5\n"));
    const QImage image(picture());
    QVERIFY(image.width() > 400 && image.height() > 300);
}

// Under a Russian locale the host's own texts are Russian, the help's
// headings and its standard options included.
void HostTest::russianTexts()
{
    const Run run = host(QStringLiteral(BUILD_HOST), {QStringLiteral("--help")}, QStringList(),
                         QStringLiteral("ru_RU.UTF-8"));
    for (const char *text : {"Загрузить модуль из файла <file>.", "Использование:", "Параметры:",
                             "Аргументы:", "Показывает справку по параметрам командной строки."})
        QVERIFY2(run.out.contains(text), run.out.constData());
    for (const char *text : {"Usage:", "Options:", "Displays"})
        QVERIFY2(!run.out.contains(text), run.out.constData());
}

// A file that is not an INI file is refused as the settings file and kept
// as it was.
void HostTest::settingsFileOfAnotherKind()
{
    QFile notes(scratch.filePath(QStringLiteral("notes.txt")));
    const QByteArray text("my notes\nsecond line\n");
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write(text);
    notes.close();
    const Run run =
        host(hostIn(QStringLiteral("portable")), {QStringLiteral("--settings=") + notes.fileName(),
                                                  QStringLiteral("--screenshot=") + picture()});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("is not an INI file"), run.err.constData());
    QVERIFY(notes.open(QIODevice::ReadOnly));
    QCOMPARE(notes.readAll(), text);
}

// The engine of a calculation that never ends goes when the host is killed.
void HostTest::engineEndsWithHost()
{
    QProcess hostProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       scratch.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    hostProcess.setProcessEnvironment(environment);
    hostProcess.start(hostIn(QStringLiteral("portable")), {QStringLiteral("for(i=0,1,i=i);end")});
    QVERIFY(hostProcess.waitForStarted());
    const QString children =
        QStringLiteral("/proc/%1/task/%1/children").arg(hostProcess.processId());
    // the host may start other children, such as a session bus launcher;
    // the engine is the one named tovel
    const auto engineId = [&children]() -> qint64 {
        QFile file(children);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &child : file.readAll().simplified().split(' ')) {
            QFile name(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(child)));
            if (name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "tovel")
                return child.toLongLong();
        }
        return 0;
    };
    QTRY_VERIFY_WITH_TIMEOUT(engineId() > 0, 30000);
    const qint64 engine = engineId();
    hostProcess.terminate();
    QVERIFY(hostProcess.waitForFinished());
    const auto engineRuns = [engine]() {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(engine));
        return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
    };
    // a killed process still has to be scheduled to end, which on a busy
    // machine takes a while; the wait ends as soon as it has
    const bool ended = QTest::qWaitFor([&engineRuns]() { return !engineRuns(); }, 30000);
    if (!ended)
        ::kill(pid_t(engine), SIGKILL);
    QVERIFY(ended);
}

QTEST_GUILESS_MAIN(HostTest)
#include "tst_host.moc"
