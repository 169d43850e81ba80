// Runs the engine on the cases of the golden/*.cases files: each case names
// an input, its standard output and error lines and its exit code.

#include "toveltree.h"

#include <QDirIterator>
#include <QTextStream>
#include <QtTest>

namespace
{

struct GoldenCase {
    QString name;
    QString tree = QStringLiteral("quiet");
    QStringList arguments;
    QString language = QStringLiteral("C");
    bool prompt = false; // typed at the prompt too
    QByteArray out;
    QByteArray err;
    int exitCode = -1;
    QList<QPair<QString, QByteArray>> files;
    QByteArray lastLine;
};

// The lines of a file of the case: each text line, the last one again
// until it stands there count times in all.
void addLines(GoldenCase &golden, const QByteArray &line, int count)
{
    if (golden.files.isEmpty())
        return;
    golden.lastLine = line;
    for (int i = 0; i < count; ++i)
        golden.files.last().second += line + '\n';
}

// A block without a name sets the tree and language of the blocks after it.
void finish(GoldenCase &golden, GoldenCase &defaults, QList<GoldenCase> &cases)
{
    if (golden.name.isEmpty()) {
        defaults.tree = golden.tree;
        defaults.language = golden.language;
        defaults.prompt = golden.prompt;
    } else {
        if (golden.exitCode < 0)
            golden.exitCode = golden.err.isEmpty() ? 0 : 1;
        cases << golden;
    }
    golden = defaults;
}

QList<GoldenCase> readCases(const QString &fileName)
{
    QList<GoldenCase> cases;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return cases;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    GoldenCase defaults;
    GoldenCase golden;
    while (!stream.atEnd()) {
        const QString line = stream.readLine();
        const QString value = line.mid(line.indexOf(QLatin1Char(':')) + 2);
        if (line.trimmed().isEmpty())
            finish(golden, defaults, cases);
        else if (line.startsWith(QLatin1String("name:")))
            golden.name = value;
        else if (line.startsWith(QLatin1String("in:")))
            golden.arguments << value;
        else if (line.startsWith(QLatin1String("tree:")))
            golden.tree = value;
        else if (line.startsWith(QLatin1String("lang:")))
            golden.language = value;
        else if (line.startsWith(QLatin1String("prompt:")))
            golden.prompt = value == QLatin1String("yes");
        else if (line.startsWith(QLatin1String("out:")))
            golden.out += value.toUtf8() + '\n';
        else if (line.startsWith(QLatin1String("err:")))
            golden.err += value.toUtf8() + '\n';
        else if (line.startsWith(QLatin1String("exit:")))
            golden.exitCode = value.toInt();
        else if (line.startsWith(QLatin1String("file:")))
            golden.files << qMakePair(value, QByteArray());
        else if (line.startsWith(QLatin1String("text:")))
            addLines(golden, value.toUtf8(), 1);
        else if (line.startsWith(QLatin1String("repeat:")))
            addLines(golden, golden.lastLine, value.toInt() - 1);
    }
    finish(golden, defaults, cases);
    return cases;
}

} // namespace

class GoldenTest : public QObject
{
    Q_OBJECT

private slots:
    void cases_data();
    void cases();
};

void GoldenTest::cases_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QList<QPair<QString, QByteArray>>>("files");
    QTest::addColumn<bool>("prompt");
    QDirIterator files(QStringLiteral(GOLDEN_DIR), {QStringLiteral("*.cases")});
    while (files.hasNext()) {
        const QString fileName = files.next();
        for (const GoldenCase &golden : readCases(fileName))
            QTest::newRow(
                qPrintable(files.fileInfo().baseName() + QLatin1String(": ") + golden.name))
                << golden.tree << golden.arguments << golden.language << golden.out << golden.err
                << golden.exitCode << golden.files << golden.prompt;
    }
}

void GoldenTest::cases()
{
    QFETCH(QString, tree);
    QFETCH(QStringList, arguments);
    QFETCH(QString, language);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);
    typedef QList<QPair<QString, QByteArray>> Files;
    QFETCH(Files, files);
    const TovelTree engine(tree == QLatin1String("shipped") ? TovelTree::Shipped
                           : tree == QLatin1String("bare")  ? TovelTree::Bare
                                                            : TovelTree::Quiet);
    for (const auto &file : files)
        engine.writeFile(file.first, file.second);
    const TovelTree::Run run = engine.run(arguments, QByteArray(), language);
    QCOMPARE(run.out, out);
    QCOMPARE(run.err, err);
    QCOMPARE(run.exitCode, exitCode);
    // the same line typed at the prompt: the same answer after the prompt,
    // the same error, and the prompt goes on
    QFETCH(bool, prompt);
    if (!prompt)
        return;
    const TovelTree::Run typed =
        engine.run({}, arguments.join(QString()).toUtf8() + "\n0\n", language);
    QCOMPARE(typed.out, "tovel> " + out + "tovel> ");
    QCOMPARE(typed.err, err);
    QCOMPARE(typed.exitCode, 0);
}

QTEST_GUILESS_MAIN(GoldenTest)
#include "tst_golden.moc"
