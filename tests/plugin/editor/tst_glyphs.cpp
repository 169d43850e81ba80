#include "qformulachar.h"
#include "qformulagraphitem.h"

#include <QResizeEvent>
#include <QtTest>

#include <memory>

class GlyphsTest : public QObject
{
    Q_OBJECT

private slots:
    void fixedSide_data();
    void fixedSide();
};

namespace
{

// Resizes a new widget twice, the first time from the invalid size of a
// widget never shown, and returns its fixed width and height (-1: free).
QSize fixedSizeAfter(QWidget &widget, const QSize &first, const QSize &second)
{
    QResizeEvent shown(first, QSize());
    QCoreApplication::sendEvent(&widget, &shown);
    QResizeEvent changed(second, first);
    QCoreApplication::sendEvent(&widget, &changed);
    auto fixed = [](int min, int max) { return min == max ? max : -1; };
    return QSize(fixed(widget.minimumWidth(), widget.maximumWidth()),
                 fixed(widget.minimumHeight(), widget.maximumHeight()));
}

} // namespace

void GlyphsTest::fixedSide_data()
{
    // An empty glyph text stands for a graph item with the given ratio.
    QTest::addColumn<QString>("glyph");
    QTest::addColumn<float>("ratio");
    QTest::addColumn<QSize>("first");
    QTest::addColumn<QSize>("second");
    QTest::addColumn<QSize>("fixed");

    QTest::newRow("bracket 40 high") << "(" << 0.f << QSize(9, 40) << QSize(9, 40) << QSize(12, -1);
    QTest::newRow("bracket 43 high") << ")" << 0.f << QSize(9, 43) << QSize(9, 43) << QSize(12, -1);
    QTest::newRow("bracket 2 px taller")
        << "(" << 0.f << QSize(9, 44) << QSize(9, 46) << QSize(12, -1);
    QTest::newRow("bracket 3 px lower")
        << ")" << 0.f << QSize(9, 50) << QSize(9, 47) << QSize(13, -1);
    QTest::newRow("letter stays free")
        << "x" << 0.f << QSize(9, 40) << QSize(9, 60) << QSize(-1, -1);
    QTest::newRow("bar 30 wide keeps a band of 3 pen widths")
        << "" << 20.f << QSize(30, 9) << QSize(30, 9) << QSize(-1, 6);
    QTest::newRow("bar 2 px wider") << "" << 20.f << QSize(158, 9) << QSize(160, 9) << QSize(-1, 7);
    QTest::newRow("bar 3 px wider") << "" << 20.f << QSize(157, 9) << QSize(160, 9) << QSize(-1, 8);
    QTest::newRow("bar ignores height")
        << "" << 20.f << QSize(200, 9) << QSize(200, 90) << QSize(-1, 10);
    QTest::newRow("modulus bar 200 high")
        << "" << 0.05f << QSize(9, 200) << QSize(9, 200) << QSize(10, -1);
    QTest::newRow("modulus bar 20 high keeps a band of 3 pen widths")
        << "" << 0.05f << QSize(9, 20) << QSize(9, 20) << QSize(6, -1);
    QTest::newRow("modulus bar 2 px taller")
        << "" << 0.05f << QSize(9, 158) << QSize(9, 160) << QSize(7, -1);
    QTest::newRow("ratio 1 leaves both free")
        << "" << 1.f << QSize(30, 9) << QSize(90, 90) << QSize(-1, -1);
}

void GlyphsTest::fixedSide()
{
    QFETCH(QString, glyph);
    QFETCH(float, ratio);
    QFETCH(QSize, first);
    QFETCH(QSize, second);
    QFETCH(QSize, fixed);

    std::unique_ptr<QWidget> widget;
    if (glyph.isEmpty()) {
        auto *item = new QFormulaGraphItem(nullptr);
        item->sizeRatio = ratio;
        widget.reset(item);
    } else {
        widget = std::make_unique<QFormulaChar>(glyph, nullptr);
    }
    QCOMPARE(fixedSizeAfter(*widget, first, second), fixed);
}

QTEST_MAIN(GlyphsTest)
#include "tst_glyphs.moc"
