// The console driver of the calculator engine: one expression from the
// command line, or one per line after a prompt.

#include "qcstringcodec.h"
#include "qdebugtext.h"
#include "qevaluator.h"
#include "qeventlog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace
{

const int logTextLimit = 30;

bool hasArgument(int argc, char **argv, const char *wanted)
{
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], wanted) == 0)
            return true;
    }
    return false;
}

void writeLine(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    fputc('\n', stream);
    fflush(stream);
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
        writeLine(stderr, text);
        qDebug().noquote() << debugStreamText(QStringLiteral("Error: "), text);
        return 1;
    }
    writeLine(stdout, text);
    qDebug().noquote() << debugStreamText(QStringLiteral("Result: "),
                                          loggedResult(text, evaluator));
    return 0;
}

int runInteractive()
{
    QCStringCodec::setCodec("IBM 866");
    std::string line;
    for (;;) {
        fputs("tovel> ", stdout);
        fflush(stdout);
        if (!std::getline(std::cin, line) || line == "0")
            return 0;
        const QString text = QCStringCodec::toUnicode(QByteArray::fromStdString(line));
        qDebug().noquote() << QStringLiteral("con input: ") + text;
        evaluate(text);
    }
}

int runArguments(int argc, char **argv)
{
    QCStringCodec::setCodec("CP1251");
    QString expression;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '\\')
            expression += QCStringCodec::toUnicode(QByteArray(argv[i]));
    }
    qDebug().noquote() << debugStreamText(QStringLiteral("arg input: "), expression);
    return evaluate(expression);
}

void installTranslator(QTranslator &translator, const QString &catalogue)
{
    if (translator.load(catalogue))
        QCoreApplication::installTranslator(&translator);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tovel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.0.6"));
    QDir::setCurrent(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    qInstallMessageHandler(hasArgument(argc, argv, "\\log:0") ? silentHandler : eventLogHandler);

    QTranslator scripts;
    QTranslator own;
    installTranslator(scripts, QStringLiteral(":i18n/scripts.qm"));
    installTranslator(own, QStringLiteral(":i18n/tovel.qm"));

    return argc > 1 ? runArguments(argc, argv) : runInteractive();
}
