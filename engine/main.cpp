// The console driver of the calculator engine: one expression from the
// command line, or one per line after a prompt.

#include "qcstringcodec.h"
#include "qdebugtext.h"
#include "qevaluator.h"
#include "qeventlog.h"
#include "qfilelayout.h"
#include "qstoprequest.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QTranslator>

#include <csignal>
#include <cstdio>

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace
{

const int logTextLimit = 30;

// The exit code of a run whose output stream was closed before it ended,
// as when the reader of a pipe goes away early.
const int outputClosed = 2;

// The process arguments as the user gave them, the program name first.
QList<QByteArray> rawArguments(int argc, char **argv)
{
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    return arguments;
}

enum InputState { LineRead, InputEnded, StopRequested };

// Reads one line of standard input without its line end; InputEnded when
// the input ends before the line has a byte. While it waits for input, a
// stop request ends the wait; what was read stays for the next call.
InputState readLine(QByteArray &line)
{
    static QByteArray pending;
    static int searched = 0;
    static bool ended = false;
    for (;;) {
        const int end = pending.indexOf('\n', searched);
        if (end >= 0 || (ended && !pending.isEmpty())) {
            line = end >= 0 ? pending.left(end) : pending;
            pending.remove(0, end >= 0 ? end + 1 : pending.size());
            searched = 0;
            return LineRead;
        }
        searched = pending.size();
        if (ended)
            return InputEnded;
        struct pollfd waits[2] = {{0, POLLIN, 0}, {QStopRequest::handle(), POLLIN, 0}};
        poll(waits, 2, -1);
        if (QStopRequest::signal())
            return StopRequested;
        if (waits[0].revents == 0)
            continue;
        char block[65536];
        const ssize_t size = ::read(0, block, sizeof block);
        if (size > 0)
            pending.append(block, int(size));
        else if (size == 0 || (errno != EINTR && errno != EAGAIN))
            ended = true;
    }
}

// False when the stream takes the text no more: its reader is gone (with
// SIGPIPE ignored, a write error), its device full or closed.
bool writeText(FILE *stream, const QByteArray &bytes)
{
    const bool written =
        fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
    return fflush(stream) == 0 && written && !ferror(stream);
}

bool writeLine(FILE *stream, const QString &text)
{
    return writeText(stream, text.toLocal8Bit() + '\n');
}

int reportClosedOutput(const char *stream)
{
    qDebug("Output error: %s is closed", stream);
    return outputClosed;
}

// A run ended by a signal ends as a run should, its exit code telling the
// signal as a shell does.
int reportStop(int signal)
{
    qDebug("Stopped: %s", signal == SIGINT ? "SIGINT" : "SIGTERM");
    return 128 + signal;
}

QString loggedResult(const QString &text, const QEvaluator &evaluator)
{
    if (text.size() <= logTextLimit)
        return text;
    return text.left(logTextLimit) + QStringLiteral("... (%1 items)").arg(evaluator.answerCount());
}

int evaluate(const QString &expression)
{
    QEvaluator evaluator;
    evaluator.process(expression);
    const QString text = evaluator.resultText(QEvaluator::FixedNotation, 15);
    if (evaluator.isError()) {
        const bool written = writeLine(stderr, text);
        qDebug().noquote() << debugStreamText(QStringLiteral("Error: "), text);
        return written ? 1 : reportClosedOutput("standard error");
    }
    if (!writeLine(stdout, text))
        return reportClosedOutput("standard output");
    qDebug().noquote() << debugStreamText(QStringLiteral("Result: "),
                                          loggedResult(text, evaluator));
    return 0;
}

// Ctrl-C at the prompt stops the line that runs, or the wait for one, and
// the session goes on; any other request ends it.
bool interruptOnly()
{
    if (QStopRequest::signal() != SIGINT)
        return false;
    QStopRequest::clear();
    return true;
}

int runInteractive()
{
    QCStringCodec::setCodecForMode(QCStringCodec::InteractiveMode);
    QByteArray line;
    for (;;) {
        if (!writeText(stdout, "tovel> "))
            return reportClosedOutput("standard output");
        const InputState state = readLine(line);
        if (state == StopRequested && interruptOnly()) {
            if (!writeText(stdout, "\n"))
                return reportClosedOutput("standard output");
            continue;
        }
        if (state != LineRead)
            return 0;
        // a Ctrl-C that came with the line's end stops no line yet
        interruptOnly();
        // a Windows line end, CR LF, ends the line as LF does
        if (line.endsWith('\r'))
            line.chop(1);
        if (line == "0")
            return 0;
        const QString text = QCStringCodec::toUnicode(line);
        qDebug().noquote() << QStringLiteral("con input: ") + text;
        if (evaluate(text) == outputClosed)
            return outputClosed;
        if (QStopRequest::signal() && !interruptOnly())
            return 0;
    }
}

int runArguments(const QList<QByteArray> &arguments)
{
    QCStringCodec::setCodecForMode(QCStringCodec::ArgumentMode);
    QString expression;
    for (int i = 1; i < arguments.size(); ++i) {
        if (!arguments.at(i).startsWith('\\'))
            expression += QCStringCodec::toUnicode(arguments.at(i));
    }
    qDebug().noquote() << debugStreamText(QStringLiteral("arg input: "), expression);
    return evaluate(expression);
}

// The catalogues exist only under a Russian locale. One look for the file
// spares the loader its search through the name's other forms when not.
void installTranslator(QTranslator &translator, const QString &catalogue)
{
    if (QFile::exists(catalogue) && translator.load(catalogue))
        QCoreApplication::installTranslator(&translator);
}

} // namespace

int main(int argc, char **argv)
{
#ifdef Q_OS_UNIX
    // A reader that closes the pipe early ends the run through a failed
    // write, so that the run still saves its cache and renames its log.
    signal(SIGPIPE, SIG_IGN);
#endif
    // Every argument is the user's: they are taken before the application
    // object removes the toolkit's own options (such as -qmljsdebugger).
    const QList<QByteArray> arguments = rawArguments(argc, argv);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tovel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    QFileLayout::apply(QCoreApplication::applicationDirPath());
    qInstallMessageHandler(arguments.contains("\\log:0") ? silentHandler : eventLogHandler);
    QStopRequest::install();

    QTranslator scripts;
    QTranslator own;
    installTranslator(scripts, QStringLiteral(":i18n/scripts.qm"));
    installTranslator(own, QStringLiteral(":i18n/tovel.qm"));

    const int code = arguments.size() > 1 ? runArguments(arguments) : runInteractive();
    return QStopRequest::signal() ? reportStop(QStopRequest::signal()) : code;
}
