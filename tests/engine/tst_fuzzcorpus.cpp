// Replays the seeds of the fuzz targets and every input they found
// (fuzz/seeds/<target>/, fuzz/findings/<target>/) through the same target
// code, built with the rest: a fault aborts the test.

#include "fuzztargets.h"

#include "scratchdir.h"

#include <QDirIterator>
#include <QtTest>

namespace
{

using Target = int (*)(const uint8_t *, size_t);

Target targetOf(const QString &name)
{
    if (name == QLatin1String("translate"))
        return FuzzTargets::runTranslate;
    if (name == QLatin1String("operators"))
        return FuzzTargets::runOperators;
    if (name == QLatin1String("evaluate"))
        return FuzzTargets::runEvaluate;
    if (name == QLatin1String("modules"))
        return FuzzTargets::runModules;
    return FuzzTargets::runCache;
}

} // namespace

class FuzzCorpusTest : public QObject
{
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
};

void FuzzCorpusTest::replay_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("file");
    int inputs = 0;
    for (const QString &target :
         {QStringLiteral("translate"), QStringLiteral("operators"), QStringLiteral("cache"),
          QStringLiteral("evaluate"), QStringLiteral("modules")}) {
        for (const QString &kind : {QStringLiteral("seeds"), QStringLiteral("findings")}) {
            const QDir dir(QStringLiteral(FUZZ_DIR "/%1/%2").arg(kind, target));
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
                QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3").arg(target, kind, name)))
                    << target << dir.filePath(name);
                ++inputs;
            }
        }
    }
    QVERIFY(inputs > 0);
}

void FuzzCorpusTest::replay()
{
    QFETCH(QString, target);
    QFETCH(QString, file);
    const QByteArray input = readFile(file);
    const ScratchDir dir;
    FuzzTargets::prepare();
    QCOMPARE(targetOf(target)(reinterpret_cast<const uint8_t *>(input.constData()),
                              size_t(input.size())),
             0);
    qInstallMessageHandler(nullptr);
}

QTEST_GUILESS_MAIN(FuzzCorpusTest)
#include "tst_fuzzcorpus.moc"
