// brisma-host: loads the brisma plug-in and shows its calculator panel in a
// window, or, with --screenshot, saves a picture of the panel and exits.

#include "hostwindow.h"
#include "panelscript.h"
#include "qplugininterface.h"
#include "visualplugin.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const int usageError = 2;
const int pluginError = 3;
const int screenshotError = 4;

struct Options {
    QString plugin;
    QString settings;
    QString screenshot;
    QString script;
};

void printError(const QString &text)
{
    std::fprintf(stderr, "brisma-host: %s\n", qPrintable(text));
}

// The plug-in lies in plugins/ beside bin/ in a portable tree, and under
// lib/ in a system install; both are found relative to this program.
QString defaultPlugin()
{
    const QDir top(QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/..")));
    const QString portable = top.filePath(QStringLiteral("plugins/libbrisma.so"));
    if (QFileInfo::exists(portable))
        return portable;
    return top.filePath(QStringLiteral(SYSTEM_PLUGIN_DIR "/libbrisma.so"));
}

QString defaultSettings()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("brisma.ini"));
}

QString translated(const char *text)
{
    return QCoreApplication::translate("main", text);
}

bool parseOptions(const QStringList &arguments, Options &options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        translated("Shows the calculator panel of the brisma plug-in in a window."));
    parser.addHelpOption();
    const QCommandLineOption plugin(QStringLiteral("plugin-file"),
                                    translated("Load the plug-in from <file>."),
                                    QStringLiteral("file"), defaultPlugin());
    const QCommandLineOption settings(
        QStringLiteral("settings"), translated("Keep the panel's settings in the INI file <file>."),
        QStringLiteral("file"), defaultSettings());
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        translated("Type <input>, if given, calculate it, save a PNG picture of the panel "
                   "to <file>, print the answer line and exit."),
        QStringLiteral("file"));
    parser.addOptions({plugin, settings, screenshot});
    parser.addPositionalArgument(
        QStringLiteral("input"),
        translated("What to type and calculate first. {Up}, {Down}, {Left}, {Right}, {Home} "
                   "and {End} press those keys; {Name} clicks the screen key of the "
                   "formula Name."),
        QStringLiteral("[input]"));
    if (!parser.parse(arguments)) {
        printError(parser.errorText());
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.positionalArguments().size() > 1) {
        printError(QStringLiteral("give one input at most"));
        return false;
    }
    options.plugin = QFileInfo(parser.value(plugin)).absoluteFilePath();
    options.settings = parser.value(settings);
    options.screenshot = parser.value(screenshot);
    options.script = parser.positionalArguments().value(0);
    return true;
}

// The display starts the engine by its bare name; it lies beside this program.
void putOwnDirectoryFirstOnPath()
{
    const QByteArray path = qgetenv("PATH");
    const QByteArray own = QFile::encodeName(QCoreApplication::applicationDirPath());
    qputenv("PATH", path.isEmpty() ? own : own + QDir::listSeparator().toLatin1() + path);
}

// Types and calculates the input in the shown window; a failure is reported
// and the window stays.
void playInput(HostWindow &window, const QString &input)
{
    auto *script = new PanelScript(window.panel(), input, QString());
    QObject::connect(script, &PanelScript::finished, [](bool ok, const QString &error) {
        if (!ok)
            printError(error);
    });
    window.activateWindow();
    script->start();
}

// Help and pictures need no screen: unless the user chose a platform, they
// are made on the offscreen one, so that they work without a display.
void chooseOffscreenWithoutScreen(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-h" || argument == "--help" || argument == "-?" ||
            argument.startsWith("--screenshot")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return;
        }
    }
}

// The toolkit keeps per-session files in XDG_RUNTIME_DIR and, when the
// session names none, as under su or in a container, uses a directory of
// the user's in the temporary directory with a warning on standard error.
// The host names that directory itself, made as the toolkit wants it, mode
// 0700; the toolkit still checks its owner and mode and warns of a wrong one.
void provideRuntimeDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const passwd *user = ::getpwuid(::geteuid());
    const QString name = user ? QFile::decodeName(user->pw_name) : QString::number(::geteuid());
    const QByteArray path =
        QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-") + name);
    ::mkdir(path.constData(), S_IRWXU);
    qputenv("XDG_RUNTIME_DIR", path);
}

// The offscreen platform, on which the host makes its pictures, warns of
// every window that it cannot pass size limits to a window system it does
// not have; everything else reaches the terminal as before.
QtMessageHandler passOnMessage = nullptr;

void dropOffscreenChatter(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message != QLatin1String("This plugin does not support propagateSizeHints()"))
        passOnMessage(type, context, message);
}

int takeScreenshot(HostWindow &window, const Options &options)
{
    auto *script = new PanelScript(window.panel(), options.script, options.screenshot);
    int result = 0;
    QObject::connect(script, &PanelScript::finished,
                     [&result, script](bool ok, const QString &error) {
                         if (ok) {
                             std::fputs(script->answer().toLocal8Bit().constData(), stdout);
                         } else {
                             printError(error);
                             result = screenshotError;
                         }
                         QCoreApplication::exit(result);
                     });
    window.show();
    window.activateWindow();
    script->start();
    QCoreApplication::exec();
    return result;
}
} // namespace

int main(int argc, char *argv[])
{
    chooseOffscreenWithoutScreen(argc, argv);
    provideRuntimeDirectory();
    passOnMessage = qInstallMessageHandler(dropOffscreenChatter);
    QApplication application(argc, argv);
    // The plug-in traces each insertion and calculation as debug messages,
    // which a user of the window does not want on the terminal.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QCoreApplication::setApplicationName(QStringLiteral("brisma-host"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(DESKTOP_ID));
    QTranslator translator;
    // the resource system picks the catalogue of the user's language
    if (translator.load(QStringLiteral(":/brisma-host/i18n/brisma-host.qm")))
        QCoreApplication::installTranslator(&translator);
    Options options;
    if (!parseOptions(QCoreApplication::arguments(), options))
        return usageError;
    const QString settingsError = HostWindow::settingsFileError(options.settings);
    if (!settingsError.isEmpty()) {
        printError(settingsError);
        return usageError;
    }
    putOwnDirectoryFirstOnPath();
    VisualPlugin plugin(options.plugin);
    if (!plugin.interface()) {
        printError(QStringLiteral("cannot use the plug-in %1: %2")
                       .arg(QDir::toNativeSeparators(options.plugin), plugin.errorString()));
        return pluginError;
    }
    QDir().mkpath(QFileInfo(options.settings).absolutePath());
    plugin.interface()->loadTranslation();
    HostWindow window(plugin.interface(), options.settings);
    if (!options.screenshot.isEmpty())
        return takeScreenshot(window, options);
    window.show();
    if (!options.script.isEmpty())
        playInput(window, options.script);
    return QApplication::exec();
}
