// Every translatable text of the engine and of its shipped script library
// has its Russian translation in the catalogue the engine embeds.

#include <QDirIterator>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

namespace
{

// The texts a source file hands to a translation function: a context and a
// source text, each a double-quoted literal.
QList<QPair<QString, QString>> translatableTexts(const QString &fileName, const QString &function)
{
    static const QString literal = QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\"");
    const QRegularExpression call(function + QStringLiteral("\\(\\s*") + literal +
                                  QStringLiteral("\\s*,\\s*") + literal);
    QFile file(fileName);
    file.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(file.readAll());
    QList<QPair<QString, QString>> texts;
    for (auto match = call.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        QString source = found.captured(2);
        source.replace(QRegularExpression(QStringLiteral("\\\\(.)")), QStringLiteral("\\1"));
        texts << qMakePair(found.captured(1), source);
    }
    return texts;
}

void addRows(const QString &directory, const QString &pattern, const QString &function,
             const QString &catalogue)
{
    QDirIterator files(directory, {pattern}, QDir::Files, QDirIterator::Subdirectories);
    int rows = 0;
    while (files.hasNext()) {
        for (const auto &text : translatableTexts(files.next(), function)) {
            QTest::newRow(qPrintable(text.first + QLatin1String(": ") + text.second))
                << catalogue << text.first << text.second;
            ++rows;
        }
    }
    if (rows == 0)
        qFatal("no translatable text found in %s", qPrintable(directory));
}

} // namespace

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void russianTranslation_data();
    void russianTranslation();
};

void TranslationsTest::russianTranslation_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    addRows(QStringLiteral(ENGINE_DIR), QStringLiteral("*.cpp"),
            QStringLiteral("QCoreApplication::translate"), QStringLiteral("tovel_ru.qm"));
    addRows(QStringLiteral(ENGINE_DIR "/library/scripts"), QStringLiteral("*.js"),
            QStringLiteral("qsTranslate"), QStringLiteral("scripts_ru.qm"));
}

void TranslationsTest::russianTranslation()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(CATALOGUE_DIR "/") + catalogue));
    QVERIFY(!translator.translate(qPrintable(context), qPrintable(source)).isEmpty());
}

QTEST_GUILESS_MAIN(TranslationsTest)
#include "tst_translations.moc"
