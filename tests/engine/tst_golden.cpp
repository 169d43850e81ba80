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
    QStringList arguments;
    QString language = QStringLiteral("C");
    QByteArray out;
    QByteArray err;
    int exitCode = -1;
};

void finish(GoldenCase &golden, QList<GoldenCase> &cases)
{
    if (golden.name.isEmpty())
        return;
    if (golden.exitCode < 0)
        golden.exitCode = golden.err.isEmpty() ? 0 : 1;
    cases << golden;
    golden = GoldenCase();
}

QList<GoldenCase> readCases(const QString &fileName)
{
    QList<GoldenCase> cases;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return cases;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    GoldenCase golden;
    while (!stream.atEnd()) {
        const QString line = stream.readLine();
        const QString value = line.mid(line.indexOf(QLatin1Char(':')) + 2);
        if (line.trimmed().isEmpty())
            finish(golden, cases);
        else if (line.startsWith(QLatin1String("name:")))
            golden.name = value;
        else if (line.startsWith(QLatin1String("in:")))
            golden.arguments << value;
        else if (line.startsWith(QLatin1String("lang:")))
            golden.language = value;
        else if (line.startsWith(QLatin1String("out:")))
            golden.out += value.toUtf8() + '\n';
        else if (line.startsWith(QLatin1String("err:")))
            golden.err += value.toUtf8() + '\n';
        else if (line.startsWith(QLatin1String("exit:")))
            golden.exitCode = value.toInt();
    }
    finish(golden, cases);
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
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode");
    QDirIterator files(QStringLiteral(GOLDEN_DIR), {QStringLiteral("*.cases")});
    while (files.hasNext()) {
        const QString fileName = files.next();
        for (const GoldenCase &golden : readCases(fileName))
            QTest::newRow(
                qPrintable(files.fileInfo().baseName() + QLatin1String(": ") + golden.name))
                << golden.arguments << golden.language << golden.out << golden.err
                << golden.exitCode;
    }
}

void GoldenTest::cases()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, language);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);
    const TovelTree tree;
    const TovelTree::Run run = tree.run(arguments, QByteArray(), language);
    QCOMPARE(run.out, out);
    QCOMPARE(run.err, err);
    QCOMPARE(run.exitCode, exitCode);
}

QTEST_GUILESS_MAIN(GoldenTest)
#include "tst_golden.moc"
