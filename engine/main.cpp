// The console driver of the calculator engine: one expression from the
// command line, or one per line after a prompt.

#include "qcstringcodec.h"
#include "qdebugtext.h"
#include "qevaluator.h"
#include "qeventlog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTranslator>

#include <csignal>
#include <cstdio>

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

// Reads one line of standard input without its line end; false when the
// input ends before the line has a byte. Read with the C library rather than
// the C++ streams, whose set-up alone costs a one-shot run more than reading.
bool readLine(QByteArray &line)
{
    line.clear();
    int c;
    while ((c = std::getc(stdin)) != EOF && c != '\n')
        line += char(c);
    return c == '\n' || !line.isEmpty();
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

int runInteractive()
{
    QCStringCodec::setCodecForMode(QCStringCodec::InteractiveMode);
    QByteArray line;
    for (;;) {
        if (!writeText(stdout, "tovel> "))
            return reportClosedOutput("standard output");
        if (!readLine(line))
            return 0;
        // a Windows line end, CR LF, ends the line as LF does
        if (line.endsWith('\r'))
            line.chop(1);
        if (line == "0")
            return 0;
        const QString text = QCStringCodec::toUnicode(line);
        qDebug().noquote() << QStringLiteral("con input: ") + text;
        if (evaluate(text) == outputClosed)
            return outputClosed;
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
    QDir::setCurrent(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    qInstallMessageHandler(arguments.contains("\\log:0") ? silentHandler : eventLogHandler);

    QTranslator scripts;
    QTranslator own;
    installTranslator(scripts, QStringLiteral(":i18n/scripts.qm"));
    installTranslator(own, QStringLiteral(":i18n/tovel.qm"));

    return arguments.size() > 1 ? runArguments(arguments) : runInteractive();
}
