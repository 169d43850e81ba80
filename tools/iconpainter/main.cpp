// Paints the calculator's icon, a division sign on a dark rounded square, at
// any size: the same design as the plug-in's 32 px icon, drawn for each size
// instead of scaled, with the sign's bar on whole pixels so that it stays
// sharp. Usage: iconpainter DIR NAME SIZE... writes DIR/SIZExSIZE/apps/NAME.png.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>

namespace
{
// The design is laid out on a 32 unit square.
const qreal designSize = 32;
const QColor topColor(0x6b, 0x6b, 0x6e);
const QColor bottomColor(0x40, 0x40, 0x43);
const QColor signColor(0xee, 0xec, 0xe1);

void paintBody(QPainter &painter)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    QLinearGradient gradient(0, 1, 0, 31);
    gradient.setColorAt(0, topColor);
    gradient.setColorAt(1, bottomColor);
    painter.fillPath(body, gradient);
}

// The bar in pixels, rounded to whole ones: at small sizes a bar between
// pixel rows would blur into two grey lines.
void paintSign(QPainter &painter, int size)
{
    const qreal scale = size / designSize;
    const int left = qRound(7 * scale);
    const int right = qRound(25 * scale);
    const int thickness = qMax(1, qRound(2 * scale));
    const int top = qRound(16 * scale - thickness / 2.0);
    painter.fillRect(left, top, right - left, thickness, signColor);
    painter.setPen(Qt::NoPen);
    painter.setBrush(signColor);
    const qreal radius = 3.3 * scale;
    const qreal middle = top + thickness / 2.0;
    const qreal distance = 6.5 * scale;
    painter.drawEllipse(QPointF(16 * scale, middle - distance), radius, radius);
    painter.drawEllipse(QPointF(16 * scale, middle + distance), radius, radius);
}

QImage paintIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.scale(size / designSize, size / designSize);
    paintBody(painter);
    painter.restore();
    paintSign(painter, size);
    return image;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: iconpainter DIR NAME SIZE...\n");
        return 2;
    }
    for (const QString &sizeText : arguments.mid(3)) {
        const int size = sizeText.toInt();
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(arguments.at(1)).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, arguments.at(2));
        if (size < 1 || !QDir().mkpath(dir) || !paintIcon(size).save(file)) {
            std::fprintf(stderr, "iconpainter: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
