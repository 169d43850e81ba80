#ifndef QFORMULACHAR_H
#define QFORMULACHAR_H

#include <QLabel>
#include <QPen>

// One typed character of a formula field. Brackets are drawn as arcs that
// grow with the field's height; every other character is a plain label.
// The class declares no meta-object of its own, so it reports "QLabel" as
// its class name, which tells glyphs from nested formulas.
class QFormulaChar : public QLabel
{
public:
    QFormulaChar(const QString &text, QWidget *parent);

    // The glyph's text in the engine's notation: π as "pi", φ as "phi".
    QString toLine() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPen pen;
    bool isBracket;
};

#endif
