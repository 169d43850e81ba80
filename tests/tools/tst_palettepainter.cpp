#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Runs the key palette painter as its user does, on catalogues in a
// temporary directory.
class PalettePainterTest : public QObject
{
    Q_OBJECT

private slots:
    void readsTheCatalogueAsThePanelDoes();

private:
    QImage paint(const QString &catalogue);

    QTemporaryDir dir;
};

QImage PalettePainterTest::paint(const QString &catalogue)
{
    const QString picture = dir.filePath(QStringLiteral("palette.png"));
    QFile::remove(picture);
    QProcess painter;
    painter.start(QStringLiteral(PALETTE_PAINTER), {catalogue, picture});
    if (!painter.waitForFinished(60000) || painter.exitCode() != 0)
        return QImage();
    return QImage(picture).convertToFormat(QImage::Format_ARGB32);
}

// A field that follows its item's element belongs to that item, as it does
// for the panel's keys: the face shows it as if it stood inside.
void PalettePainterTest::readsTheCatalogueAsThePanelDoes()
{
    const QByteArray head = "<formulaitems><group num=\"0\" name=\"g\"/>"
                            "<item group=\"0\" name=\"n\" lineTemplate=\"%1\" paletteX=\"1\" "
                            "paletteY=\"1\" paletteW=\"39\" paletteH=\"39\">";
    const QByteArray field = "<field row=\"0\" column=\"0\" fontSizeMult=\"1\"/>";
    const QList<QByteArray> catalogues{head + field + "</item></formulaitems>",
                                       head + "</item>" + field + "</formulaitems>"};
    QList<QImage> faces;
    for (const QByteArray &content : catalogues) {
        QFile catalogue(dir.filePath(QStringLiteral("catalogue.xml")));
        QVERIFY(catalogue.open(QIODevice::WriteOnly));
        catalogue.write(content);
        catalogue.close();
        faces.append(paint(catalogue.fileName()));
        QVERIFY(!faces.last().isNull());
    }
    QCOMPARE(faces.at(1), faces.at(0));
}

QTEST_GUILESS_MAIN(PalettePainterTest)
#include "tst_palettepainter.moc"
