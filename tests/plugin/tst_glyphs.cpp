#include "qformulachar.h"
#include "qformulagraphitem.h"

#include <QImage>
#include <QResizeEvent>
#include <QtTest>

class GlyphsTest : public QObject
{
    Q_OBJECT

private slots:
    void glyphWidth_data();
    void glyphWidth();
    void bracketArcs_data();
    void bracketArcs();
    void graphItemSize_data();
    void graphItemSize();
    void strokes();
};

namespace
{

void resizeFromTo(QWidget *widget, const QSize &oldSize, const QSize &size)
{
    QResizeEvent event(size, oldSize);
    QCoreApplication::sendEvent(widget, &event);
}

// The fixed width or height of a widget, or -1 while that side is free.
int fixedWidth(const QWidget &widget)
{
    return widget.minimumWidth() == widget.maximumWidth() ? widget.maximumWidth() : -1;
}

int fixedHeight(const QWidget &widget)
{
    return widget.minimumHeight() == widget.maximumHeight() ? widget.maximumHeight() : -1;
}

bool isInked(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) > 128;
}

// The leftmost inked column of one row of an image, -1 when it is blank.
int firstInkedColumn(const QImage &image, int y)
{
    for (int x = 0; x < image.width(); ++x)
        if (isInked(image, x, y))
            return x;
    return -1;
}

QImage rendered(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

void GlyphsTest::glyphWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstHeight");
    QTest::addColumn<int>("secondHeight");
    QTest::addColumn<int>("width");

    QTest::newRow("opening bracket 40 high") << "(" << 40 << 40 << 12;
    QTest::newRow("closing bracket 43 high") << ")" << 43 << 43 << 12;
    QTest::newRow("2 pixels taller keeps the width") << "(" << 44 << 46 << 12;
    QTest::newRow("3 pixels taller refits") << "(" << 44 << 47 << 13;
    QTest::newRow("3 pixels lower refits") << ")" << 50 << 47 << 13;
    QTest::newRow("letter never fixes its width") << "x" << 40 << 60 << -1;
}

void GlyphsTest::glyphWidth()
{
    QFETCH(QString, text);
    QFETCH(int, firstHeight);
    QFETCH(int, secondHeight);
    QFETCH(int, width);

    QFormulaChar glyph(text, nullptr);
    resizeFromTo(&glyph, QSize(), QSize(20, firstHeight));
    resizeFromTo(&glyph, QSize(20, firstHeight), QSize(20, secondHeight));
    QCOMPARE(fixedWidth(glyph), width);
    QCOMPARE(QString::fromLatin1(glyph.metaObject()->className()), QStringLiteral("QLabel"));
}

void GlyphsTest::bracketArcs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bulgesLeft");

    QTest::newRow("opening bracket") << "(" << true;
    QTest::newRow("closing bracket") << ")" << false;
}

void GlyphsTest::bracketArcs()
{
    QFETCH(QString, text);
    QFETCH(bool, bulgesLeft);

    QFormulaChar glyph(text, nullptr);
    glyph.resize(12, 40);
    const QImage image = rendered(glyph);
    const int middle = firstInkedColumn(image, 20);
    const int top = firstInkedColumn(image, 6);
    QVERIFY(middle >= 0 && top >= 0);
    QCOMPARE(middle < top, bulgesLeft);
    QVERIFY(!isInked(image, 0, 20));
    QVERIFY(!isInked(image, 11, 20));
}

void GlyphsTest::graphItemSize_data()
{
    QTest::addColumn<float>("ratio");
    QTest::addColumn<QSize>("firstSize");
    QTest::addColumn<QSize>("secondSize");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("fraction bar 30 wide") << 20.0f << QSize(30, 9) << QSize(30, 9) << -1 << 2;
    QTest::newRow("fraction bar 100 wide") << 20.0f << QSize(100, 9) << QSize(100, 9) << -1 << 5;
    QTest::newRow("2 pixels wider keeps the height")
        << 20.0f << QSize(118, 9) << QSize(120, 9) << -1 << 5;
    QTest::newRow("3 pixels wider refits") << 20.0f << QSize(117, 9) << QSize(120, 9) << -1 << 6;
    QTest::newRow("bar follows no height change")
        << 20.0f << QSize(100, 9) << QSize(100, 90) << -1 << 5;
    QTest::newRow("absolute value bar 100 high")
        << 0.05f << QSize(9, 100) << QSize(9, 100) << 5 << -1;
    QTest::newRow("absolute value bar 20 high") << 0.05f << QSize(9, 20) << QSize(9, 20) << 2 << -1;
    QTest::newRow("2 pixels taller keeps the width")
        << 0.05f << QSize(9, 118) << QSize(9, 120) << 5 << -1;
    QTest::newRow("3 pixels taller refits") << 0.05f << QSize(9, 117) << QSize(9, 120) << 6 << -1;
    QTest::newRow("root stroke") << 0.3f << QSize(9, 40) << QSize(9, 40) << 12 << -1;
    QTest::newRow("no ratio leaves both free") << 0.0f << QSize(30, 9) << QSize(90, 90) << -1 << -1;
    QTest::newRow("ratio 1 leaves both free") << 1.0f << QSize(30, 9) << QSize(90, 90) << -1 << -1;
}

void GlyphsTest::graphItemSize()
{
    QFETCH(float, ratio);
    QFETCH(QSize, firstSize);
    QFETCH(QSize, secondSize);
    QFETCH(int, width);
    QFETCH(int, height);

    QFormulaGraphItem item(nullptr);
    item.sizeRatio = ratio;
    resizeFromTo(&item, QSize(), firstSize);
    resizeFromTo(&item, firstSize, secondSize);
    QCOMPARE(fixedWidth(item), width);
    QCOMPARE(fixedHeight(item), height);
}

void GlyphsTest::strokes()
{
    QFormulaGraphItem item(nullptr);
    item.resize(50, 5);
    QVERIFY(firstInkedColumn(rendered(item), 2) < 0);

    item.lines.append(QLineF(0, 0.5, 1, 0.5));
    const QImage image = rendered(item);
    QCOMPARE(firstInkedColumn(image, 2), 0);
    QVERIFY(isInked(image, 49, 2));
    QCOMPARE(firstInkedColumn(image, 4), -1);
}

QTEST_MAIN(GlyphsTest)
#include "tst_glyphs.moc"
